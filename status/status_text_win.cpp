#include "status/status_text_win.h"

#include "core/driver_channel.h"
#include "status/connection_snapshot_win.h"
#include "status/language_module_win.h"
#include "status/module_string_table_win.h"

namespace qlclapi {

static_assert(kStatusTextBytes == kStatusTextUnits * sizeof(char16_t), "a size query answers the whole text");

uint32_t GetConnectionStateString(wchar_t* buffer, uint32_t* lengthInBytes) {
    if (!lengthInBytes) return 0;
    if (!buffer) {
        *lengthInBytes = kStatusTextBytes;
        return 0;
    }
    bool copied;
    {
        LanguageModule language(Channel().moduleHandle);
        const ConnectionSnapshot snapshot = TakeConnectionSnapshot();
        StatusText text;
        ComposeStatusText(snapshot, ModuleStringTable(language.strings()), text);
        copied = CopyStatusText(text, reinterpret_cast<char16_t*>(buffer), *lengthInBytes / sizeof(char16_t));
    }
    if (copied) return 1;
    *lengthInBytes = 0;
    return 0;
}

}  // namespace qlclapi

#include "status/status_text_win.h"

#include "core/caller_buffer.h"
#include "core/driver_channel_win.h"
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
    StatusText text;
    {
        LanguageModule language(Channel().moduleHandle);
        const ConnectionSnapshot snapshot = TakeConnectionSnapshot();
        ComposeStatusText(snapshot, ModuleStringTable(language.strings()), text);
    }
    return DeliverText(text.text(), text.length(), reinterpret_cast<char16_t*>(buffer), lengthInBytes);
}

}  // namespace qlclapi

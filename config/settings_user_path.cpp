#include "config/settings_user_path.h"

#include "config/client_key_path.h"

namespace qlclapi {

void BuildUserKeyPath(char16_t* buffer, size_t capacity, const char16_t* prefix, const char16_t* user,
                      const char16_t* domain, bool desktop) noexcept {
    if (!buffer || capacity == 0) return;
    buffer[0] = 0;
    if (prefix && prefix[0]) {
        AppendBounded(buffer, capacity, prefix);
        AppendBounded(buffer, capacity, u"\\");
    }
    AppendBounded(buffer, capacity, desktop ? u"Desktop" : u"Vorantis");
    AppendBounded(buffer, capacity, u" Users\\");
    AppendBounded(buffer, capacity, user && user[0] ? user : u"__NOBODY__");
    if (domain && domain[0]) {
        AppendBounded(buffer, capacity, u"@");
        AppendBounded(buffer, capacity, domain);
    }
}

}  // namespace qlclapi

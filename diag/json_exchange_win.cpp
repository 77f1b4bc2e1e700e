#include "diag/json_exchange.h"

#include <nlohmann/json.hpp>

#include "core/secure_memory.h"
#include "diag/diag_requests.h"
#include "diag/json_text.h"
#include "diag/pipe_transport.h"
#include "core/utf8_text.h"

namespace qlclapi {

namespace {

// Wipes a request text on every path out of the exchange.
class WipedText {
public:
    explicit WipedText(std::string text) : text_(std::move(text)) {}
    ~WipedText() { WipeString(text_); }
    WipedText(const WipedText&) = delete;
    WipedText& operator=(const WipedText&) = delete;
    const std::string& get() const { return text_; }

private:
    std::string text_;
};

}  // namespace

JsonValue Exchange(const JsonValue& request) noexcept {
    try {
        WipedText text(SerializeCompact(request));
        return ParseJsonText(TransactPipe(text.get()));
    } catch (const std::exception&) {
        return JsonValue();
    }
}

WideJsonValue ExchangeWide(const WideJsonValue& request) noexcept {
    try {
        WipedText utf8(SerializeCompact(request));
        std::u16string wide = FromUtf8(utf8.get());
        WipedText sent(ToUtf8(wide));
        SecureWipe(&wide[0], wide.capacity() * sizeof(char16_t));
        std::u16string reply = FromUtf8(TransactPipe(sent.get()));
        return ParseJsonText(reply);
    } catch (const std::exception&) {
        return WideJsonValue();
    }
}

}  // namespace qlclapi

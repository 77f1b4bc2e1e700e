// What the parse of a plain address (hexadecimal digits, dots and colons
// only: no prefix, zone or brackets) must give, from the C library's
// inet_pton, an independent parser. Three differences are taken apart before
// the C library sees a text: leading zeros in a dotted number (decimal here,
// refused there) are dropped, dots before an IPv4 address are skipped (its
// first number starts it), and an IPv4 address with ":port" is judged
// without its port.
#pragma once

#include <arpa/inet.h>

#include <cctype>
#include <cstdint>
#include <string>

namespace inet_oracle {

struct Plain {
    bool ok = false;
    bool v4 = false;
    uint8_t bytes[16] = {};
    uint16_t port = 0;  // host order
};

inline bool IsPlainUnit(char16_t c) { return c <= 0x7F && (std::isxdigit(int(c)) || c == u':' || c == u'.'); }

inline bool IsPlainSpelling(const std::u16string& text) {
    for (char16_t c : text)
        if (!IsPlainUnit(c)) return false;
    return true;
}

// inet_pton's answer once the leading zeros of every dotted number of at most
// three digits are dropped ("010.1.2.3" is 10.1.2.3 here).
inline Plain Theirs(const std::string& text) {
    std::string normal;
    for (size_t i = 0; i < text.size();) {
        size_t end = i;
        while (end < text.size() && std::isxdigit(static_cast<unsigned char>(text[end]))) ++end;
        if (end == i) {
            normal += text[i++];
            continue;
        }
        std::string run = text.substr(i, end - i);
        const bool dotted = (i > 0 && text[i - 1] == '.') || (end < text.size() && text[end] == '.');
        const bool decimal = run.find_first_not_of("0123456789") == std::string::npos;
        if (dotted && decimal && run.size() <= 3) run = std::to_string(std::stoi(run));
        normal += run;
        i = end;
    }
    Plain p;
    p.v4 = inet_pton(AF_INET, normal.c_str(), p.bytes) == 1;
    p.ok = p.v4 || inet_pton(AF_INET6, normal.c_str(), p.bytes) == 1;
    return p;
}

// "a.b.c.d:port": the address as inet_pton reads it, the port in decimal.
inline Plain Expected(const std::string& text) {
    const size_t first = text.find_first_not_of('.');
    if (first != 0 && first != std::string::npos) {
        Plain p = Expected(text.substr(first));
        p.ok = p.ok && p.v4;
        return p;
    }
    const size_t colon = text.find(':');
    if (colon == std::string::npos || text.rfind(':') != colon || text.find('.') > colon) return Theirs(text);
    Plain p = Theirs(text.substr(0, colon));
    const std::string port = text.substr(colon + 1);
    p.ok = p.ok && p.v4 && !port.empty() && port.size() < 10 &&
           port.find_first_not_of("0123456789") == std::string::npos && std::stoul(port) <= 65535;
    if (p.ok) p.port = uint16_t(std::stoul(port));
    return p;
}

}  // namespace inet_oracle

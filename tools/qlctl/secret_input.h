// Reading a password from standard input: from a console without echo, or
// one line from a pipe or file. The text lives only in a fixed buffer that
// is wiped when it goes away; it is never copied into a growable string
// whose old storage could not be wiped.
#pragma once

#include <cstddef>

#include "client_values.h"

namespace qlctl {

class SecretText {
public:
    SecretText() = default;
    ~SecretText() { wipe(); }
    SecretText(const SecretText&) = delete;
    SecretText& operator=(const SecretText&) = delete;

    const wchar_t* c_str() const { return units_; }
    size_t size() const { return length_; }
    void wipe();

private:
    friend class SecretReader;
    wchar_t units_[kMaxTextUnits + 1] = {};
    size_t length_ = 0;
};

enum class SecretStatus {
    kOk,
    kEmpty,       // end of input, or an empty line
    kTooLong,     // more than kMaxTextUnits characters
    kInvalid,     // not UTF-8, or holds a NUL character
    kNotConsole,  // standard input is no console and reading a pipe was not allowed
    kReadFailed,  // the console or pipe could not be read
};

// One line into `secret`. A console gets `prompt` on standard error and
// keeps its echo off while the line is typed (restored also on Ctrl+C).
// Anything else is read only when `fromPipe` allows it, as UTF-8.
SecretStatus ReadSecretLine(bool fromPipe, const char* prompt, SecretText& secret);

}  // namespace qlctl

#include "secret_input.h"

#include <windows.h>

#include "output.h"

namespace qlctl {

namespace {

// The console state to put back if Ctrl+C ends the process mid-prompt;
// without it the user's console would stay silent after qlctl exits.
HANDLE gEchoOffConsole = nullptr;
DWORD gEchoOffSavedMode = 0;
volatile LONG gEchoOff = 0;

BOOL WINAPI RestoreEchoOnInterrupt(DWORD) {
    if (InterlockedCompareExchange(&gEchoOff, 0, 1) == 1) SetConsoleMode(gEchoOffConsole, gEchoOffSavedMode);
    return FALSE;  // let the default handler end the process
}

class EchoOff {
public:
    EchoOff(HANDLE console, DWORD mode) {
        gEchoOffConsole = console;
        gEchoOffSavedMode = mode;
        SetConsoleCtrlHandler(RestoreEchoOnInterrupt, TRUE);
        InterlockedExchange(&gEchoOff, 1);
        // Line input is what lets the console end the line at Enter.
        SetConsoleMode(console, (mode | ENABLE_LINE_INPUT) & ~DWORD(ENABLE_ECHO_INPUT));
    }
    ~EchoOff() {
        if (InterlockedCompareExchange(&gEchoOff, 0, 1) == 1) SetConsoleMode(gEchoOffConsole, gEchoOffSavedMode);
        SetConsoleCtrlHandler(RestoreEchoOnInterrupt, FALSE);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;
};

}  // namespace

void SecretText::wipe() {
    SecureZeroMemory(units_, sizeof units_);
    length_ = 0;
}

// Fills SecretText; a class so that it may be the text's friend.
class SecretReader {
public:
    static SecretStatus fromConsole(HANDLE console, SecretText& secret) {
        wchar_t chunk[64];
        bool tooLong = false;
        SecretStatus status = SecretStatus::kOk;
        for (bool lineEnded = false; !lineEnded;) {
            DWORD read = 0;
            if (!ReadConsoleW(console, chunk, DWORD(sizeof chunk / sizeof chunk[0]), &read, nullptr)) {
                status = SecretStatus::kReadFailed;
                break;
            }
            if (read == 0) break;  // end of input
            for (DWORD i = 0; i < read && !lineEnded; ++i) {
                if (chunk[i] == L'\n') {
                    lineEnded = true;
                } else if (chunk[i] == L'\r') {
                } else if (chunk[i] == L'\0') {
                    status = SecretStatus::kInvalid;
                } else if (secret.length_ < kMaxTextUnits) {
                    secret.units_[secret.length_++] = chunk[i];
                } else {
                    tooLong = true;  // keep reading: the rest of the line must not stay in the console
                }
            }
        }
        SecureZeroMemory(chunk, sizeof chunk);
        return finish(status, tooLong, secret);
    }

    static SecretStatus fromPipe(HANDLE input, SecretText& secret) {
        // Room for kMaxTextUnits characters of up to three UTF-8 bytes each
        // (a surrogate pair is four bytes for two units), a '\r' and one
        // byte more, which tells a line that is too long.
        char bytes[kMaxTextUnits * 3 + 2];
        size_t length = 0;
        SecretStatus status = SecretStatus::kOk;
        for (;;) {
            char byte;
            DWORD read = 0;
            if (!ReadFile(input, &byte, 1, &read, nullptr)) {
                // The writer closing its end is the end of input, not a failure.
                if (GetLastError() != ERROR_BROKEN_PIPE) status = SecretStatus::kReadFailed;
                break;
            }
            if (read == 0 || byte == '\n') break;
            if (length == sizeof bytes) {
                status = SecretStatus::kTooLong;
                break;
            }
            bytes[length++] = byte;
        }
        if (length > 0 && bytes[length - 1] == '\r') --length;
        if (status == SecretStatus::kOk && length > 0) status = convert(bytes, length, secret);
        SecureZeroMemory(bytes, sizeof bytes);
        return finish(status, false, secret);
    }

private:
    static SecretStatus convert(const char* bytes, size_t length, SecretText& secret) {
        for (size_t i = 0; i < length; ++i)
            if (bytes[i] == '\0') return SecretStatus::kInvalid;
        int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, int(length), secret.units_,
                                        int(kMaxTextUnits));
        if (units > 0) {
            secret.length_ = size_t(units);
            return SecretStatus::kOk;
        }
        return GetLastError() == ERROR_INSUFFICIENT_BUFFER ? SecretStatus::kTooLong : SecretStatus::kInvalid;
    }

    static SecretStatus finish(SecretStatus status, bool tooLong, SecretText& secret) {
        if (status == SecretStatus::kOk && tooLong) status = SecretStatus::kTooLong;
        if (status == SecretStatus::kOk && secret.length_ == 0) status = SecretStatus::kEmpty;
        if (status != SecretStatus::kOk) secret.wipe();
        secret.units_[secret.length_] = L'\0';
        return status;
    }
};

SecretStatus ReadSecretLine(bool fromPipe, const char* prompt, SecretText& secret) {
    secret.wipe();
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (input == INVALID_HANDLE_VALUE || input == nullptr) return SecretStatus::kReadFailed;
    DWORD mode;
    if (GetConsoleMode(input, &mode)) {
        WriteErr(prompt);
        SecretStatus status;
        {
            EchoOff echoOff(input, mode);
            status = SecretReader::fromConsole(input, secret);
        }
        WriteErr("\n");  // the Enter that ended the line was not echoed either
        return status;
    }
    if (!fromPipe) return SecretStatus::kNotConsole;
    return SecretReader::fromPipe(input, secret);
}

}  // namespace qlctl

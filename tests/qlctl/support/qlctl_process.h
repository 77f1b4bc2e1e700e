// qlctl.exe run as a user runs it: its own process, arguments on the command
// line, text on standard input, output and exit code read back.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

namespace qltest {

struct Outcome {
    DWORD exitCode;
    std::string out, err;
};

class QlctlProcess {
public:
    // Starts `program` (qlctl.exe beside this test program when empty) with
    // `arguments` and `input` on its standard input, which is then closed.
    // `ownConsole` gives it a console of its own, for console control events.
    explicit QlctlProcess(const std::wstring& arguments, const std::string& input = {},
                          const std::wstring& program = {}, bool ownConsole = false);
    ~QlctlProcess();
    QlctlProcess(const QlctlProcess&) = delete;
    QlctlProcess& operator=(const QlctlProcess&) = delete;

    DWORD id() const { return info_.dwProcessId; }
    // Waits for the exit; a process still running after `timeout` is killed
    // and reported with exit code WAIT_TIMEOUT.
    Outcome finish(DWORD timeout = 30000);

private:
    PROCESS_INFORMATION info_{};
    HANDLE outRead_ = nullptr, errRead_ = nullptr;
    std::string out_, err_;
    std::thread outReader_, errReader_;
};

Outcome RunQlctl(const std::wstring& arguments, const std::string& input = {});
// Ctrl+C as typed on the console of `process` (started with ownConsole):
// this test program joins that console, ignoring the event itself, and
// waits for the process to end. False in `sent` when the event could not be
// sent.
Outcome InterruptWithCtrlC(QlctlProcess& process, bool& sent);
// The folder of this test program, with a trailing backslash.
std::wstring OwnFolder();

}  // namespace qltest

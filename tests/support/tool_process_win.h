// A command-line tool run as its user runs it: its own process, bytes on
// standard input, its output read back exactly as written.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

namespace qltest {

struct ToolRun {
    DWORD exitCode;  // WAIT_TIMEOUT for a process killed after the timeout
    std::string out, err;
};

class ToolProcess {
public:
    // `arguments` as typed after the program's name; `input` is all of
    // standard input. `ownConsole`: a console of its own, for Ctrl+C.
    ToolProcess(const std::wstring& program, const std::wstring& arguments, const std::string& input = {},
                bool ownConsole = false);
    ~ToolProcess() { finish(0); }
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    DWORD id() const { return process_.dwProcessId; }
    ToolRun finish(DWORD timeout = 30000);

private:
    PROCESS_INFORMATION process_{};
    HANDLE out_, err_;  // the pipes' own ends, closed by their readers
    std::thread readers_[2];
    ToolRun run_{DWORD(-1), {}, {}};
};

}  // namespace qltest

#include "diag/pipe_transport.h"

#include <windows.h>

#include "core/heap_buffer.h"
#include "core/win_resource_win.h"
#include "diag/diag_pipe.h"

namespace qlclapi {

namespace {

HANDLE OpenPipe() {
    return CreateFileW(kDiagPipeName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

}  // namespace

std::string TransactPipe(const std::string& request) {
    // One write carries the whole request, and a write's length is 32-bit.
    if (request.size() > MAXDWORD) return std::string();
    HANDLE opened = OpenPipe();
    // Every instance busy: wait for one to become free and try again, for as
    // long as the waits succeed. A service that is not running fails the
    // open with another error at once.
    while (opened == INVALID_HANDLE_VALUE && GetLastError() == ERROR_PIPE_BUSY) {
        if (!WaitNamedPipeW(kDiagPipeName, kDiagBusyWaitMs)) return std::string();
        opened = OpenPipe();
    }
    PipeHandle pipe(opened);
    if (!pipe.valid()) return std::string();
    DWORD mode = PIPE_READMODE_MESSAGE;
    if (!SetNamedPipeHandleState(pipe.get(), &mode, nullptr, nullptr)) return std::string();
    DWORD written = 0;
    if (!WriteFile(pipe.get(), request.data(), DWORD(request.size()), &written, nullptr)) return std::string();

    HeapBuffer<char> buffer(kDiagReadBytes);
    std::string reply;
    if (!buffer.ok()) return reply;
    for (;;) {
        DWORD read = 0;
        BOOL complete = ReadFile(pipe.get(), buffer.data(), DWORD(buffer.count()), &read, nullptr);
        if (!complete && GetLastError() != ERROR_MORE_DATA) break;
        reply.append(buffer.data(), read);
        if (complete) break;
    }
    return reply;
}

}  // namespace qlclapi

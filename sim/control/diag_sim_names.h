// Names shared by the simulated diagnostics service, qlsim and the tests.
#pragma once

namespace qldiag {

// The simulated service's name in the service control manager.
constexpr wchar_t kServiceName[] = L"QLDIAG";
constexpr wchar_t kServiceDisplayName[] = L"Quorlan diagnostics service (simulated)";
// Its program, beside qlsim.exe.
constexpr wchar_t kServiceImage[] = L"qldiagsvc.exe";
// The client's diagnostics pipe, which the library connects to.
constexpr wchar_t kClientPipeName[] = L"\\\\.\\pipe\\b8ed9199cdb76e4488e84edcc97630df00da";
// The control pipe: one JSON request message ({"op": ...}), one JSON reply
// message per exchange. Never journaled in the request log.
constexpr wchar_t kControlPipeName[] = L"\\\\.\\pipe\\qldiagsim-control";

}  // namespace qldiag

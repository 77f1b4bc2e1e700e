#include "support/qlsim_run.h"

namespace qltest {

QlsimRun RunQlsim(const std::wstring& arguments) { return RunChild(BesideThisProgram(L"qlsim.exe"), arguments); }

}  // namespace qltest

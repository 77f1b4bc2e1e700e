// qlsim.exe, beside the test program, run as its own process.
#pragma once

#include <string>

#include "support/child_process.h"

namespace qltest {

using QlsimRun = ChildRun;

QlsimRun RunQlsim(const std::wstring& arguments);

}  // namespace qltest

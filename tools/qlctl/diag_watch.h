// diag watch: follows the diagnostics service's notification stream.
#pragma once

#include "command.h"

namespace qlctl {

// Takes the words after "diag watch"; returns an ExitCode.
int RunDiagWatch(const Words& words);

}  // namespace qlctl

// What a VB twin handed back: the ANSI bytes it packed two to a unit into
// the BSTR, up to the first zero byte.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace qltest {

inline std::string AnsiOf(BSTR text) {
    return std::string(reinterpret_cast<const char*>(text), 2 * SysStringLen(text)).c_str();
}

}  // namespace qltest

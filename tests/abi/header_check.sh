#!/bin/sh
# The public header compiles as C and C++, alone, before and after
# <windows.h>, with both mingw-w64 compilers and with clang for both MinGW
# targets (each through its own <sal.h>); alone with clang for the Microsoft
# ABI without a Windows SDK (as tests/abi/sdk/msvc_consumers.sh builds), and in
# the host compilers' syntax check: there no <sal.h> exists and the
# header's empty annotations stand in.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
include="$here/../../include"
source="$here/uses_header.c"
flags="-fsyntax-only -Wall -Wextra -Werror -pedantic -I$include"
failed=0 passed=0

check() {
    if "$@" 2>&1; then echo "ok: $*"; passed=$((passed + 1)); else echo "FAILED: $*"; failed=$((failed + 1)); fi
}

for triple in x86_64-w64-mingw32 i686-w64-mingw32; do
    for windows in "" -DWINDOWS_H_FIRST -DWINDOWS_H_AFTER; do
        check "$triple-gcc-posix" $flags -std=c99 $windows -x c "$source"
        check "$triple-g++-posix" $flags -std=c++11 $windows -x c++ "$source"
        check clang --target=$triple $flags -std=c99 $windows -x c "$source"
        check clang --target=$triple $flags -std=c++11 $windows -x c++ "$source"
    done
done
for triple in x86_64-pc-windows-msvc i686-pc-windows-msvc; do
    check clang --target=$triple -ffreestanding $flags -std=c99 -x c "$source"
    check clang --target=$triple -ffreestanding $flags -std=c++11 -x c++ "$source"
done
check cc $flags -std=c99 -x c "$source"
check c++ $flags -std=c++11 -x c++ "$source"
echo "$passed passed, $failed failed"
[ $failed = 0 ]

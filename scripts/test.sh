#!/bin/sh
# Sets the machine up (scripts/setup.sh) and runs every test suite, by CTest
# preset: native (the unit tests, fuzzers, layering and static checks of
# both DLLs), win64 (the x64 build under wine64 against the simulated
# client) and win32 (the x86 lane: every Wine suite of the 32-bit product in
# an emulated machine, scripts/test-x86.sh; QLCLAPI_SKIP_X86=1 leaves it
# out). Fails when any suite fails or runs no test.
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh

presets="native win64 win32"
if [ "${QLCLAPI_SKIP_X86:-0}" = 1 ]; then
    echo "test: the x86 lane is left out (QLCLAPI_SKIP_X86=1)"
    presets="native win64"
fi
status=0
for preset in $presets; do
    echo "test: the $preset suites"
    started=$(date +%s)
    ctest --preset "$preset" || status=1
    # GoogleTest's own summary of every program that ran, and the closing
    # lines of the programs that judge themselves.
    grep -h -E '^\[  (PASSED|FAILED)  \]|^\[==========\] .* ran|^([A-Za-z_-]+: )?[0-9]+ passed, [0-9]+ failed' \
        "build/$preset/Testing/Temporary/LastTest.log" || true
    echo "test: the $preset suites took $(($(date +%s) - started)) s"
done
exit $status

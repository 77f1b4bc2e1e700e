#!/bin/sh
# Sets the machine up (scripts/setup.sh) and runs every test suite: the
# native unit tests, fuzzers and static checks of the 32-bit and 64-bit
# DLLs, the win64 tests under wine64 against the simulated client, then the
# x86 lane (scripts/test-x86.sh: the 32-bit library, adapter and
# stack-balance suites in an emulated machine; QLCLAPI_SKIP_X86=1 leaves it
# out). Fails when any suite fails or runs no test.
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh

status=0
for preset in native win64; do
    echo "test: the $preset suites"
    ctest --preset "$preset" || status=1
    # GoogleTest's own summary of every program that ran, and the
    # reliability suite's closing line.
    grep -h -E '^\[  (PASSED|FAILED)  \]|^\[==========\] .* ran|^[0-9]+ passed, [0-9]+ failed' \
        "build/$preset/Testing/Temporary/LastTest.log" || true
done
if [ "${QLCLAPI_SKIP_X86:-0}" = 1 ]; then
    echo "test: the x86 lane is left out (QLCLAPI_SKIP_X86=1)"
else
    echo "test: the x86 lane"
    scripts/test-x86.sh || status=1
fi
exit $status

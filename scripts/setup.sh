#!/bin/sh
# Brings a Debian 12 machine to the point where qlclapi builds and its tests
# run: installs the packages it lacks, then configures and builds the three
# presets (win32: the 32-bit product; win64: the same sources, run under
# wine64; native: the portable pieces, their tests, fuzzers and the static
# checks of the built DLLs).
set -eu
cd "$(dirname "$0")/.."

# --packages: only install what is missing (scripts/package.sh).
# doxygen makes the reference, llvm's llvm-dlltool and lld's lld-link make
# and check the Microsoft-format import libraries of the SDK; python3-pefile
# reads the built images for the static checks (tests/abi).
# The -win32 thread-model compilers build qlclapi.dll itself; the -posix
# ones build the tools and tests.
packages="cmake ninja-build clang libclang-rt-14-dev googletest valgrind
g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32
wine64 nlohmann-json3-dev
doxygen llvm lld python3-pefile"

missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing="$missing $package"
done
if [ -n "$missing" ]; then
    echo "setup: installing$missing"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi
[ "${1:-}" = --packages ] && exit 0

for preset in win32 win64 native; do
    echo "setup: building the $preset preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

#!/bin/sh
# mingw_consumers.sh WORK WIN64_BUILD SOURCE_DIR EXPORT_COUNT
# A user's project built with MinGW against the unpacked SDK (archive_check.sh
# made it) through find_package, for x64 and x86; the x64 programs then run
# under Wine against the simulated client of the win64 build.
set -eu
work=$1 win64=$2 source=$3 count=$4
sdk=$(echo "$work"/unpacked/*)
. "$source/tests/abi/sdk/wine_expect.sh"

for arch in x64 x86; do
    case $arch in x64) toolchain=toolchain-mingw-x86_64.cmake ;; x86) toolchain=toolchain-mingw-i686.cmake ;; esac
    build="$work/mingw-$arch"
    rm -rf "$build"
    cmake -S "$source/tests/abi/sdk/consumer" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$source/cmake/$toolchain" -DCMAKE_PREFIX_PATH="$sdk" \
        -DEXPECTED_ARCH=$arch -DEVERY_EXPORT_TABLE="$work/every_export_table.c" -DEXPORT_COUNT="$count" \
        -DEXAMPLES_DIR="$sdk/examples" >"$build.log" 2>&1 || { cat "$build.log"; exit 1; }
    cmake --build "$build" >>"$build.log" 2>&1 || { cat "$build.log"; exit 1; }
    echo "mingw_consumers: $arch built"
done

# Each program must see the state the simulated client is set to.
trap 'run "$win64/qlsim.exe" reset >/dev/null' EXIT
run "$win64/qlsim.exe" set state 3 >/dev/null
build="$work/mingw-x64"
expect "$count of $count exports resolved" "$build/every_export.exe"
expect "state 3 (connected)" "$build/examples/client_status.exe"
expect "state 3" "$build/examples/client_dynamic.exe"
[ $faults = 0 ] && echo "mingw_consumers: the x64 programs ran against the simulated client"
exit $faults

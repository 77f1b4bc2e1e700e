#!/bin/sh
# mingw_consumers.sh WORK WIN64_BUILD SOURCE_DIR EXPORT_COUNT
# A user's project built with MinGW against the unpacked SDK (archive_check.sh
# made it) through find_package, for x64 and x86; the x64 programs then run
# under Wine against the simulated client of the win64 build.
set -eu
work=$1 win64=$2 source=$3 count=$4
sdk=$(echo "$work"/unpacked/*)
wine="$source/tests/wine/wine.sh"

for arch in x64 x86; do
    case $arch in x64) toolchain=toolchain-mingw-x86_64.cmake ;; x86) toolchain=toolchain-mingw-i686.cmake ;; esac
    build="$work/mingw-$arch"
    rm -rf "$build"
    cmake -S "$source/tests/sdk/consumer" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$source/cmake/$toolchain" -DCMAKE_PREFIX_PATH="$sdk" \
        -DEXPECTED_ARCH=$arch -DEVERY_EXPORT_TABLE="$work/every_export_table.c" -DEXPORT_COUNT="$count" \
        -DEXAMPLES_DIR="$sdk/examples" >"$build.log" 2>&1 || { cat "$build.log"; exit 1; }
    cmake --build "$build" >>"$build.log" 2>&1 || { cat "$build.log"; exit 1; }
    echo "mingw_consumers: $arch built"
done

# Each program must see the state the simulated client is set to.
run() { "$wine" run "$win64" "$@"; }
trap 'run "$win64/qlsim.exe" reset >/dev/null' EXIT
run "$win64/qlsim.exe" set state 3 >/dev/null
faults=0
# expect PROGRAM LINE: the program exits 0 and prints LINE among its lines.
expect() {
    status=0
    output=$(run "$1") || status=$?
    output=$(echo "$output" | tr -d '\r')
    echo "$(basename "$1") (exit $status):"
    echo "$output" | sed 's/^/  /'
    [ $status = 0 ] && echo "$output" | grep -qxF "$2" || { echo "mingw_consumers: expected \"$2\""; faults=1; }
}
build="$work/mingw-x64"
expect "$build/every_export.exe" "$count of $count exports resolved"
expect "$build/examples/client_status.exe" "state 3 (connected)"
expect "$build/examples/client_dynamic.exe" "state 3"
[ $faults = 0 ] && echo "mingw_consumers: the x64 programs ran against the simulated client"
exit $faults

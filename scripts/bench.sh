#!/bin/sh
# Benchmarks, each printed as ratios against a baseline measured in the same
# run: the library's calls against the raw device round trip, the status
# text against the device requests it makes, the configuration store against
# the raw registry calls, the diagnostics exchange against a raw
# CallNamedPipeW and the settings reads against the raw registry reads, and
# the address grammar against the platform's conversions (all under wine64);
# the address grammar against inet_pton/inet_ntop in instructions (native,
# callgrind).
set -eu
cd "$(dirname "$0")/.."
build=build/win64
[ -f $build/build.ninja ] || scripts/setup.sh
cmake --build $build --target benchmarks >/dev/null
# The native benchmark counts the library's instructions: a build of its
# own, without the sanitizers the native preset's library carries.
native=build/bench-native
cmake -S . -B $native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
    -DCMAKE_CXX_COMPILER=clang++ -DQLCLAPI_INSTRUMENT=OFF >/dev/null
cmake --build $native --target addr_bench >/dev/null
scripts/wine.sh start $build >/dev/null
trap 'scripts/wine.sh stop $build' EXIT
echo "== library calls against DeviceIoControl (wine64)"
scripts/wine.sh run $build $build/qlbench.exe
echo "== status text against the same device requests made raw, without and with a language module (wine64)"
scripts/wine.sh run $build $build/qlstatusbench.exe
echo "== configuration store against the raw registry calls (wine64)"
scripts/wine.sh run $build $build/qlconfigbench.exe
echo "== a driver that fills every interface-table buffer, against an honest one (wine64)"
scripts/wine.sh run $build $build/qlworstbench.exe
echo "== diagnostics exchange against CallNamedPipeW, settings reads against the raw registry (wine64)"
scripts/wine.sh run $build $build/qldiagbench.exe
echo "== address grammar against RtlIpv4/6StringToAddressExW and RtlIpv4/6AddressToStringExW (wine64)"
scripts/wine.sh run $build $build/qladdrbench.exe
echo "== address grammar against inet_pton/inet_ntop (native, callgrind)"
bench/native/run_callgrind.sh $native/bench/native/addr_bench

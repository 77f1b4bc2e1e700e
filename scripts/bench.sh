#!/bin/sh
# Benchmarks, printed as ratios against a baseline measured in the same run:
# the library's calls against the raw device round trip (under wine64).
set -eu
cd "$(dirname "$0")/.."
build=build/win64
[ -f $build/qlbench.exe ] || scripts/setup.sh
tests/wine/wine.sh start $build >/dev/null
trap 'tests/wine/wine.sh stop $build' EXIT
tests/wine/wine.sh run $build $build/qlbench.exe "$@"

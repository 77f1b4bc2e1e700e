#!/bin/sh
# Sets the machine up (scripts/setup.sh), brings up the simulated client
# under wine64 and runs qlctl, the command-line tool over qlclapi.dll,
# through a short scenario against it.
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh

build=build/win64
wine_sh=tests/wine/wine.sh
$wine_sh start $build
trap '$wine_sh stop $build' EXIT

qlctl() { echo "\$ qlctl $*"; $wine_sh run $build "$build/qlctl.exe" "$@"; }
qlsim() { echo "\$ qlsim $*"; $wine_sh run $build "$build/qlsim.exe" "$@" >/dev/null; }

qlctl version
qlsim set state 3
qlctl state
qlctl logoff
qlctl state --json
qlctl reason
echo "s3cret" | qlctl connect --user alice --password-stdin
qlctl state
qlctl condition network trusted
qlsim set version 12.11.100
qlctl version

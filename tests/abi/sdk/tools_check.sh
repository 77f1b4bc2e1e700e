#!/bin/sh
# tools_check.sh WORK WIN64_BUILD SOURCE_DIR [EXPORT_COUNT, unused]
# The x64 tools of the unpacked SDK (archive_check.sh made it) run as they
# are: qlctl finds the qlclapi.dll beside it and reports the version of the
# simulated driver, set to one that neither the library nor the driver has
# of its own, so that the answer can only have come from the driver.
set -eu
work=$1 win64=$2 source=$3
sdk=$(echo "$work"/unpacked/*)
. "$source/tests/abi/sdk/wine_expect.sh"

trap 'run "$win64/qlsim.exe" reset >/dev/null' EXIT
run "$win64/qlsim.exe" set version 12.12.7 >/dev/null
expect '{"hex":"0x0C0C0007","own_generation":true,"version":"12.12.7","word":202113031}' \
    "$sdk/tools/x64/qlctl.exe" version --json
[ $faults = 0 ] && echo "tools_check: tools/x64/qlctl.exe ran from the unpacked SDK against the simulated client"
exit $faults

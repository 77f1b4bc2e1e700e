#!/bin/sh
# Sets the machine up (scripts/setup.sh), brings up the simulated client
# under wine64 and runs qlctl, the command-line tool over qlclapi.dll,
# through a short scenario against it.
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh

build=build/win64
wine_sh=scripts/wine.sh
$wine_sh start $build
trap '$wine_sh stop $build' EXIT

qlctl() { echo "\$ qlctl $*"; $wine_sh run $build "$build/qlctl.exe" "$@"; }
qlsim() { echo "\$ qlsim $*"; $wine_sh run $build "$build/qlsim.exe" "$@" >/dev/null; }
reg() { echo "\$ reg $*"; $wine_sh run $build reg "$@" >/dev/null; }

echo "== the library, and the driver it found"
qlctl version
echo "== state and control"
qlsim set state 3
qlctl state
qlctl logoff
qlctl state --json
qlctl reason
echo "s3cret" | qlctl connect --user alice --password-stdin
qlctl state
qlctl condition network trusted
echo "== addresses"
qlsim address virtual 10.8.0.5
qlsim address server 203.0.113.9:443
qlsim address pop "[fe80::1a2b%7]:5008"
qlsim interface add --name "Wi-Fi" --mac 00-1A-2B-3C-4D-5E --address "fe80::1a2b%7" --flags 0x20
qlctl addresses
qlctl pop
qlctl parse "[fe80::1%3/64]:443" --json
qlctl format 2001:0:0:1:0:0:0:1
echo "== the status text, in English"
qlsim set state 2 phase 13 traffic 1
qlctl status
qlsim details set user alice device PC-7 user-marker 0 device-marker 0
qlsim set state 3 traffic 0
qlctl status
qlsim set state 5 disconnected 1 reason 126
qlctl status --json
echo "== and from the pseudo-locale module beside the library"
reg add 'HKLM\SOFTWARE\Quorlan' /v Language /d qps-ploc /f /reg:64
qlctl status
qlctl reason
reg delete 'HKLM\SOFTWARE\Quorlan' /v Language /f /reg:64
echo "== configuration: identifier, server address, start-up"
qlsim config install
qlctl id
qlctl server set 203.0.113.9:443
qlctl server
qlctl server set --name vpn.example.com
qlctl server --json
qlctl startup
qlctl startup off
qlctl startup --json
qlctl startup on
qlctl startup
qlsim config remove
echo "== a driver of another version"
qlsim set version 12.11.100
qlctl version
qlctl pop || echo "(pop exits $?: the point of presence is switched off for a driver of another version)"
echo "== diagnostics: settings gate the requests, the service answers"
qlsim settings clear
qlsim settings store text
qlctl report "first try" || echo "(report exits $?: the setting is off)"
qlsim settings set A_DIAG_EnableClientReports 1
qlsim settings set A_DIAG_EnableBandwidthTest 1
qlctl setting A_DIAG_EnableClientReports
qlctl report "after the move"
qlctl bandwidth
qlctl tag site "building 4"
qlctl diag
sleep 4
qlctl diag --json
echo "\$ qlsim diag log"
$wine_sh run $build "$build/qlsim.exe" diag log
qlsim diag behave raw '{"status":"Success"}'
qlctl tag site || echo "(tag exits $?: \"Success\" is not \"success\")"
qlsim diag stop
qlctl diag || echo "(diag exits $?)"

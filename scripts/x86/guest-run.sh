# Runs inside the emulated machine as its job (see machine.sh): the x86 test
# programs of /share/bin under 32-bit Wine, against the x86 simulated client,
# one suite per line of /share/suites.txt ("SUITE PROGRAM [ARGS...]"). Each
# suite leaves SUITE.log, SUITE.status and SUITE.seconds in /share/results.
set -u
export WINEPREFIX=/root/wine-x86 WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
began=$(date +%s)
say() { echo "[$(($(date +%s) - began)) s] $*"; }

rm -rf /root/run /share/results
mkdir -p /share/results
cp -r /share/bin /root/run
cd /root/run || exit 3

# One wineserver for the whole run: the driver lives in Wine's device host,
# which lasts only as long as its wineserver.
wineserver -p
say "starting the simulated client"
if ! { wine qlsim.exe install && wine qlsim.exe start && wine qlsim.exe reset; } >/share/results/qlsim-start.log 2>&1; then
    cat /share/results/qlsim-start.log
    say "the simulated client did not start"
    wineserver -k
    exit 3
fi

while read -r suite program arguments; do
    [ -n "$suite" ] || continue
    say "suite $suite: $program $arguments"
    started=$(date +%s)
    # shellcheck disable=SC2086 # the arguments are words
    timeout -k 30 "${QLCLAPI_SUITE_SECONDS:-2400}" wine "$program" $arguments \
        >"/share/results/$suite.log" 2>&1 </dev/null
    echo $? >"/share/results/$suite.status"
    echo $(($(date +%s) - started)) >"/share/results/$suite.seconds"
    say "suite $suite: $(grep -h -E '^\[  (PASSED|FAILED)  \] [0-9]' "/share/results/$suite.log" | tr '\n' ' ')"
done </share/suites.txt

wineserver -k
wineserver -w
say "done"

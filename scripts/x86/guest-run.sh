# Runs inside the emulated machine as its job (see machine.sh): the x86 test
# programs of /share/bin under 32-bit Wine, against the x86 simulated client,
# one suite per line of /share/suites.txt ("SUITE PROGRAM [ARGS...]"), each
# after its set-up steps in /share/setup.txt (lines of the same form, run in
# file order; a step that fails skips its suite; the simulated client is
# reset after a suite that had steps). Each suite leaves SUITE.log,
# SUITE.status and SUITE.seconds in /share/results, and SUITE.setup.log when
# it has steps.
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

# set_up SUITE: its steps, each under Wine, their output in SUITE.setup.log;
# the first that fails ends them with its status.
set_up() {
    setup_log="/share/results/$1.setup.log"
    while read -r step_suite step_program step_arguments; do
        [ "$step_suite" = "$1" ] || continue
        say "suite $1: set-up: $step_program $step_arguments"
        echo "x86 set-up: $step_program $step_arguments" >>"$setup_log"
        step_status=0
        # shellcheck disable=SC2086 # the arguments are words
        timeout -k 30 "${QLCLAPI_SUITE_SECONDS:-2400}" wine "$step_program" $step_arguments \
            >>"$setup_log" 2>&1 </dev/null || step_status=$?
        if [ "$step_status" -ne 0 ]; then
            echo "x86 set-up: $step_program exited with status $step_status; the suite does not run" >>"$setup_log"
            return "$step_status"
        fi
    done </share/setup.txt
}

while read -r suite program arguments; do
    [ -n "$suite" ] || continue
    say "suite $suite: $program $arguments"
    started=$(date +%s)
    status=0
    : >"/share/results/$suite.log"
    if set_up "$suite"; then
        # shellcheck disable=SC2086 # the arguments are words
        timeout -k 30 "${QLCLAPI_SUITE_SECONDS:-2400}" wine "$program" $arguments \
            >"/share/results/$suite.log" 2>&1 </dev/null || status=$?
    else
        status=$?
    fi
    echo "$status" >"/share/results/$suite.status"
    # What the steps set up stays with their suite.
    if [ -f "/share/results/$suite.setup.log" ]; then wine qlsim.exe reset >/dev/null 2>&1 </dev/null; fi
    echo $(($(date +%s) - started)) >"/share/results/$suite.seconds"
    say "suite $suite: exit status $status, $(tr -d '\r' <"/share/results/$suite.log" 2>/dev/null |
        grep -E '^\[  (PASSED|FAILED)  \] [0-9]|^([A-Za-z_-]+: )?[0-9]+ passed, [0-9]+ failed' | tr '\n' ' ')"
done </share/suites.txt

wineserver -k
wineserver -w
say "done"

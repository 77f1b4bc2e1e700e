#!/bin/sh
# The x64 programs of a build directory under wine64, in a Wine prefix of
# that build directory's own.
#
#   wine.sh start BUILD_DIR   make the prefix (first time only), keep one
#                             wineserver alive, install and start the
#                             simulated client's driver and its diagnostics
#                             service
#   wine.sh stop BUILD_DIR    stop that wineserver (and with it the driver)
#   wine.sh run BUILD_DIR PROGRAM [ARGS...]
#                             run a Windows program in that prefix
#   wine.sh suite BUILD_DIR PROGRAM [ARGS...]
#                             run a test program there and judge it as the
#                             x86 lane does: exit status 0 and a summary
#                             that says it passed (under Wine a program that
#                             crashes can still exit 0)
set -eu

command=${1:?usage: wine.sh start|stop|run|suite BUILD_DIR [PROGRAM ARGS...]}
build_dir=$(cd "${2:?missing BUILD_DIR}" && pwd)
shift 2

export WINEPREFIX="$build_dir/wineprefix"
export WINEARCH=win64
# A test may ask for Wine debug channels (the reliability suite: warn+heap).
export WINEDEBUG="${QLCLAPI_WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="

find_tool() {
    for candidate in "$@"; do
        if command -v "$candidate" >/dev/null 2>&1; then command -v "$candidate"; return 0; fi
        if [ -x "$candidate" ]; then echo "$candidate"; return 0; fi
    done
    echo "wine.sh: none of $* found (apt-get install wine64)" >&2
    exit 127
}
wine64=$(find_tool wine64 /usr/lib/wine/wine64)
wineserver=$(find_tool wineserver /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver)

start_session() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "wine.sh: creating the Wine prefix $WINEPREFIX"
        "$wine64" wineboot -i || true
        "$wineserver" -w
    fi
    # Persistent: the driver lives in Wine's device host process, which
    # lasts only as long as this wineserver.
    "$wineserver" -p
    # A session already running keeps its driver: its image is in use and
    # cannot be copied over, and only its state needs resetting.
    if ! "$wine64" "$build_dir/qlsim.exe" status >/dev/null; then
        "$wine64" "$build_dir/qlsim.exe" install && "$wine64" "$build_dir/qlsim.exe" start
    fi &&
        "$wine64" "$build_dir/qlsim.exe" reset &&
        start_diagnostics
}

# The diagnostics service is a service of its own process: registered (again,
# in case the build folder moved) and started through the service manager,
# afresh, so that a session kept alive runs the program just built.
start_diagnostics() {
    "$wine64" "$build_dir/qlsim.exe" diag install >/dev/null &&
        { "$wine64" "$build_dir/qlsim.exe" diag stop >/dev/null || true; } &&
        "$wine64" "$build_dir/qlsim.exe" diag start
}

case "$command" in
start)
    # The wineserver and Wine's service processes outlive this script; they
    # must not hold the caller's output open (ctest would wait for them), so
    # the session's output goes to a log that is shown afterwards. Nor may
    # they keep any other descriptor of the caller's: a lock taken with
    # flock(1) around this command would stay held for the whole session.
    log="$build_dir/wine-session.log"
    status=0
    start_session </dev/null >"$log" 2>&1 3>&- 4>&- 5>&- 6>&- 7>&- 8>&- 9>&- || status=$?
    grep -v -e '^wine: ' -e 'fixme:' "$log" || true
    exit $status
    ;;
stop)
    "$wineserver" -k 2>/dev/null || true
    "$wineserver" -w 2>/dev/null || true
    ;;
run)
    exec "$wine64" "$@"
    ;;
suite)
    log=$(mktemp)
    status=0
    { "$wine64" "$@" 2>&1 || echo "$?" >"$log.status"; } | tee "$log"
    [ ! -f "$log.status" ] || status=$(cat "$log.status")
    . "$(dirname "$0")/suite_verdict.sh"
    verdict "$log"
    rm -f "$log" "$log.status"
    if [ "$status" = 0 ] && [ "$good" = 1 ]; then exit 0; fi
    echo "wine.sh: $(basename "$1") failed: exit status $status, summary '${summary:-none}'" >&2
    exit 1
    ;;
*)
    echo "wine.sh: unknown command '$command'" >&2
    exit 2
    ;;
esac

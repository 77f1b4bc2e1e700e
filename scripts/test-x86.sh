#!/bin/sh
# The x86 lane: the 32-bit product, its simulated driver and its test
# programs (build/win32) under 32-bit Wine, in an emulated x86-64 machine
# (this host's kernel runs no 32-bit code and offers no virtualisation).
#
#   scripts/test-x86.sh            the subsystem suites (core, address, config, status, diag)
#   scripts/test-x86.sh --all      every suite, the command-line tools' included
#   scripts/test-x86.sh SUITE...   the named suites (see build/win32/x86-suites.txt)
#   --no-build                     use build/win32 as it is (ctest's x86.lane)
#   scripts/test-x86.sh --verdict SUITE
#                                  judge SUITE from the logs the last run left
#                                  (ctest's x86.SUITE)
#
# Suites of your own go in build/win32/x86-suites.extra.txt (the same
# "SUITE every|all PROGRAM [ARGS...]" lines; the programs in build/win32),
# set-up steps in build/win32/x86-setup.txt ("SUITE PROGRAM [ARGS...]",
# run under Wine before that suite, in file order); # starts a comment.
# The machine is built once (about 6 minutes) into /var/cache/qlclapi (or
# $QLCLAPI_CACHE) and again whenever its recipe in scripts/x86 changes;
# every run starts it on a throwaway overlay. With QLCLAPI_HEAVY_LOCK set
# to a lock file, each heavy step (build, machine build, run) holds it.
# Fails when any suite fails, crashes or prints no summary: GoogleTest's,
# or for another program a closing line "N passed, 0 failed" (N > 0). The
# suites' logs are left in build/win32/x86-results.
set -eu
cd "$(dirname "$0")/.."
. scripts/x86/machine.sh
. scripts/suite_verdict.sh

usage() { sed -n '2,26s/^# \{0,1\}//p' "$0"; }
build=build/win32
if [ "${1:-}" = --verdict ]; then
    suite=${2:?usage: test-x86.sh --verdict SUITE}
    log="$build/x86-results/$suite.log"
    status=$(cat "$build/x86-results/$suite.status" 2>/dev/null || echo none)
    verdict "$log"
    [ -f "$log" ] && sed 's/^/    /' "$log" | tail -n 60
    echo "x86 suite $suite: exit status $status, ${summary:-no summary}"
    [ "$status" = 0 ] && [ "$good" = 1 ]
    exit
fi
all=0
build_first=1
wanted=""
for argument in "$@"; do
    case "$argument" in
    --all) all=1 ;;
    --no-build) build_first=0 ;;
    -h | --help) usage; exit 0 ;;
    -*) usage >&2; exit 2 ;;
    *) wanted="$wanted $argument" ;;
    esac
done

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
lock=${QLCLAPI_HEAVY_LOCK:-}
heavy_begin() { [ -z "$lock" ] || { exec 9>>"$lock" && flock 9; }; }
heavy_end() { [ -z "$lock" ] || flock -u 9; }
began=$(date +%s)
say() { echo "x86: [$(($(date +%s) - began)) s] $*"; }

missing=""
for package in debootstrap qemu-system-x86 qemu-utils; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing="$missing $package"
done
if [ -n "$missing" ]; then
    say "installing$missing"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

work=""
cleanup() {
    stop_guest
    [ -z "$work" ] || rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

if [ "$build_first" = 1 ]; then
    say "building the win32 preset"
    heavy_begin
    cmake --preset win32 >/dev/null
    cmake --build --preset win32
    heavy_end
fi

# The machine: named by the hash of its recipe, kept until the recipe changes.
cache=${QLCLAPI_CACHE:-/var/cache/qlclapi}
recipe=$(cat scripts/x86/image.sh scripts/x86/guest-init | sha256sum | cut -c1-12)
machine="$cache/x86-$recipe"
if [ ! -f "$machine/base.qcow2" ]; then
    heavy_begin
    if [ ! -f "$machine/base.qcow2" ]; then
        say "building the emulated machine into $machine (about 6 minutes, once per recipe)"
        $sudo mkdir -p "$cache"
        # Earlier recipes, and builds that were killed (whose chroot may
        # still have file systems mounted, which rm must not descend into).
        for old in "$cache"/x86-*; do
            [ -e "$old" ] && [ "$old" != "$machine" ] || continue
            findmnt -rn -o TARGET | grep -F "$old/" | sort -r | while read -r mount; do
                $sudo umount -l "$mount"
            done
            $sudo rm -rf "$old"
        done
        $sudo sh scripts/x86/image.sh "$machine"
    fi
    heavy_end
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/qlclapi-x86.XXXXXX")
share="$work/share"
mkdir -p "$share/bin"
cp "$build"/*.exe "$build"/*.dll "$build"/*.sys "$share/bin/"
[ ! -d "$build/qlctl_stub" ] || cp -r "$build/qlctl_stub" "$share/bin/"
# Language modules, each in its language's folder: the one beside the
# library and the test modules the language tests copy where it searches.
for module in "$build"/*/qlclapi.resources.dll "$build"/test-modules/*/qlclapi.resources.dll; do
    [ -f "$module" ] || continue
    relative=${module#"$build"/}
    mkdir -p "$share/bin/${relative%/*}"
    cp "$module" "$share/bin/$relative"
done
cp scripts/x86/guest-run.sh "$share/job.sh"
# The build's suites, then those of the extra file, and the set-up steps;
# comments and empty lines left out.
lines() { [ ! -f "$1" ] || grep -v -e '^[[:space:]]*#' -e '^[[:space:]]*$' "$1" || true; }
{ lines "$build/x86-suites.txt"; lines "$build/x86-suites.extra.txt"; } >"$work/known.txt"
lines "$build/x86-setup.txt" >"$work/setup.txt"
: >"$share/suites.txt"
while read -r suite when program arguments; do
    case "$when" in every | all) ;; *) echo "x86: suite $suite: \"$when\" is neither every nor all" >&2; exit 2 ;; esac
    if [ -n "$wanted" ]; then
        case " $wanted " in *" $suite "*) ;; *) continue ;; esac
    elif [ "$when" = all ] && [ "$all" -eq 0 ]; then
        continue
    fi
    echo "$suite $program $arguments" >>"$share/suites.txt"
done <"$work/known.txt"
[ -s "$share/suites.txt" ] || { echo "x86: no suite to run (known: $(cut -d' ' -f1 "$work/known.txt" | tr '\n' ' '))" >&2; exit 2; }
# The set-up steps of the suites that run, in file order.
: >"$share/setup.txt"
while read -r suite program arguments; do
    cut -d' ' -f1 "$work/known.txt" | grep -qxF "$suite" || { echo "x86: x86-setup.txt names an unknown suite: $suite" >&2; exit 2; }
    if cut -d' ' -f1 "$share/suites.txt" | grep -qxF "$suite"; then echo "$suite $program $arguments" >>"$share/setup.txt"; fi
done <"$work/setup.txt"
qemu-img create -q -f qcow2 -F qcow2 -b "$machine/base.qcow2" "$work/overlay.qcow2"

say "running$(cut -d' ' -f1 "$share/suites.txt" | tr '\n' ' ' | sed 's/^/ /') in the emulated machine"
heavy_begin
guest_status=0
run_guest "$machine" "$work/overlay.qcow2" "$share" "${QLCLAPI_X86_SECONDS:-5400}" || guest_status=$?
heavy_end
sed 's/^/x86 guest: /' "$share/job.log" 2>/dev/null || true

results="$build/x86-results"
rm -rf "$results"
mkdir -p "$results"
cp "$share"/results/* "$share/console.log" "$results/" 2>/dev/null || true

failed=0
passed_tests=0
failed_tests=0
while read -r suite program arguments; do
    log="$results/$suite.log"
    status=$(cat "$results/$suite.status" 2>/dev/null || echo none)
    seconds=$(cat "$results/$suite.seconds" 2>/dev/null || echo "?")
    verdict "$log"
    passed_tests=$((passed_tests + ${npassed:-0}))
    if [ "$status" = 0 ] && [ "$good" = 1 ]; then
        say "suite $suite passed: $summary ($seconds s)"
    else
        failed=1
        # A suite that failed without naming failed tests counts as one.
        failed_tests=$((failed_tests + ${nfailed:-0}))
        [ "${nfailed:-0}" -gt 0 ] || failed_tests=$((failed_tests + 1))
        say "suite $suite FAILED (exit status $status, ${summary:-no summary}, $seconds s); its log:"
        { cat "$results/$suite.setup.log" 2>/dev/null; tail -n 60 "$log" 2>/dev/null; } | sed 's/^/    /' || true
    fi
done <"$share/suites.txt"
if [ "$guest_status" -ne 0 ]; then
    failed=1
    say "the emulated machine's job ended with status $guest_status; its console:"
    tail -n 40 "$share/console.log" 2>/dev/null | sed 's/^/    /' || true
fi
if [ "$failed" -eq 0 ]; then say "every suite passed"; else say "some suites failed"; fi
echo "x86: $passed_tests passed, $failed_tests failed"
exit "$failed"

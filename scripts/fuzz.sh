#!/bin/sh
# Runs every fuzz target of the native build to a budget of executions
# (default 10^7 each), and keeps what it learnt: the corpus each target
# grew, minimised, replaces its corpus in fuzz/corpus/ for the next run.
# The hand-chosen inputs in fuzz/seeds/ feed every run and are never
# minimised away (nor copied into the corpus).
#
#   scripts/fuzz.sh [EXECUTIONS] [TARGET...]     (TARGET: address_parse, ...)
#
# Resumable: the executions done so far and the growing corpus live in
# build/native/fuzz-budget/<target>/; an interrupted run goes on from there,
# a finished target is not run again until that folder is removed. Findings
# (crash-, leak-, timeout-, oom- files) stay there and are listed at the end.
# CI keeps its short runs (ctest's native.fuzz.*); this is for long ones.
set -eu
cd "$(dirname "$0")/.."

budget=${1:-10000000}
[ $# -gt 0 ] && shift
chunk=1000000
build=build/native
state=$build/fuzz-budget

[ -f $build/build.ninja ] || scripts/setup.sh >/dev/null
if [ $# -gt 0 ]; then
    targets="$*"
else
    # Every fuzz_<target> the build knows, so that new targets join by themselves.
    targets=$(cmake --build $build --target help | sed -n 's/^fuzz_\([A-Za-z0-9_]*\): .*/\1/p' | sort -u)
fi
[ -n "$targets" ] || { echo "fuzz: no fuzz targets in $build" >&2; exit 1; }
cmake --build $build --target $(for t in $targets; do printf 'fuzz_%s ' "$t"; done) >/dev/null

report=""
for target in $targets; do
    dir=$state/$target
    mkdir -p "$dir/corpus" "$dir/findings"
    [ -f "$dir/executed" ] || { echo 0 >"$dir/executed"; cp fuzz/corpus/$target/* fuzz/seeds/$target/* "$dir/corpus/" 2>/dev/null || true; }
    done_runs=$(cat "$dir/executed")
    while [ "$done_runs" -lt "$budget" ] && ! ls "$dir/findings" | grep -q .; do
        runs=$((budget - done_runs))
        [ $runs -gt $chunk ] && runs=$chunk
        log="$dir/last.log"
        $build/fuzz/fuzz_$target -runs=$runs -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix="$dir/findings/" "$dir/corpus" >"$log" 2>&1 || true
        executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
        done_runs=$((done_runs + ${executed:-0}))
        echo $done_runs >"$dir/executed"
        echo "fuzz: $target $done_runs / $budget executions"
        [ -n "$executed" ] || { echo "fuzz: $target stopped early, see $log" >&2; break; }
    done
    # Minimise: the committed corpus first, so its inputs are preferred.
    merged=$dir/merged
    rm -rf "$merged" && mkdir -p "$merged"
    $build/fuzz/fuzz_$target -merge=1 "$merged" fuzz/corpus/$target "$dir/corpus" >"$dir/merge.log" 2>&1
    for seed in fuzz/seeds/$target/*; do rm -f "$merged/${seed##*/}"; done  # named by content: the same input
    if ls "$merged" | grep -q .; then
        before=$(ls fuzz/corpus/$target | wc -l)
        rm -f fuzz/corpus/$target/*
        cp "$merged"/* fuzz/corpus/$target/
        after=$(ls fuzz/corpus/$target | wc -l)
    else
        before=$(ls fuzz/corpus/$target | wc -l) after=$before
    fi
    findings=$(ls "$dir/findings" | wc -l)
    report="$report$(printf '%-24s %12s executions  %3s findings  corpus %s -> %s' "$target" "$done_runs" "$findings" "$before" "$after")
"
done
echo "== fuzz figures (budget $budget executions each)"
printf '%s' "$report"
ls $state/*/findings/* 2>/dev/null && exit 1
exit 0

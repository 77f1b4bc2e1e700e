#!/bin/sh
# Counts the instructions addr_bench spends per address in each mode under
# callgrind (repeatable, unlike wall time) and prints the ratios of this
# library's parse and format to inet_pton and inet_ntop measured in the same
# run. Only the bench_* loops are counted, so building the corpus is not.
#
#   bench/native/run_callgrind.sh [path/to/addr_bench] [rounds]
set -eu

bench=${1:-build/bench-native/bench/native/addr_bench}
rounds=${2:-20}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Instructions per address of one mode and family.
measure() {
    out="$work/$1.$2"
    valgrind --tool=callgrind --toggle-collect='bench_*' --callgrind-out-file="$out" \
        "$bench" "$1" "$2" "$rounds" >"$out.txt" 2>"$out.log"
    count=$(awk '/^addresses/ {print $2}' "$out.txt")
    ir=$(awk '/^(summary|totals):/ {print $2; exit}' "$out")
    awk -v ir="$ir" -v n="$count" 'BEGIN {printf "%.1f", ir / n}'
}

printf '%-6s %-10s %12s %12s %8s\n' family operation ours libc ratio
for family in v4 v6; do
    for pair in parse:inet_pton format:inet_ntop; do
        ours_mode=${pair%%:*}
        libc_mode=${pair##*:}
        ours=$(measure "$ours_mode" "$family")
        libc=$(measure "$libc_mode" "$family")
        ratio=$(awk -v a="$ours" -v b="$libc" 'BEGIN {printf "%.2f", a / b}')
        printf '%-6s %-10s %12s %12s %8s\n' "$family" "$ours_mode" "$ours" "$libc" "$ratio"
    done
done
echo "(instructions per address; ratio = ours / libc, below 1 is faster)"
for family in v4 v6; do
    printf '%-6s %-10s %12s %12s %8s\n' "$family" parse_port "$(measure parse_port "$family")" - -
done
echo "(parse_port: the same addresses with a port, through the full token-based parse)"

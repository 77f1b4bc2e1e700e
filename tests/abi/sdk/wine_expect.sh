# Sourced by the SDK checks that run programs under Wine against the
# simulated client of the win64 build; the caller sets source (the sources'
# folder) and win64 (the win64 build) first.
#   run PROGRAM [ARGS...]          the program under Wine
#   expect LINE PROGRAM [ARGS...]  it exits 0 and prints LINE among its
#                                  lines; shows its output and exit code,
#                                  and sets faults=1 otherwise
wine_script="$source/scripts/wine.sh"
faults=0
run() { "$wine_script" run "$win64" "$@"; }
expect() {
    line=$1 program=$2
    shift 2
    status=0
    output=$(run "$program" "$@" 2>&1) || status=$?
    output=$(printf '%s\n' "$output" | tr -d '\r')
    echo "$(basename "$program")${1:+ $*} (exit $status):"
    printf '%s\n' "$output" | sed 's/^/  /'
    [ $status = 0 ] && printf '%s\n' "$output" | grep -qxF "$line" || { echo "expected \"$line\""; faults=1; }
}

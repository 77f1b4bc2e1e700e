# Sourced by scripts/test-x86.sh (the x86 lane) and scripts/wine.sh (the
# x64 suites): whether a suite's log shows a pass.
#
# A suite passes when its program exited 0 and its summary says so: under
# Wine a crashed program can exit 0. A GoogleTest program must say PASSED
# and nothing FAILED; any other must close with "N passed, 0 failed", N > 0.
# verdict LOG sets summary, its counts npassed and nfailed, and good=1 when
# the summary is a pass.
verdict() {
    text="$1.text"
    { tr -d '\r' <"$1" || true; } >"$text" 2>/dev/null
    good=0
    summary=$(grep -h -E '^\[==========\] [0-9]+ tests? from .* ran' "$text" | tail -n 1 | sed 's/^\[==========\] //')
    if [ -n "$summary" ]; then
        npassed=$(grep -h -E '^\[  PASSED  \] [0-9]+' "$text" | tail -n 1 | grep -o -E '[0-9]+' | head -n 1)
        nfailed=$(grep -h -E '^\[  FAILED  \] [0-9]+ tests?, listed below' "$text" | grep -o -E '[0-9]+' | head -n 1)
        if [ -n "$npassed" ] && ! grep -q -E '^\[  FAILED  \]' "$text"; then good=1; fi
    else
        # The closing line: the last that is not empty.
        summary=$(grep -v -E '^[[:space:]]*$' "$text" | tail -n 1 |
            grep -E '^([A-Za-z_-]+: )?[0-9]+ passed, [0-9]+ failed(, [0-9]+ skipped)?$' | sed -E 's/^[A-Za-z_-]+: //')
        npassed=$(echo "$summary" | sed -n -E 's/^([0-9]+) passed.*/\1/p')
        nfailed=$(echo "$summary" | sed -n -E 's/^[0-9]+ passed, ([0-9]+) failed.*/\1/p')
        if [ "${npassed:-0}" -gt 0 ] && [ "$nfailed" = 0 ]; then good=1; fi
    fi
    rm -f "$text"
}

#!/usr/bin/env bash
# The companion tool as a script would use it: its output and exit codes.
set -u
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
expect() {  # expect CODE PATTERN -- ARGS...
    local code=$1 pattern=$2
    shift 3
    local out status
    out=$("$tool" "$@" 2>&1)
    status=$?
    if [ "$status" -ne "$code" ] || ! grep -qE -- "$pattern" <<<"$out"; then
        echo "FAIL: tilvaren-solutions $* -> exit $status, wanted $code and /$pattern/:"
        echo "$out"
        failures=$((failures + 1))
    fi
}

: >"$work/empty.csv"
expect 0 'Usage' -- --help
expect 1 'unknown option' -- --frobnicate
expect 1 'date' -- --since yesterday "$work/empty.csv"
expect 1 'frame' -- --frame 7 "$work/empty.csv"
expect 2 'no register' -- "$work/missing.csv"
expect 2 'Is a directory|not a regular' -- "$work"
expect 0 '6 x 10: 0 of 2339' -- "$work/empty.csv"
expect 0 'cup positions: 22 23 24 25 32 33 34 35' -- "$work/empty.csv"
expect 3 'holds 0 distinct' -- --show 1 "$work/empty.csv"
printf 'not a register line\r\n' >"$work/damaged.csv"
expect 0 'Damaged lines \(not counted\): 1' -- "$work/damaged.csv"
expect 0 '1 lines, 1 damaged' -- "$work/damaged.csv"
# The register must not change by being read.
before=$(sha256sum "$work/damaged.csv")
"$tool" "$work/damaged.csv" >/dev/null
[ "$before" = "$(sha256sum "$work/damaged.csv")" ] || { echo "FAIL: the register changed"; failures=$((failures + 1)); }

echo "$((12 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

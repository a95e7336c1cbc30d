#!/usr/bin/env bash
# The companion tool as a script would use it: its output and exit codes.
set -u
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Every run within 100 MB of address space where the build allows it (sanitizer
# builds reserve far more): no register may make the tool hold it whole.
if { (ulimit -v 100000 && "$tool" --help); } >/dev/null 2>&1; then ulimit -v 100000; fi
checks=0
failures=0
expect() {  # expect CODE PATTERN -- ARGS...
    local code=$1 pattern=$2
    shift 3
    local out status
    # A tool that waits on a FIFO would hang the suite: the guard makes it a failure.
    out=$(timeout 300 "$tool" "$@" 2>&1)
    status=$?
    checks=$((checks + 1))
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
for day in 2026/13/01 2026/04/31 2027/02/29 0000/01/01; do
    expect 1 'date' -- --since "$day" "$work/empty.csv"
done
expect 0 'new since 2028/02/29' -- --since 2028/02/29 "$work/empty.csv"
expect 1 'path is empty' -- ""
expect 1 'frame' -- --frame 7 "$work/empty.csv"
expect 2 'no register' -- "$work/missing.csv"
expect 2 'Is a directory|not a regular' -- "$work"
mkfifo "$work/fifo"
expect 2 'not a regular file' -- "$work/fifo"
expect 0 '6 x 10: 0 of 2339' -- "$work/empty.csv"
expect 0 'cup positions: 22 23 24 25 32 33 34 35' -- "$work/empty.csv"
expect 3 'holds 0 distinct' -- --show 1 "$work/empty.csv"
printf 'not a register line\r\n' >"$work/damaged.csv"
expect 0 'Damaged lines \(not counted\): 1' -- "$work/damaged.csv"
expect 0 '1 lines, 1 damaged' -- "$work/damaged.csv"

# A line longer than any register line is damaged however well formed, and a
# 16 MB line of commas is one damaged line, not 16 million fields in memory.
cells=$(sed 's/./&,/g' <<<UUXIIIIINNNFTWYYYYZVUXXXPPLNNFFFTWWYZZZVUUXPPPLLLLFTTTWWZVVV)
line="3,--,-,-,${cells}2026/01/02,12:00:00,2026/01/02,12:00:00,0001"
{
    printf '%s\r\n%s%05000d\r\n' "$line" "$line" 0
    head -c 16777216 /dev/zero | tr '\0' ,
    printf '\n%s\n' "$line"
} >"$work/long.csv"
expect 0 '3 x 20: 1 of 2 distinct solutions \(2 lines\)' -- "$work/long.csv"
expect 0 'Damaged lines \(not counted\): 2 3$' -- "$work/long.csv"

# Solutions by their fixed numbers: the last 6 x 10 one, first found turned half
# round, then again as it is, and the first 3 x 20 one in between.
last6=UUXIIIIIZZUXXXNTTTZYUUXNNFTZZYVVVNFFTWYYVPPNLFFWWYVPPPLLLLWW
record() {  # record FRAME LETTERS DATE
    printf '%s,--,-,-,%s%s,12:00:00,%s,12:00:00,0001\r\n' "$1" "$(sed 's/./&,/g' <<<"$2")" "$3" "$3"
}
{
    record 6 "$(rev <<<"$last6")" 2026/12/08
    record 3 UUXIIIIINNNFTWYYYYZVUXXXPPLNNFFFTWWYZZZVUUXPPPLLLLFTTTWWZVVV 2026/12/09
    record 6 "$last6" 2026/12/10
} >"$work/numbered.csv"
out=$("$tool" --list "$work/numbered.csv")
checks=$((checks + 1))
if [ "$out" != $'6x10 2339 2026/12/08 2\n3x20 1 2026/12/09 1' ]; then
    echo "FAIL: --list gave:"
    echo "$out"
    failures=$((failures + 1))
fi
expect 0 '^6 x 10 solution 1, No. 2339, first recorded 2026/12/08 \(line 1\):$' -- --show 1 "$work/numbered.csv"
expect 0 '^W W L L L L P P P V$' -- --show --number 2339 "$work/numbered.csv"
expect 0 '^3 x 20 solution 1, No. 1,' -- --number 1 --frame 3 "$work/numbered.csv"
expect 3 'does not hold 3 x 20 solution No. 2$' -- --frame 3 --show --number 2 "$work/numbered.csv"

# The register must not change by being read.
before=$(sha256sum "$work/damaged.csv")
"$tool" "$work/damaged.csv" >/dev/null
checks=$((checks + 1))
[ "$before" = "$(sha256sum "$work/damaged.csv")" ] || { echo "FAIL: the register changed"; failures=$((failures + 1)); }

# Output that cannot be written is a failure, not a silent success.
out=$("$tool" "$work/empty.csv" 2>&1 >/dev/full)
status=$?
checks=$((checks + 1))
if [ "$status" -ne 4 ] || ! grep -q 'cannot write' <<<"$out"; then
    echo "FAIL: a report to /dev/full -> exit $status: $out"
    failures=$((failures + 1))
fi

# Past a file-size limit (ulimit -f) the report fails like any other write: no
# signal ends the tool, and the file it was appended to stays as it was.
head -c 4096 /dev/zero | tr '\0' x >"$work/large.txt"
before=$(sha256sum "$work/large.txt")
out=$( (ulimit -f 1 && exec "$tool" "$work/empty.csv" >>"$work/large.txt") 2>&1)
status=$?
checks=$((checks + 1))
if [ "$status" -ne 4 ] || ! grep -qF '出力を書き込めません（ファイルが大きすぎます）' <<<"$out" ||
    [ "$before" != "$(sha256sum "$work/large.txt")" ]; then
    echo "FAIL: a report past the file-size limit -> exit $status: $out"
    failures=$((failures + 1))
fi

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

#!/usr/bin/env bash
# scripts/check-translations.py on real .ts files: a finished one passes
# silently; an unfinished one fails and lists exactly the messages a release
# would show untranslated or that no longer belong, each with its line; what
# is not a .ts file at all is an error of its own, never a pass.
set -u
script=$1
fixtures=$(dirname "$0")/ts
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '<?xml version="1.0"?>\n<html><body/></html>\n' >"$work/other.ts"
printf '<TS version="2.1"><context><name>x</name>' >"$work/cut.ts"
mkfifo "$work/pipe.ts"
cat >"$work/unfinished.out" <<'LIST'
unfinished.ts:10: Menu: "ターン(&T)": unfinished
unfinished.ts:14: Menu: "ミラー(&M)": unfinished, empty
unfinished.ts:18: Menu: "リセット(&R)": vanished
unfinished.ts:22: Menu: "目次(&C)": obsolete
unfinished.ts:26: Menu: "ヒント(&H)": empty
unfinished.ts:30: Menu: "挑戦": empty
unfinished.ts:36: Strip: "完成まで あと %n 通り": empty plural form 2
unfinished.ts:47: Strip: "読めない行 %n": no plural forms
LIST
: >"$work/none.out"

checks=0
failures=0
while IFS='|' read -r what status listed files; do
    checks=$((checks + 1))
    # Relative names, so the list reads as it does for a developer.
    (cd "$fixtures" && python3 "$script" $files) >"$work/out" 2>"$work/err"
    got=$?
    if [ "$got" -ne "$status" ] || ! diff -u "$work/$listed" "$work/out" >"$work/diff"; then
        echo "FAIL: $what: exit status $got, wanted $status"
        cat "$work/diff" "$work/err"
        failures=$((failures + 1))
    fi
done <<TABLE
a finished file passes and lists nothing|0|none.out|finished.ts
an unfinished file fails, listing each message to finish|1|unfinished.out|unfinished.ts
with a finished file too, the unfinished one still fails|1|unfinished.out|finished.ts unfinished.ts
an XML file that is not a .ts file is an error|2|none.out|$work/other.ts
a file cut short is an error|2|none.out|$work/cut.ts
a pipe is turned away, not waited on|2|none.out|$work/pipe.ts
a missing file is an error|2|none.out|$work/missing.ts
no file named is an error|2|none.out|
TABLE

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

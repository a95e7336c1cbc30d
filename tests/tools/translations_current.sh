#!/usr/bin/env bash
# The game's own .ts file is finished, and stays so when lupdate reads the
# sources again: a text added to the code and not yet translated, or one the
# code no longer has, fails here until `update_translations` has been run and
# the new texts translated.
# Usage: translations_current.sh LUPDATE CHECKER TS -- LUPDATE-OPTIONS... -- SOURCES...
set -u
lupdate=$1 checker=$2 ts=$3
shift 3
[ "${1:-}" = -- ] && shift
options=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
    # Kept: what the sources no longer hold is reported, not dropped.
    [ "$1" != -no-obsolete ] && options+=("$1")
    shift
done
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
python3 "$checker" "$ts" || status=1
cp "$ts" "$work/current.ts"
if ! "$lupdate" -silent "${options[@]}" "$@" -ts "$work/current.ts" >"$work/lupdate.out" 2>&1; then
    cat "$work/lupdate.out"
    status=1
fi
(cd "$work" && python3 "$checker" current.ts) || status=1
[ "$status" -eq 0 ] && echo "$(basename "$ts"): every text translated"
exit "$status"

#!/usr/bin/env bash
# scripts/install-deps.sh against stand-ins for id, dpkg-query, sudo and
# apt-get: what apt is asked to do, and that it asks no question whether run as
# root or through sudo (which, like the real one, passes on no environment).
set -u
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
cat >"$work/bin/id" <<'STUB'
#!/bin/sh
echo "$FAKE_UID"
STUB
cat >"$work/bin/dpkg-query" <<'STUB'
#!/bin/sh
[ "$FAKE_INSTALLED" = all ] && printf 'install ok installed'
STUB
cat >"$work/bin/sudo" <<'STUB'
#!/bin/sh
echo sudo >>"$FAKE_LOG"
exec env -i PATH="$PATH" FAKE_LOG="$FAKE_LOG" "$@"
STUB
cat >"$work/bin/apt-get" <<'STUB'
#!/bin/sh
echo "apt-get frontend=${DEBIAN_FRONTEND:-unset} $*" >>"$FAKE_LOG"
STUB
chmod +x "$work/bin"/*

matches() {  # matches PATTERN LOG: "-" wants apt not run at all
    if [ "$1" = - ]; then [ ! -s "$2" ]; else grep -qzP -- "$1" "$2"; fi
}
checks=0
failures=0
while IFS='|' read -r what uid installed pattern; do
    log=$work/log
    : >"$log"
    checks=$((checks + 1))
    if ! env -u DEBIAN_FRONTEND PATH="$work/bin:$PATH" FAKE_UID="$uid" FAKE_INSTALLED="$installed" \
        FAKE_LOG="$log" bash "$script" >"$work/out" 2>&1 ||
        ! matches "$pattern" "$log"; then
        echo "FAIL: $what: wanted /$pattern/ in:"
        cat "$log" "$work/out"
        failures=$((failures + 1))
    fi
done <<'TABLE'
as root: apt asks nothing, without sudo|0|none|\Aapt-get frontend=noninteractive update -q\napt-get frontend=noninteractive install -y -q --no-install-recommends \S.*\n\z
through sudo: the setting survives sudo|1000|none|\Asudo\napt-get frontend=noninteractive update -q\nsudo\napt-get frontend=noninteractive install -y -q --no-install-recommends \S.*\n\z
all present: apt is not asked|1000|all|-
TABLE

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

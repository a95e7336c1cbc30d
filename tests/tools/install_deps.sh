#!/usr/bin/env bash
# scripts/install-deps.sh against stand-ins for id, dpkg-query (nothing is
# installed), sudo (which, like the real one, passes on no environment) and
# apt-get: apt must ask no question, as root and through sudo alike.
set -u
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
printf '#!/bin/sh\necho "$FAKE_UID"\n' >"$work/bin/id"
printf '#!/bin/sh\nexit 1\n' >"$work/bin/dpkg-query"
printf '#!/bin/sh\necho sudo >>"$LOG"\nexec env -i PATH="$PATH" LOG="$LOG" "$@"\n' >"$work/bin/sudo"
printf '#!/bin/sh\necho "apt-get frontend=${DEBIAN_FRONTEND:-unset} $*" >>"$LOG"\n' >"$work/bin/apt-get"
chmod +x "$work/bin"/*

checks=0
failures=0
while IFS='|' read -r what uid pattern; do
    : >"$work/log"
    checks=$((checks + 1))
    if ! env -u DEBIAN_FRONTEND PATH="$work/bin:$PATH" FAKE_UID="$uid" LOG="$work/log" \
        bash "$script" >"$work/out" 2>&1 || ! grep -qzP -- "$pattern" "$work/log"; then
        echo "FAIL: $what: wanted /$pattern/ in:"
        cat "$work/log" "$work/out"
        failures=$((failures + 1))
    fi
done <<'TABLE'
as root, without sudo|0|\Aapt-get frontend=noninteractive update -q\napt-get frontend=noninteractive install -y -q --no-install-recommends \S.*\n\z
through sudo, which resets the environment|1000|\Asudo\napt-get frontend=noninteractive update -q\nsudo\napt-get frontend=noninteractive install -y -q --no-install-recommends \S.*\n\z
TABLE

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

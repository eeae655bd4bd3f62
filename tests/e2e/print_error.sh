#!/usr/bin/env bash
# A program builds strings with the helpers and the temporary stack, prints through Print and
# Write, then raises a runtime error: the message appears as "TITLE: message" on standard error
# (the title is the executable's name) and the exit code is 0.
set -u
exe=$1
title=$(basename "$exe")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$exe" cpu >"$tmp/out" 2>"$tmp/err"
rc=$?
[ "$rc" -eq 0 ] || { echo "exit code $rc, want 0"; cat "$tmp/err"; exit 1; }
printf 'Answer: 42\nfrom data\ncpu\ncpuIntel\nobjects steady\n' | cmp -s - "$tmp/out" || { echo "stdout:"; cat "$tmp/out"; exit 1; }
[ "$(cat "$tmp/err")" = "$title: Fatal: cpu" ] || { echo "stderr:"; cat "$tmp/err"; exit 1; }
echo ok

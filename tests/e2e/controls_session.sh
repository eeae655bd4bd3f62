#!/usr/bin/env bash
# A program with a button, a check box, a slider and a combo box runs under the scripted user of
# the headless platform, which also answers its colour and file requesters; the program prints
# what it read back.
set -u
exe=$1
title=$(basename "$exe")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cat >"$tmp/script" <<SCRIPT
click "Flip"
slider #1 45
slider #1 pagedown
pick #1 "PNG"
click "Colour..."
answer color 200 100 50
click "Save"
answer file "$tmp/shot"
close "Scripted"
SCRIPT
TROVA_HEADLESS_SCRIPT="$tmp/script" timeout 120 "$exe" >"$tmp/out" 2>"$tmp/err"
rc=$?
[ "$rc" -eq 0 ] || { echo "exit code $rc, want 0"; cat "$tmp/err"; exit 1; }
printf 'flip 1\nsize 55\nformat 2\ncolour 200 100 50\nfile %s/shot.png\n' "$tmp" | cmp -s - "$tmp/out" || { echo "stdout:"; cat "$tmp/out"; exit 1; }
[ "$(cat "$tmp/err")" = "$title: Done" ] || { echo "stderr:"; cat "$tmp/err"; exit 1; }
echo ok

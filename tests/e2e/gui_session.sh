#!/usr/bin/env bash
# A program image opens a window with a menu and a timer; the scripted user chooses a menu item,
# presses and releases Print Screen and closes the window. The program sees each as an event, in
# order, from its own WaitEvent loop, and ends with exit code 0. A second run ends the waiting
# program with the scripted user's quit, which must end it as End does: exit code 0.
set -u
exe=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cat >"$tmp/script" <<'SCRIPT'
desktop 800 600
wait 150
menu 9
menu 5
key down 183
key up 183
close "Session"
wait 5000
quit
SCRIPT
TROVA_HEADLESS_SCRIPT="$tmp/script" timeout 60 "$exe" >"$tmp/out" 2>"$tmp/err"
rc=$?
[ "$rc" -eq 0 ] || { echo "exit code $rc, want 0"; cat "$tmp/err"; exit 1; }
printf 'tick\n00001001 9\n00001001 5\n00000102 183\nclosed\n' | cmp -s - "$tmp/out" || { echo "stdout:"; cat "$tmp/out"; cat "$tmp/err"; exit 1; }
[ ! -s "$tmp/err" ] || { echo "stderr:"; cat "$tmp/err"; exit 1; }

printf 'wait 300\nquit\n' >"$tmp/script"
TROVA_HEADLESS_SCRIPT="$tmp/script" timeout 60 "$exe" >"$tmp/out" 2>"$tmp/err"
rc=$?
[ "$rc" -eq 0 ] || { echo "quit: exit code $rc, want 0"; cat "$tmp/err"; exit 1; }
printf 'tick\n' | cmp -s - "$tmp/out" || { echo "quit: stdout:"; cat "$tmp/out"; exit 1; }
[ ! -s "$tmp/err" ] || { echo "quit: stderr:"; cat "$tmp/err"; exit 1; }
echo ok

#!/usr/bin/env bash
# The program image of gui_session.sh, unchanged, on the Qt platform under a private X server: a
# user at the X server (xdotool) chooses Exit and Open from the File menu with the keyboard,
# presses Print Screen and closes the window with the window manager's Alt+F4. The program prints
# the same events it prints when the headless scripted user does the same.
set -u
exe=$1
tmp=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$tmp"' EXIT
timeout 60 "$exe" >"$tmp/out" 2>"$tmp/err" &
pid=$!
win=$(xdotool search --sync --onlyvisible --name '^Session$' | head -1)
[ -n "$win" ] || { echo "no window"; exit 1; }
sleep 0.5
key() { xdotool windowactivate --sync "$win" key "$@"; sleep 0.4; }
key alt+f
key x
key alt+f
key o
key Print
key alt+F4
wait "$pid"
rc=$?
pid=""
[ "$rc" -eq 0 ] || { echo "exit code $rc, want 0"; cat "$tmp/out" "$tmp/err"; exit 1; }
# A key pressed while a menu has the keyboard is the menu's, its release included: the mnemonic
# keys that chose the items (x, o) raise nothing, as the headless user's choices raise nothing.
printf 'tick\n00001001 9\n00001001 5\n00000102 183\nclosed\n' | cmp -s - "$tmp/out" || { echo "stdout:"; cat "$tmp/out"; exit 1; }
echo ok

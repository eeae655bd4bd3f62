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
# The program's shown windows (its menus are windows of their own); waits until there are n.
owner=$(xprop -id "$win" _NET_WM_PID | sed 's/.*= //')
tries=$(awk "BEGIN { print int(100 * ${TROVA_TEST_TIME_SCALE:-1}) }")
shown() {
  for _ in $(seq 1 "$tries"); do
    [ "$(xdotool search --onlyvisible --pid "$owner" 2>/dev/null | wc -l)" -eq "$1" ] && return 0
    sleep 0.1
  done
  echo "waited for $1 windows of the program"; return 1
}
key() { xdotool windowactivate --sync "$win" key "$@"; }
shown 1
key alt+f && shown 2
key x && shown 1
key alt+f && shown 2
key o && shown 1
key Print
# The window manager closes the window, as its close button does.
wmctrl -i -c "$win"
wait "$pid"
rc=$?
pid=""
[ "$rc" -eq 0 ] || { echo "exit code $rc, want 0"; cat "$tmp/out" "$tmp/err"; exit 1; }
# A key pressed while a menu has the keyboard is the menu's, its release included: the mnemonic
# keys that chose the items (x, o) raise nothing, as the headless user's choices raise nothing.
printf 'tick\n00001001 9\n00001001 5\n00000102 183\nclosed\n' | cmp -s - "$tmp/out" || { echo "stdout:"; cat "$tmp/out"; exit 1; }
echo ok

#!/usr/bin/env bash
# The runnable folder build/pictorra, copied fresh and started on the headless platform with
# the real Win32 subset, helper and user libraries: the scripted user sees the main window (its
# gadget tree is compared with the tables), and ends it through the Exit menu. The configuration
# file then holds the defaults and the centred position, DirectX print-screen support is off
# again, and a second instance started meanwhile ended silently. Skipped (77) while the folder
# lacks libraries.
set -u
folder=$1
inputs=$(cd "$(dirname "$0")/../inputs/app" && pwd)
for lib in kernel32.dll user32.dll shell32.dll advapi32.dll data/Dexolan.dll data/Clipboard.dll data/FreeImage.dll; do
    [ -e "$folder/$lib" ] || { echo "SKIPPED: $folder/$lib is not built"; exit 77; }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

cp -r "$folder" "$tmp/Pictorra Copy"
cd "$tmp/Pictorra Copy" || exit 1
rm -f data/PTConfig.dat data/PT001.vxg # left by a run of the folder itself
export TROVA_PLATFORM=headless TROVA_MUTEX_DIR="$tmp/locks" TROVA_REGISTRY_HKLM="$tmp/hklm.reg"
export TROVA_OSVERSION=5.0.2195.2 HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config"
mkdir -p "$tmp/locks" "$HOME/Desktop" "$XDG_CONFIG_HOME"
echo 'XDG_DESKTOP_DIR="$HOME/Desktop"' >"$XDG_CONFIG_HOME/user-dirs.dirs"
printf 'TROVA REGISTRY 1\n[SOFTWARE\\Microsoft\\DirectDraw]\nEnablePrintScreen=4:00000000\n' >"$tmp/hklm.reg"

cat >"$tmp/first" <<SCRIPT
desktop 1024 768
wait 100
dump "$tmp/tree.txt"
wait 2500
menu 40
wait 5000
quit
SCRIPT
cat >"$tmp/second" <<'SCRIPT'
desktop 1024 768
wait 100
dump "second-tree.txt"
quit
SCRIPT

TROVA_HEADLESS_SCRIPT="$tmp/first" timeout 60 ./pictorra >"$tmp/out" 2>"$tmp/err" &
first=$!
for _ in $(seq 1 100); do [ -e "$tmp/tree.txt" ] && break; sleep 0.1; done
[ -e "$tmp/tree.txt" ] || fail "the main window was not shown: $(cat "$tmp/err")"
grep -q 'EnablePrintScreen=4:01000000' "$tmp/hklm.reg" || fail "DirectX print-screen support not switched on: $(cat "$tmp/hklm.reg")"
TROVA_HEADLESS_SCRIPT="$tmp/second" timeout 60 ./pictorra >"$tmp/out2" 2>"$tmp/err2"
rc2=$?
[ $rc2 -eq 0 ] && [ ! -s "$tmp/out2" ] && [ ! -s "$tmp/err2" ] && [ ! -e second-tree.txt ] \
    || fail "second instance: exit $rc2, window $( [ -e second-tree.txt ] && echo shown || echo none), $(cat "$tmp/err2")"
wait $first
rc=$?
[ $rc -eq 0 ] || fail "exit code $rc: $(cat "$tmp/err")"
[ ! -s "$tmp/err" ] || fail "stderr: $(cat "$tmp/err")"

diff -u "$inputs/main-window.tree" "$tmp/tree.txt" >"$tmp/diff" || fail "window tree differs: $(cat "$tmp/diff")"
desktop="$HOME/Desktop"
size=$(stat -c %s data/PTConfig.dat 2>/dev/null || echo 0)
[ "$size" = $((104 + ${#desktop})) ] || fail "configuration file has $size bytes, want $((104 + ${#desktop}))"
want=$(printf '%s\n' 500 295 262 237 0 0 0 255 255 255 1 0 0 1 0 0 90 1 0 0 0 0 1 0 0 ${#desktop})
got=$(od -An -t d4 -v -N 104 data/PTConfig.dat | tr -s ' ' '\n' | sed '/^$/d')
[ "$got" = "$want" ] || fail "configuration ints: $(echo $got)"
[ "$(tail -c ${#desktop} data/PTConfig.dat)" = "$desktop" ] || fail "auto-save folder: $(tail -c 40 data/PTConfig.dat)"
grep -q 'EnablePrintScreen=4:00000000' "$tmp/hklm.reg" || fail "EnablePrintScreen left on: $(cat "$tmp/hklm.reg")"
for f in qorvexlogo.png camera.ogg pictorra.ico data/PTConfig.tmp data/PT001.vxg; do
    [ ! -e "$f" ] || fail "$f left behind"
done

[ $failures -eq 0 ] || exit 1
echo ok

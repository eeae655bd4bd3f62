#!/usr/bin/env bash
# Pictorra started from a fresh copy of its folder whose data pack (data/Pictorra.pak) is hostile:
# entries named like the program's own files, a directory text that never ends a field. Start-up
# comes up, shows its window, and deletes only what it extracted.
set -u
folder=$1
kxpak=$2
assets=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export TROVA_PLATFORM=headless
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
privatehome "$tmp"

# A fresh copy of the folder whose pack holds the assets and the entries given (kxpak's
# FILE=NAME), its count field optionally set by --count N first.
fresh() {
    rm -rf "$tmp/run" && cp -r "$folder" "$tmp/run" && cd "$tmp/run" || exit 1
    "$kxpak" data/Pictorra.pak --key 0x5A3C96E1 --header-key 0x2B7D4F18 "$@" \
        "$assets/qorvexlogo.png" "$assets/camera.ogg" "$assets/pictorra.ico" >/dev/null || exit 1
}

# Starts Pictorra, dumps its windows and ends it through Exit; a start that hangs fails.
run() {
    printf 'wait 300\ndump "tree.txt"\nmenu 40\nwait 3000\nquit\n' >script
    TROVA_HEADLESS_SCRIPT=script timeout 120 ./pictorra >out 2>err
    local rc=$?
    [ "$rc" = 0 ] || fail "$case: exit code $rc: $(head -c 300 err)"
    grep -q '^Window "Pictorra' tree.txt 2>/dev/null || fail "$case: no main window: $(head -3 tree.txt 2>&1)"
}

# ---- Entries named like the program's files: clean-up leaves them alone --------------------------
case=ownfiles
printf 'not the program' >"$tmp/decoy"
fresh "$tmp/decoy=pictorra" "$tmp/decoy=kernel32.dll" "$tmp/decoy=user32.dll"
sums=$(md5sum pictorra kernel32.dll user32.dll)
run
[ "$(md5sum pictorra kernel32.dll user32.dll 2>&1)" = "$sums" ] || fail "$case: the program's files changed: $(ls)"
for f in qorvexlogo.png camera.ogg pictorra.ico; do [ ! -e "$f" ] || fail "$case: extracted $f not cleaned up"; done

# ---- A directory whose last field never ends (2 MB of text without a field end): start-up reads
# it in one pass and comes up with the entries before it -------------------------------------------
case=endless
fresh --count 4
# Zero bytes unscramble to the key's bytes, none of which ends a field.
head -c 2000000 /dev/zero >>data/Pictorra.pak
run

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo ok

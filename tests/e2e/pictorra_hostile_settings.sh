#!/usr/bin/env bash
# Pictorra from a fresh copy of its folder with a damaged or hand-edited configuration file
# (data/PTConfig.dat): every start comes up, captures still reach a folder, and the file written
# at Exit is sound again.
set -u
folder=$1
inputs=$(cd "$(dirname "$0")/../inputs/app" && pwd)
desk=$inputs/desktop.png
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export TROVA_PLATFORM=headless
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
privatehome "$tmp"

# Configuration fields by index as in pictorra_session.sh: 20 save format, 21 JPEG quality, 24
# auto-save.
DEFAULTS=(500 295 262 237 0 0 0 255 255 255 1 0 0 1 0 0 90 1 0 0 0 0 0 0 1)

# A fresh copy of the folder with the given fields and folder text (printf format).
fresh() {
    local dir=$1
    shift
    rm -rf "$tmp/run" && cp -r "$folder" "$tmp/run" && cd "$tmp/run" && mkdir shots || exit 1
    local cfg=("${DEFAULTS[@]}") kv
    for kv in "$@"; do cfg[${kv%%=*}]=${kv#*=}; done
    local length=$(printf "$dir" | wc -c)
    { le32 "${cfg[@]}"; le32 "$length"; printf "$dir"; } >data/PTConfig.dat
}

# Runs Pictorra with a Print Screen and Exit; a start that hangs counts as failed.
run() {
    cat >script <<SCRIPT
wait 300
desktop-image "$desk"
wait 100
key down 183
wait 100
key up 183
wait 400
dump "tree.txt"
menu 40
wait 3000
quit
SCRIPT
    TROVA_HEADLESS_SCRIPT=script timeout 120 ./pictorra >out 2>err
    local rc=$?
    [ "$rc" = 0 ] || fail "$case: exit code $rc: $(head -c 300 err)"
}

# The 4-byte field number n of the configuration file.
field() { od -An -t d4 -j $(($1 * 4)) -N 4 data/PTConfig.dat | tr -d ' '; }

# ---- A list index past its list reads as the default and is stored sound at Exit -----------------
case=listindex
for setting in "20=3" "21=2147483647" "20=3 21=4"; do
    # shellcheck disable=SC2086
    fresh "$tmp/run/shots" $setting
    run
    ! grep -q 'Gadget item list index out of range' err || fail "$case $setting: the start ended with an error"
    [ "$(field 20)$(field 21)" = 00 ] || fail "$case $setting: stored format and quality $(field 20) $(field 21)"
    [ "$(ls shots | grep -c '^Screenshot-.*\.bmp$')" = 1 ] || fail "$case $setting: no BMP auto-saved: $(ls shots)"
done
# Indexes the lists hold are kept as they were.
fresh "$tmp/run/shots" 20=2 21=3
run
[ "$(field 20)$(field 21)" = 23 ] || fail "$case: sound indexes changed: $(field 20) $(field 21)"
[ "$(ls shots | grep -c '\.png$')" = 1 ] || fail "$case: PNG not auto-saved: $(ls shots)"

# ---- An auto-save folder holding a NUL byte names no folder: captures go to the default one -------
case=nulfolder
fresh "$tmp/run/shots\\0000/x"
mkdir -p shots/x
run
[ "$(ls shots/x | wc -l)$(ls shots | wc -l)" = 01 ] || fail "$case: saved under the text before the NUL: $(ls -R shots)"
[ "$(ls "$HOME" | grep -c '^Screenshot-.*\.bmp$')" = 1 ] || fail "$case: not saved in the default folder: $(ls "$HOME")"
tr -d '\0' <data/PTConfig.dat | grep -q "shots" && fail "$case: the folder with the NUL byte was stored again"
rm -f "$HOME"/Screenshot-*

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo ok

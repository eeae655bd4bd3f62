#!/usr/bin/env bash
# Pictorra's saves where the disk is full, the process is killed mid-write, or the folder holds
# links and folders under the names it writes: no partial picture ever has a final name, nothing
# is written through a link Pictorra did not make, and a thumbnail that cannot be written costs
# only the thumbnail. Fresh copies of the runnable folder on the headless platform.
#
# The full disk is a 1 MB tmpfs where this process may mount one (root); elsewhere a 1 MB file
# size limit with SIGXFSZ ignored, which fails writes the same way. The kill is the file size
# limit's own SIGXFSZ, which ends the process at the very write that crosses 1 MB, wherever the
# writer's buffering puts it (a count of write calls to inject a kill at would not be as exact).
set -u
folder=$1
inputs=$(cd "$(dirname "$0")/../inputs/app" && pwd)
desk=$inputs/desktop.png
tmp=$(mktemp -d)
mnt=
cleanup() {
    [ -n "$mnt" ] && umount "$mnt" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT
# The sound library's null output: probing an audio server makes shared memory that would cross
# the file size limit first.
export TROVA_PLATFORM=headless ALSOFT_DRIVERS=null
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
privatehome "$tmp"

DEFAULTS=(500 295 262 237 0 0 0 255 255 255 1 0 0 1 0 0 90 1 0 0 0 0 0 0 1)

# A fresh copy of the folder, auto-saving into shots (a folder, or the path given) with the given
# field overrides.
fresh() {
    rm -rf "$tmp/run" && cp -r "$folder" "$tmp/run" && cd "$tmp/run" && mkdir -p shots || exit 1
    local cfg=("${DEFAULTS[@]}") kv shots=$tmp/run/shots
    for kv in "$@"; do cfg[${kv%%=*}]=${kv#*=}; done
    { le32 "${cfg[@]}"; le32 ${#shots}; printf %s "$shots"; } >data/PTConfig.dat
}

# The scripted user: a 1024 x 768 desktop (a 2,359,350-byte BMP), Print Screen, then the lines
# given, then Exit.
script() {
    {
        echo 'wait 300'$'\n''desktop 1024 768'$'\n''wait 100'
        echo 'key down 183'$'\n''wait 100'$'\n''key up 183'$'\n''wait 400'
        printf '%s\n' "$@"
        echo 'menu 40'$'\n''wait 3000'$'\n''quit'
    } >script
}

# Runs Pictorra, with the arguments as a command prefix (a limit).
run() {
    TROVA_HEADLESS_SCRIPT=script timeout 120 "$@" ./pictorra >out 2>err
    echo $?
}

# A full disk of 1 MB at shots: how is "mounted" for a tmpfs, else "limited" for the file size limit.
fulldisk() {
    how=limited
    if [ "$(id -u)" = 0 ] && mount -t tmpfs -o size=1m tmpfs shots 2>/dev/null; then
        mnt=$tmp/run/shots
        how=mounted
    fi
}
release() { [ -n "$mnt" ] && umount "$mnt" && mnt=; }

finals() { find shots -maxdepth 1 -name 'Screenshot-*' | wc -l; }

# ---- A full disk: the auto-save fails with its warning and leaves no partial picture; Save As
# leaves the user's file as it was ---------------------------------------------------------------
case=fulldisk
fresh
fulldisk
printf 'the user'"'"'s own picture' >shots/mine.bmp
script 'click "Save As"' "answer file \"$tmp/run/shots/mine.bmp\"" 'answer button ok'
if [ "$how" = mounted ]; then
    rc=$(run)
else
    rc=$(trap '' XFSZ; run bash -c 'ulimit -f 1024; exec "$0"')
fi
[ "$rc" = 0 ] || fail "$case ($how): exit code $rc: $(head -c 300 err)"
[ "$(finals)" = 0 ] || fail "$case ($how): a partial picture under its final name: $(ls -l shots)"
[ "$(grep -c 'VXFI - Error Saving Image (BMP)' err)" = 2 ] || fail "$case ($how): warnings: $(cat err)"
[ "$(cat shots/mine.bmp)" = "the user's own picture" ] || fail "$case ($how): Save As damaged the existing file: $(ls -l shots)"
[ -z "$(ls -A shots | grep -v '^mine.bmp$')" ] || fail "$case ($how): temporary files left: $(ls -A shots)"
release

# ---- Killed in the middle of an auto-save: no partial picture under a final name ------------------
case=killed
fresh
script
rc=$(run bash -c 'ulimit -f 1024; exec "$0"')
# Killed by the limit (128 + SIGXFSZ) after the thumbnail, at the picture's write.
[ "$rc" = 153 ] && [ -e data/PT001.vxg ] || fail "$case: not killed at the picture's write: $rc $(ls data)"
[ "$(finals)" = 0 ] || fail "$case: a partial picture under its final name: $(ls -l shots)"

# ---- A dangling link under the next name: the capture takes the next free name, nothing is
# written where the link points -------------------------------------------------------------------
case=links
fresh 20=2
mkdir outside
# Every name the capture could get in the next minute is a link into outside/.
for s in $(seq 0 60); do
    ln -s "$tmp/run/outside/taken$s.png" "shots/Screenshot-$(LC_ALL=C date -d "+$s seconds" +%d%b%Y-%H%M%S).png"
done
script
rc=$(run)
[ "$rc" = 0 ] || fail "$case: exit code $rc: $(head -c 300 err)"
[ -z "$(ls outside)" ] || fail "$case: written through a link: $(ls outside)"
saved=$(find shots -maxdepth 1 -type f -name 'Screenshot-*(2).png')
[ -n "$saved" ] && [ "$(identify -format %wx%h "$saved" 2>&1)" = 1024x768 ] || fail "$case: no picture of its own: $(ls shots | grep -v -- '-[0-9]*\.png$')"

# ---- A folder where every name the capture could take is taken: the search for a free name gives
# up with the save's warning ---------------------------------------------------------------------
case=taken
# The clock stands still at one second (libfaketime; timers keep the real monotonic clock), so
# the names the capture could take are known however long the machine takes to start it.
faketime=/usr/lib/i386-linux-gnu/faketime/libfaketime.so.1
if [ -e "$faketime" ]; then
    fresh
    stem=shots/Screenshot-05Mar2026-120000
    { printf '%s\n' "$stem.bmp"; for n in $(seq 2 10000); do printf '%s\n' "$stem($n).bmp"; done; } | xargs -d '\n' touch
    script
    rc=$(run env TZ=UTC LD_PRELOAD=$faketime FAKETIME="2026-03-05 12:00:00" DONT_FAKE_MONOTONIC=1)
    [ "$rc" = 0 ] || fail "$case: exit code $rc: $(head -c 300 err)"
    grep -q 'VXFI - Error Saving Image (BMP)' err || fail "$case: no warning: $(cat err)"
    [ -z "$(find shots -type f -size +0)" ] || fail "$case: the search went past its bound: $(find shots -type f -size +0)"
    rm -rf shots
else
    echo "skipped $case: libfaketime:i386 is not installed (tools/setup installs it)"
fi

# ---- A thumbnail that cannot be written: a warning, and the capture is kept and auto-saved -------
case=thumbnail
fresh 20=2
mkdir data/PT001.vxg
script 'dump "tree.txt"' 'click "Save As"' "answer file \"$tmp/run/saved.png\""
rc=$(run)
[ "$rc" = 0 ] || fail "$case: exit code $rc: $(head -c 300 err)"
grep -q 'Pictorra - Save Data Error' err || fail "$case: no warning: $(cat err)"
[ "$(finals)" = 1 ] || fail "$case: capture not auto-saved: $(ls shots)"
[ "$(identify -format %wx%h saved.png 2>&1)" = 1024x768 ] || fail "$case: Save As after the warning: $(ls)"
grep -q 'Menu "Preview Screenshot" id=10 checked=0 enabled=1' tree.txt || fail "$case: the capture was not kept"

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo ok

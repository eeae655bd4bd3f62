#!/usr/bin/env bash
# Active Window (Full) and (Content) when the foreground window's geometry cannot be read (no
# foreground window, or one that vanished): the capture ends as a cancelled one, with the status
# message of a too-small window, and the program keeps running until the user chooses Exit.
set -u
exe=$1
folder=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# A home, registry and single-instance mutex of this run's own, so that runs beside it (other
# tests, a Pictorra the user runs) neither block nor switch anything for it.
export HOME=$tmp/home XDG_DATA_HOME=$tmp/home/data XDG_CONFIG_HOME=$tmp/home/config TROVA_MUTEX_DIR=$tmp/mutex
unset XDG_RUNTIME_DIR
mkdir -p "$HOME" "$TROVA_MUTEX_DIR"
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

for source in full content; do
    for foreground in 0 0x7777; do
        rm -rf "$tmp/run" && cp -r "$folder" "$tmp/run" && cp "$exe" "$tmp/run/pictorra" && cd "$tmp/run" || exit 1
        cfg=(500 295 262 237 0 0 0 255 255 255 0 1 0 0 1 0 90 1 0 0 0 0 0 0 1)
        [ $source = content ] && cfg[11]=0 && cfg[12]=1
        { le32 "${cfg[@]}"; le32 1; printf .; } >data/PTConfig.dat
        printf 'wait 200\ndump "tree.txt"\nmenu 40\nwait 3000\nquit\n' >script
        PT_FOREGROUND=$foreground TROVA_HEADLESS_SCRIPT=script timeout 60 ./pictorra >out 2>err
        rc=$?
        what="$source, foreground $foreground"
        [ $rc = 0 ] || fail "$what: exit code $rc: $(cat err)"
        [ "$(cat out)" = "screenshot 0" ] || fail "$what: $(cat out)"
        head -1 tree.txt | grep -q 'status="Window content too small - Operation cancelled"$' || fail "$what: $(head -1 tree.txt)"
        grep -q 'Menu "Preview Screenshot" id=10 checked=0 enabled=0' tree.txt || fail "$what: commands enabled"
    done
done
if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo ok

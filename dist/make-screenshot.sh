#!/usr/bin/env bash
# The software-centre screenshot: a fresh copy of the runnable folder FOLDER started on a private
# Xvfb with a window manager, its main window saved as PNG, Pictorra ended through File > Exit.
# Where Xvfb cannot run here the build goes on without a screenshot (one line says so).
#   make-screenshot.sh SOURCE_DIR FOLDER PNG
set -u
source_dir=$1
folder=$2
png=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp -r "$folder" "$tmp/Pictorra" && rm -f "$tmp/Pictorra/data/PTConfig.dat" "$tmp/Pictorra/data/PT001.vxg" || exit 1
export ALSOFT_DRIVERS=null TROVA_MUTEX_DIR="$tmp/locks" TROVA_REGISTRY_HKLM="$tmp/hklm.reg" HOME="$tmp/home" \
    XDG_CONFIG_HOME="$tmp/home/.config" XDG_DATA_HOME="$tmp/home/.local/share"
mkdir -p "$TROVA_MUTEX_DIR" "$HOME/Desktop"
rm -f "$png"
"$source_dir/tests/support/with-xvfb.sh" --size 800x600x24 "$source_dir/tools/pictorra-snapshot.sh" "$tmp/Pictorra" "$tmp/shot.png" >"$tmp/log" 2>&1
rc=$?
if [ $rc -eq 77 ]; then
    echo "make-screenshot: no screenshot for the metainfo: $(head -1 "$tmp/log")"
    exit 0
fi
if [ $rc -ne 0 ]; then
    echo "make-screenshot: warning: no screenshot for the metainfo, Pictorra's run failed:"
    cat "$tmp/log"
    exit 0
fi
cp "$tmp/shot.png" "$png"

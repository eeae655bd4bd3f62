#!/usr/bin/env bash
# Under Xvfb with a window manager (run by with-xvfb.sh): a fresh copy of the runnable folder
# started on the Qt platform shows its main window, a PNG of which is left at PNG, and ends
# through File > Exit, writing its configuration file.
set -u
here=$(cd "$(dirname "$0")/../.." && pwd)
folder=$1
png=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp -r "$folder" "$tmp/Pictorra"
rm -f "$tmp/Pictorra/data/PTConfig.dat" "$tmp/Pictorra/data/PT001.vxg"
export ALSOFT_DRIVERS=null TROVA_MUTEX_DIR="$tmp/locks" TROVA_REGISTRY_HKLM="$tmp/hklm.reg" HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config"
mkdir -p "$TROVA_MUTEX_DIR" "$HOME/Desktop" "$XDG_CONFIG_HOME"
rm -f "$png"
"$here/tools/pictorra-snapshot.sh" "$tmp/Pictorra" "$png" || exit 1
read -r w h < <(identify -format '%w %h\n' "$png" 2>/dev/null)
[ "${w:-0}" -ge 400 ] && [ "${w:-0}" -le 520 ] && [ "${h:-0}" -ge 200 ] && [ "${h:-0}" -le 320 ] \
    || { echo "FAIL: main window picture is ${w:-?}x${h:-?}"; exit 1; }
[ -e "$tmp/Pictorra/data/PTConfig.dat" ] || { echo "FAIL: no configuration file written at exit"; exit 1; }
echo ok

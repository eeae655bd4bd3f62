#!/usr/bin/env bash
# On the current X display: starts Pictorra in FOLDER (its working directory) on the Qt
# platform, waits for its main window, saves a PNG of it to PNG, then ends it the way a user
# does, through File > Exit, and checks that it ended. Exit code 0 when all of that worked.
#   pictorra-snapshot.sh FOLDER PNG
set -u
folder=$1
png=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
cd "$folder" || exit 1
TROVA_PLATFORM=qt ./pictorra &
pid=$!
trap 'kill $pid 2>/dev/null' EXIT

win=$(timeout 60 xdotool search --sync --onlyvisible --name '^Pictorra$' 2>/dev/null | head -1)
if [ -z "$win" ]; then
    echo "pictorra-snapshot: the main window did not appear"
    exit 1
fi
sleep 1.5
import -window "$win" "$png" || { echo "pictorra-snapshot: no picture of the window"; exit 1; }

# File > Exit: open the File menu from the menu bar, then the last item (Exit) and Enter.
xdotool windowactivate --sync "$win" 2>/dev/null
xdotool mousemove --window "$win" 18 10 click 1
sleep 0.7
xdotool key --clearmodifiers Up Return
for _ in $(seq 1 100); do
    kill -0 $pid 2>/dev/null || break
    sleep 0.1
done
if kill -0 $pid 2>/dev/null; then
    echo "pictorra-snapshot: Pictorra did not end through File > Exit"
    exit 1
fi
wait $pid
rc=$?
trap - EXIT
echo "Pictorra's main window: $png"
exit $rc

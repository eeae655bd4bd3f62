#!/usr/bin/env bash
# make run: starts Pictorra from the runnable folder BUILD/pictorra, on the user's X display.
# Without a display it starts it on a private Xvfb with a window manager instead, leaves a PNG
# of the main window under BUILD/, ends it through File > Exit and says where the PNG is.
#   run-pictorra.sh [BUILD]
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
folder=$build/pictorra
[ -x "$folder/pictorra" ] || { echo "run-pictorra: $folder/pictorra is not built (make build)"; exit 1; }

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    cd "$folder" && exec ./pictorra
fi
echo "No X display: running Pictorra on a private Xvfb."
export ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null}
exec "$here/tests/support/with-xvfb.sh" "$here/tools/pictorra-snapshot.sh" "$folder" "$build/pictorra-main-window.png"

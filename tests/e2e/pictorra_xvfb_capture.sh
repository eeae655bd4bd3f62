#!/usr/bin/env bash
# Under Xvfb with a window manager (run by with-xvfb.sh), Pictorra on the Qt platform as a user
# meets it:
#   - Full Desktop with Hide and auto-save as PNG: Print Screen (xdotool) writes a PNG equal to a
#     grab of the screen without Pictorra's window; the thumbnail shows in the main window;
#   - File > Export To Clipboard gives a picture xclip reads, the capture's size;
#   - Active Window (Full) of a foreign window (ImageMagick's display) matches xwininfo -frame;
#   - Help > About Pictorra opens the About window with its title; its plasma and ticker move;
#     Ok closes it;
#   - File > Exit writes the configuration file.
# Pictures of the main window after a capture, of the preview and of the About window are left in
# OUTDIR for a person to look at.
#   pictorra_xvfb_capture.sh FOLDER OUTDIR DESKTOP_PNG
set -u
folder=$1
outdir=$2
picture=$3
tmp=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    rm -rf "$tmp"
}
trap cleanup EXIT
export ALSOFT_DRIVERS=null TROVA_MUTEX_DIR="$tmp/locks" TROVA_REGISTRY_HKLM="$tmp/hklm.reg" HOME="$tmp/home" \
    XDG_CONFIG_HOME="$tmp/home/.config" XDG_DATA_HOME="$tmp/home/.data"
mkdir -p "$TROVA_MUTEX_DIR" "$HOME/Desktop" "$XDG_CONFIG_HOME" "$outdir"
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# A fresh copy of the folder, configured with index=value overrides (fields as in
# pictorra_session.sh); auto-save as PNG into shots/.
fresh() {
    rm -rf "$tmp/run" && cp -r "$folder" "$tmp/run" && cd "$tmp/run" && mkdir shots || exit 1
    local cfg=(500 295 262 237 0 0 0 255 255 255 1 0 0 1 0 0 90 1 0 0 2 0 0 0 1) kv shots=$tmp/run/shots
    for kv in "$@"; do cfg[${kv%%=*}]=${kv#*=}; done
    { le32 "${cfg[@]}"; le32 ${#shots}; printf %s "$shots"; } >data/PTConfig.dat
}

start() {
    TROVA_PLATFORM=qt ./pictorra 2>"$tmp/err" &
    pid=$!
    pids+=("$pid")
    findmain 60
    [ -n "$win" ] || { fail "$case: the main window did not appear: $(cat "$tmp/err")"; return 1; }
    sleep 1
}

# The main window's X window now (hiding and showing it may give it a new one).
# (A search that meets a window being destroyed fails with an X error: it is simply repeated.)
findmain() {
    local i
    win=
    for i in $(seq 1 $((${1:-10} * 5))); do
        win=$(xdotool search --onlyvisible --name '^Pictorra$' 2>/dev/null | head -1)
        [ -n "$win" ] && return 0
        sleep 0.2
    done
}

# Waits (up to a minute) until shots/ holds n files and the newest is complete: its size holds
# still and ImageMagick reads it whole. (A PNG of a large screen takes a while to encode on a
# busy machine.)
awaitshots() {
    local newest size
    for _ in $(seq 1 200); do
        if [ "$(ls shots | wc -l)" -ge "$1" ]; then
            newest=shots/$(ls -t shots | head -1)
            size=$(stat -c %s "$newest" 2>/dev/null)
            sleep 0.3
            [ "${size:-0}" -gt 0 ] && [ "$(stat -c %s "$newest" 2>/dev/null)" = "$size" ] \
                && convert "$newest" null: >/dev/null 2>&1 && return 0
        else
            sleep 0.3
        fi
    done
    return 1
}

# Opens the File menu from the menu bar and takes the item reached with the keys given.
filemenu() {
    findmain
    xdotool windowactivate --sync "$win" 2>/dev/null
    openmenu
    xdotool key --clearmodifiers "$@"
    sleep 0.5
}

# The number of Pictorra's visible windows (a menu that drops down is one more).
visiblewindows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }

# Clicks the File menu in the main window's menu bar and waits (up to 10 s) until it has dropped
# down, so that the keys sent next reach it.
openmenu() {
    local before
    before=$(visiblewindows)
    xdotool mousemove --window "$win" "${1:-18}" 10 click 1
    for _ in $(seq 1 50); do
        [ "$(visiblewindows)" -gt "$before" ] && break
        sleep 0.2
    done
    sleep 0.2
}

exitpictorra() {
    filemenu Up Return
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        fail "$case: Pictorra did not end through File > Exit"
        kill "$pid"
    fi
    wait "$pid"
}

# The Print Screen key: the key code whose keysyms are Print and Sys_Req. (The X keymap gives
# the Print keysym a second key code, the one `xdotool key Print` may take, whose events this
# Xvfb does not deliver to the program's window.)
printkey=$(xmodmap -pke | awk '/= Print Sys_Req/ {print $2; exit}')
printkey=${printkey:-Print}

# The desktop shows a known colour.
xsetroot -solid '#203040'

# ---- Full Desktop, Hide, auto-save: Print Screen, thumbnail, export, preview, Exit -------------------
case=fulldesktop
fresh
import -window root "$tmp/before.png"
start || exit 1
xdotool windowactivate --sync "$win" 2>/dev/null
sleep 1
xdotool key --window "$win" "$printkey"
awaitshots 1 || fail "$case: no auto-saved picture after Print Screen: $(cat "$tmp/err")"
shot=$(ls shots/*.png 2>/dev/null | head -1)
if [ -n "$shot" ]; then
    ae=$(compare -metric AE "$shot" "$tmp/before.png" null: 2>&1)
    [ "$ae" = 0 ] || fail "$case: the capture differs from the screen in $ae pixels"
    cp "$shot" "$outdir/pictorra-xvfb-capture.png"
fi
sleep 0.5
findmain
[ "$(ls shots | wc -l)" = 1 ] || fail "$case: one Print Screen gave $(ls shots | wc -l) captures"
import -window "$win" "$outdir/pictorra-xvfb-main-window-after-capture.png"

filemenu Down Down Return
sleep 0.5
clipsize=$(xclip -selection clipboard -t image/png -o 2>/dev/null | identify -format '%wx%h' - 2>/dev/null)
[ "$clipsize" = "$(xdpyinfo | sed -n 's/ *dimensions: *\([0-9]*x[0-9]*\) pixels.*/\1/p')" ] \
    || fail "$case: clipboard picture after Export To Clipboard: '$clipsize'"

filemenu Down Return
preview=$(timeout 10 xdotool search --sync --onlyvisible --name '^Screenshot Preview' 2>/dev/null | head -1)
if [ -n "$preview" ]; then
    sleep 1
    import -window "$preview" "$outdir/pictorra-xvfb-preview.png"
    xdotool windowactivate --sync "$preview" key --clearmodifiers alt+F4 2>/dev/null
    sleep 1
else
    fail "$case: the preview window did not open"
fi

# ---- Help > About Pictorra: the window, its plasma and ticker moving, Ok ------------------------------
case=about
# The Help menu, clicked in the menu bar (its title starts about 97 pixels in); Up from the top
# wraps round to its last item, About. (Tried again after a while should a busy machine have
# swallowed the first try; Esc only while a menu is open, as Pictorra's window takes Esc itself.)
about=
for _ in 1 2 3; do
    findmain
    xdotool windowactivate --sync "$win" 2>/dev/null
    menus=$(visiblewindows)
    openmenu 97
    xdotool key --clearmodifiers Up Return
    about=$(timeout 20 xdotool search --sync --onlyvisible --name '^About Pictorra$' 2>/dev/null | head -1)
    [ -n "$about" ] && break
    [ "$(visiblewindows)" -gt "$menus" ] && xdotool key --clearmodifiers Escape 2>/dev/null
done
if [ -n "$about" ]; then
    title=$(xprop -id "$about" _NET_WM_NAME WM_NAME 2>/dev/null)
    case "$title" in
        *'"About Pictorra"'*) ;;
        *) fail "$case: the window's title as X has it: $title" ;;
    esac
    # Two pictures a moment apart differ while the plasma and the ticker move; the first is
    # taken once the window has drawn a frame (it is no longer one colour).
    for _ in $(seq 1 50); do
        import -window "$about" "$tmp/about1.png" 2>/dev/null             && [ "$(identify -format '%k' "$tmp/about1.png" 2>/dev/null)" -gt 8 ] && break
        sleep 0.2
    done
    moved=
    for _ in $(seq 1 20); do
        sleep 0.3
        import -window "$about" "$tmp/about2.png" 2>/dev/null || continue
        ae=$(compare -metric AE "$tmp/about1.png" "$tmp/about2.png" null: 2>&1)
        [ "${ae%% *}" != 0 ] && moved=$ae && break
    done
    [ -n "$moved" ] || fail "$case: two pictures of the About window are the same: nothing moves"
    cp "$tmp/about2.png" "$outdir/pictorra-xvfb-about.png"
    # Ok (192, 181, 80 × 22 in the window) closes it and gives the main window back.
    xdotool mousemove --window "$about" 232 192 click 1
    for _ in $(seq 1 100); do
        xdotool search --onlyvisible --name '^About Pictorra$' >/dev/null 2>&1 || break
        sleep 0.1
    done
    xdotool search --onlyvisible --name '^About Pictorra$' >/dev/null 2>&1 \
        && fail "$case: the About window stayed open after Ok"
else
    fail "$case: the About window did not open: $(cat "$tmp/err")"
fi

case=fulldesktop
rm -f data/PTConfig.dat
exitpictorra
[ -e data/PTConfig.dat ] || fail "$case: no configuration file written at Exit"

# ---- Active Window (Full) of a foreign window --------------------------------------------------------
case=activewindow
fresh 10=0 11=1
start || exit 1
display -title Foreign -geometry +300+200 "$picture" 2>/dev/null &
pids+=($!)
foreign=$(timeout 20 xdotool search --sync --onlyvisible --name '^Foreign' 2>/dev/null | head -1)
if [ -n "$foreign" ]; then
    xdotool windowactivate --sync "$foreign" 2>/dev/null
    sleep 1
    xdotool key "$printkey"
    awaitshots 1 || fail "$case: no capture of the foreign window: $(cat "$tmp/err")"
    shot=$(ls shots/*.png 2>/dev/null | head -1)
    # The window manager's frame around it: its top-level ancestor.
    frame=$foreign
    root=$(xwininfo -root | awk '/Window id:/ {print $4}')
    for _ in 1 2 3 4; do
        parent=$(xwininfo -tree -id "$frame" | awk '/Parent window id:/ {print $4}')
        [ -z "$parent" ] || [ "$((parent))" = "$((root))" ] && break
        frame=$parent
    done
    want=$(xwininfo -frame -id "$frame" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
    [ -n "$shot" ] && [ "$(identify -format '%wx%h' "$shot")" = "$want" ] \
        || fail "$case: capture $(identify -format '%wx%h' "$shot" 2>&1), frame $want"
else
    fail "$case: the foreign window did not appear"
fi
exitpictorra

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo ok

#!/usr/bin/env bash
# Under Xvfb with a window manager (run by with-xvfb.sh), Pictorra's command line as a script or a
# desktop key binding uses it:
#   - --help and bad options: status and one line;
#   - no running instance: --capture writes the file (or says why not) and shows no window;
#   - a running instance takes --capture=window and --capture=full --clipboard over its socket
#     (owner-only), with --delay capturing what the screen shows when the countdown ends;
#   - the clipboard outlives Pictorra: after Exit the picture still pastes as PNG and BMP (BMP of
#     a large screen by INCR), until another client copies something.
#   - with a clipboard manager running, the picture goes to it instead (SAVE_TARGETS);
#   - Print Screen while another program holds the keyboard grab (its menu open) captures that
#     program's window with the menu, once per press.
#   pictorra_xvfb_commandline.sh FOLDER CLIPBOARD_MANAGER GRAB_POPUP
set -u
folder=$1
manager=$2
grabber=$3
# Every wait below is a multiple of this many seconds (raise it on a slow machine).
unit=${TROVA_TEST_WAIT:-10}
tmp=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    rm -rf "$tmp"
}
trap cleanup EXIT
export ALSOFT_DRIVERS=null TROVA_PLATFORM=qt TROVA_MUTEX_DIR="$tmp/locks" TROVA_REGISTRY_HKLM="$tmp/hklm.reg" \
    HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" XDG_DATA_HOME="$tmp/home/.data"
export XDG_RUNTIME_DIR="$tmp/xdg-runtime"
mkdir -p "$TROVA_MUTEX_DIR" "$HOME/Desktop" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
screen=$(xdpyinfo | awk '/dimensions:/ {print $2; exit}')
xsetroot -solid '#203040'
cp -r "$folder" "$tmp/run" && cd "$tmp/run" || exit 1

size() { identify -format '%wx%h' "$1" 2>/dev/null; }
# Waits (up to 3 units) until the window called $1 is visible; its id in $found.
await() {
    found=
    for _ in $(seq 1 $((15 * unit))); do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
        [ -n "$found" ] && return 0
        sleep 0.2
    done
    return 1
}
# Runs pictorra with the arguments; status in $rc, standard error in $tmp/err.
cli() { ./pictorra "$@" >"$tmp/out" 2>"$tmp/err"; rc=$?; }
# Waits (up to a unit) until process $1 (if any) has ended.
gone() {
    for _ in $(seq 1 $((10 * unit))); do
        [ -n "$1" ] && kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}
# Closes window $1 as its title bar's close button does (the window manager's close request) and
# waits (up to a unit) until process $2 has ended; a process that stays is ended and fails the case.
closemain() {
    wmctrl -i -c "$1"
    gone "$2" || { kill "$2" 2>/dev/null; fail "$case: Pictorra did not end when its window was closed"; }
    wait "$2" 2>/dev/null
}
oneline() { [ "$(wc -l <"$tmp/err")" = 1 ] && grep -q "^pictorra: $1" "$tmp/err"; }

# ---- Help and bad options ------------------------------------------------------------------------
case=help
cli --help
[ $rc = 0 ] && grep -q -- '--capture=full|window|client' "$tmp/out" || fail "$case: --help gave $rc: $(cat "$tmp/out")"
for bad in --capture=desk --frobnicate "--capture=full --delay=soon" "--capture=full --output=a.gif" --delay=2; do
    cli $bad
    [ $rc = 2 ] && oneline "" || fail "$case: '$bad' gave $rc: $(cat "$tmp/err")"
done

# ---- No running instance: one capture, no window ----------------------------------------------------
case=oneshot
import -window root "$tmp/desk.png"
cli --capture=full --output=one.png
[ $rc = 0 ] || fail "$case: status $rc: $(cat "$tmp/err")"
[ "$(compare -metric AE one.png "$tmp/desk.png" null: 2>&1)" = 0 ] || fail "$case: one.png is not the screen: $(size one.png)"
[ ! -e data/PT001.vxg ] || fail "$case: the thumbnail file stayed"
cli --capture=full --output=/nonexistent/shot.bmp
[ $rc = 1 ] && oneline "cannot write /nonexistent/shot.bmp" || fail "$case: unwritable path gave $rc: $(cat "$tmp/err")"
cli --capture=full
[ $rc = 1 ] && oneline "Pictorra is not running" || fail "$case: nothing to write gave $rc: $(cat "$tmp/err")"
[ -z "$(xdotool search --name '^Pictorra$' 2>/dev/null)" ] || fail "$case: a Pictorra window was left"

# ---- Transparent Corners (PNG): the mask's pixels clear in PNG and on the clipboard, opaque in BMP ----
case=corners
display -title 'Other Program' -size 300x200 xc:'#c04020' &
pids+=($!)
await '^Other Program$' && other=$found || fail "$case: the other window did not appear"
# Active Window (Full) with the corner mask in magenta; Transparent Corners on.
{ le32 500 295 262 237 0 0 0 255 0 255 0 1 0 1 1 0 90 1 0 0 2 0 0 0 0; le32 0; } >data/PTConfig.dat
le32 0x31585450 0 1 $((0x31585450 ^ 1 ^ 0x5EED1E55)) >data/PTOptions.dat
xdotool windowactivate --sync "$other" 2>/dev/null
cli --capture=window --output=corners.png --clipboard
[ $rc = 0 ] || fail "$case: status $rc: $(cat "$tmp/err")"
cli --capture=window --output=corners.bmp
w=$(identify -format %w corners.png 2>/dev/null)
# The XP mask: runs of 5, 3, 2, 1, 1 pixels from each top corner.
want=$(for xy in 0,0 1,0 2,0 3,0 4,0 0,1 1,1 2,1 0,2 1,2 0,3 0,4; do
    x=${xy%,*} y=${xy#*,}
    echo "$x,$y"
    echo "$((w - 1 - x)),$y"
done | sort)
# The pixels whose alpha is not 255, and those whose alpha is 0.
alpha() { convert "$1" -alpha extract -depth 8 txt:- 2>/dev/null | awk -F: -v want="$2" 'NR > 1 && (want == "clear" ? /#000000/ : !/#FFFFFF/) {print $1}' | sort; }
[ "$(alpha corners.png clear)" = "$want" ] && [ "$(alpha corners.png any)" = "$want" ] \
    || fail "$case: transparent pixels in the PNG: $(alpha corners.png any | tr '\n' ' ')"
xclip -selection clipboard -t image/png -o >clip.png
[ "$(alpha clip.png clear)" = "$want" ] && [ "$(alpha clip.png any)" = "$want" ] \
    || fail "$case: transparent pixels on the clipboard: $(alpha clip.png any | tr '\n' ' ')"
[ "$(convert corners.bmp -format '%[opaque] %[hex:p{0,0}] %[hex:p{4,0}]' info: 2>/dev/null | tr A-Z a-z)" = "true ff00ff ff00ff" ] \
    || fail "$case: the BMP does not show the mask colour opaquely"
rm -f data/PTConfig.dat data/PTOptions.dat

# ---- A running instance takes requests ------------------------------------------------------------
case=running
./pictorra 2>"$tmp/main-err" &
pid=$!
pids+=("$pid")
await '^Pictorra$' || fail "$case: the main window did not appear: $(cat "$tmp/main-err") $(pgrep -fa pictorra)"
sock=$(ls "$TROVA_MUTEX_DIR"/*.sock 2>/dev/null | head -1)
[ -n "$sock" ] && [ "$(stat -c %a "$sock")" = 600 ] || fail "$case: socket ${sock:-missing} not owner-only"
xdotool windowactivate --sync "$other" 2>/dev/null
cli --capture=window --output=win.bmp
left=0 right=0 top=0 bottom=0
read -r left right top bottom < <(xprop -id "$other" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
frame=$((300 + left + right))x$((200 + top + bottom))
[ $rc = 0 ] && [ "$(size win.bmp)" = "$frame" ] || fail "$case: window capture $rc $(size win.bmp) vs $frame: $(cat "$tmp/err")"
kill -0 "$pid" 2>/dev/null || fail "$case: the running Pictorra ended"

# The delay counts down in the running instance; a window that opens meanwhile is in the picture.
case=delay
./pictorra --capture=full --delay=$unit --output=late.png 2>"$tmp/late-err" &
late=$!
display -title 'Opened Later' -geometry +40+40 -size 200x150 xc:'#10e010' &
pids+=($!)
await '^Opened Later$' || fail "$case: the later window did not appear"
wait "$late"
[ $? = 0 ] || fail "$case: status: $(cat "$tmp/late-err")"
[ "$(convert late.png -format '%[pixel:p{100,100}]' info: 2>/dev/null)" = "srgb(16,224,16)" ] \
    || fail "$case: the picture was taken before the countdown ended"
for _ in $(seq 1 $((10 * unit))); do [ "$(xdotool getactivewindow 2>/dev/null)" = "$found" ] && break; sleep 0.1; done
[ "$(xdotool getactivewindow 2>/dev/null)" = "$found" ] || fail "$case: the capture took the focus from the active window"

# ---- The clipboard outlives Pictorra ----------------------------------------------------------------
case=clipboard
echo "the user's text" | xclip -selection clipboard -i
cli --capture=full --clipboard
[ $rc = 0 ] || fail "$case: status $rc: $(cat "$tmp/err")"
targets=$(xclip -selection clipboard -t TARGETS -o)
[ "$(echo "$targets" | grep -c '^image/')" = 2 ] || fail "$case: offered $targets"
closemain "$(xdotool search --onlyvisible --name '^Pictorra$' | head -1)" "$pid"
xclip -selection clipboard -t image/png -o >after.png
xclip -selection clipboard -t image/bmp -o >after.bmp
[ "$(size after.png)" = "$screen" ] && [ "$(size after.bmp)" = "$screen" ] \
    || fail "$case: after Exit the clipboard gave $(size after.png) and $(size after.bmp), not $screen"
keeper=$(pgrep -u "$(id -u)" -f "$tmp/run/trova-clipkeeper" | head -1)
[ -n "$keeper" ] || fail "$case: no keeper runs"
echo copied | xclip -selection clipboard -i
gone "$keeper" || fail "$case: the keeper stayed after another copy"
[ "$(xclip -selection clipboard -o)" = copied ] || fail "$case: the other client's copy was lost"

# Without a running instance the clipboard picture is kept just the same.
cli --capture=full --clipboard
[ $rc = 0 ] && [ "$(xclip -selection clipboard -t image/png -o | identify -format '%wx%h' - 2>/dev/null)" = "$screen" ] \
    || fail "oneshot clipboard: $rc: $(cat "$tmp/err")"
keeper=$(pgrep -u "$(id -u)" -f "$tmp/run/trova-clipkeeper" | head -1)
echo done | xclip -selection clipboard -i
gone "$keeper" || fail "oneshot clipboard: the keeper stayed after another copy"

case=manager
: >"$tmp/manager-out"
"$manager" >"$tmp/manager-out" &
mpid=$!
pids+=("$mpid")
for _ in $(seq 1 $((10 * unit))); do grep -q ready "$tmp/manager-out" && break; sleep 0.1; done
./pictorra 2>"$tmp/main-err" &
pid=$!
pids+=("$pid")
await '^Pictorra$' || fail "$case: the main window did not appear: $(cat "$tmp/main-err") $(pgrep -fa pictorra)"
cli --capture=full --clipboard
[ $rc = 0 ] || fail "$case: status $rc: $(cat "$tmp/err")"
closemain "$found" "$pid"
grep -q saved "$tmp/manager-out" || fail "$case: the manager was not asked to save the picture"
[ -z "$(pgrep -u "$(id -u)" -f "$tmp/run/trova-clipkeeper")" ] || fail "$case: a keeper runs beside the manager"
[ "$(xclip -selection clipboard -t image/png -o | identify -format '%wx%h' - 2>/dev/null)" = "$screen" ] \
    || fail "$case: the manager does not paste the picture"
echo over | xclip -selection clipboard -i
gone "$mpid" || fail "$case: the manager kept serving after another copy"

# ---- Print Screen during another program's keyboard grab ----------------------------------------------
case=grab
# Active Window (Full), auto-save as PNG into shots/.
mkdir -p shots
{ le32 500 295 262 237 0 0 0 255 255 255 0 1 0 1 0 0 90 1 0 0 2 0 0 0 1; le32 ${#PWD}+6; printf %s "$PWD/shots/"; } >data/PTConfig.dat
./pictorra 2>"$tmp/main-err" &
pid=$!
pids+=("$pid")
await '^Pictorra$' || fail "$case: the main window did not appear: $(cat "$tmp/main-err") $(pgrep -fa pictorra)"
mkfifo "$tmp/grab-in"
: >"$tmp/grab-out"
"$grabber" 0x3050a0 0xe0c020 <"$tmp/grab-in" >"$tmp/grab-out" &
pids+=($!)
exec 7>"$tmp/grab-in"
for _ in $(seq 1 $((5 * unit))); do grep -q grabbed "$tmp/grab-out" && break; sleep 0.2; done
grep -q grabbed "$tmp/grab-out" || fail "$case: the grabbing program did not take the keyboard"
grabwin=$(xdotool search --name '^Grabbing Program$' | head -1)
read -r left right top bottom < <(xprop -id "$grabwin" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
printkey=$(xmodmap -pke | awk '/= Print Sys_Req/ {print $2; exit}')
# Waits (up to 6 units) until shots/ holds $1 complete pictures.
awaitshots() {
    for _ in $(seq 1 $((20 * unit))); do
        [ "$(ls shots | wc -l)" -ge "$1" ] && convert "shots/$(ls -t shots | head -1)" null: >/dev/null 2>&1 && return 0
        sleep 0.3
    done
    return 1
}
for press in 1 2; do
    xdotool key "${printkey:-Print}"
    awaitshots $press || fail "$case: no capture for press $press: $(cat "$tmp/main-err")"
done
shot=shots/$(ls -tr shots | head -1)
[ "$(size "$shot")" = "$((300 + left + right))x$((200 + top + bottom))" ] || fail "$case: capture $(size "$shot")"
at() { convert "$shot" -format "%[hex:p{$1,$2}]" info: 2>/dev/null | cut -c1-6; }
[ "$(at $((left + 100)) $((top + 70)))" = E0C020 ] && [ "$(at $((left + 250)) $((top + 150)))" = 3050A0 ] \
    || fail "$case: the menu or the window is not in the picture: $(at $((left + 100)) $((top + 70))) $(at $((left + 250)) $((top + 150)))"
[ "$(ls shots | wc -l)" = 2 ] || fail "$case: $(ls shots | wc -l) captures for two presses"
exec 7>&-
kill "$pid"

[ $failures = 0 ] && echo "pictorra command line: all passed"
exit $((failures > 0))

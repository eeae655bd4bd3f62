#!/usr/bin/env bash
# Pictorra end to end on the headless platform: each case runs a fresh copy of the runnable
# folder (build/pictorra) with a configuration file written for it, a scripted user pressing
# Print Screen, switching windows, clicking and answering requesters, and ImageMagick reading
# what it wrote. The desktop is tests/inputs/app/desktop.png (160 x 120, asymmetric, its blocks
# on an 8-pixel grid so that a 50 % point-sampled copy is exact).
set -u
folder=$1
inputs=$(cd "$(dirname "$0")/../inputs/app" && pwd)
desk=$inputs/desktop.png
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
privatehome "$tmp"

# 4-byte little-endian integers.
# Configuration fields by index: 10-15 sources and options (Full Desktop, Active Window (Full),
# (Content), Hide, Mask, DirectX), 16 slider, 17 filter, 18/19 flips, 20 format, 21 quality,
# 22-24 camera, auto-minimise, auto-save. The folder text is the case's shots/ folder.
DEFAULTS=(500 295 262 237 0 0 0 255 255 255 1 0 0 1 0 0 90 1 0 0 0 0 0 0 1)

# A fresh copy of the folder as the working directory, configured with index=value overrides.
fresh() {
    rm -rf "$tmp/run" && cp -r "$folder" "$tmp/run" && cd "$tmp/run" && mkdir shots || exit 1
    local cfg=("${DEFAULTS[@]}") kv shots=$tmp/run/shots
    for kv in "$@"; do cfg[${kv%%=*}]=${kv#*=}; done
    { le32 "${cfg[@]}"; le32 ${#shots}; printf %s "$shots"; } >data/PTConfig.dat
}

# Runs Pictorra with the scripted user's actions in the file script (TROVA_OSVERSION passes
# through).
run() {
    TROVA_HEADLESS_SCRIPT=script timeout 120 ./pictorra >out 2>err
    echo $? >rc
    [ "$(cat rc)" = 0 ] || fail "$case: exit code $(cat rc): $(cat err)"
}

# Equal pixels.
same() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }
shots() { ls shots | sort; }
count() { ls shots | wc -l; }
white() { convert "$1" txt:- | grep -c '#FFFFFF'; }
isbmp() { [ "$(head -c 2 "$1")" = BM ] && [ "$(identify -format '%wx%h' "$1" 2>&1)" = "$2" ]; }
pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6; }
status() { head -1 "$1" | sed 's/.* status="\(.*\)"$/\1/'; }
press='key down 183
wait 100
key up 183
wait 400'
enter='wait 300
desktop-image "'$desk'"
wait 100'
leave='menu 40
wait 3000
quit'

# ---- Full Desktop, auto-save as PNG: captures within a second, the thumbnail --------------------
# Four captures run about 100 ms apart; in the order they were written each is named after its
# second, with (2), (3) when earlier ones took that name. A run in which no three share a second
# is repeated.
case=fulldesktop
# The names in writing order are right; prints the largest count of one second's names.
numbered() {
    local f stamp n most=0
    declare -A seen=()
    for f in $(ls -tr shots); do
        stamp=$(echo "$f" | sed -n 's/^Screenshot-\([0-9]\{2\}[A-Z][a-z]\{2\}[0-9]\{4\}-[0-9]\{6\}\)\(([0-9]*)\)\{0,1\}\.png$/\1/p')
        [ -n "$stamp" ] || { echo "bad name $f"; return 1; }
        n=$((${seen[$stamp]:-0} + 1))
        seen[$stamp]=$n
        if [ $n = 1 ]; then [ "$f" = "Screenshot-$stamp.png" ]; else [ "$f" = "Screenshot-$stamp($n).png" ]; fi || { echo "misnumbered $f"; return 1; }
        [ $n -gt $most ] && most=$n
    done
    echo $most
}
for attempt in 1 2 3 4 5; do
    fresh 20=2
    {
        echo "$enter"
        for _ in 1 2 3 4; do echo "key down 183"$'\n'"key up 183"; done
        echo "wait 3000"
        echo "$leave"
    } >script
    TROVA_HEADLESS_SCRIPT=script timeout 120 ./pictorra >out 2>err &
    for _ in $(seq 200); do [ "$(count)" = 4 ] && [ -e data/PT001.vxg ] && break; sleep 0.1; done
    sleep 0.5
    cp data/PT001.vxg thumb.bmp 2>/dev/null
    wait $!
    rc=$?
    [ "$rc" = 0 ] || fail "$case: exit code $rc: $(cat err)"
    most=$(numbered)
    [ "$most" = 3 ] || [ "$most" = 4 ] && break
done
[ "$(count)" = 4 ] && { [ "$most" = 3 ] || [ "$most" = 4 ]; } || fail "$case: auto-saved names ($most): $(ls -tr shots | tr '\n' ' ')"
for f in shots/*; do same "$f" "$desk" || fail "$case: $f differs from the desktop"; done
isbmp thumb.bmp 56x56 || fail "$case: thumbnail file: $(identify thumb.bmp 2>&1)"
# 160 x 120 scales to 56 x 42, centred on black: rows 0-6 stay black.
[ "$(pixel thumb.bmp 28 3)" = 000000 ] && [ "$(pixel thumb.bmp 1 10)" = FF0000 ] || fail "$case: thumbnail pixels"
[ ! -e data/PT001.vxg ] || fail "$case: thumbnail file left after Exit"

# ---- Scaled to 50 % unfiltered and mirrored, as BMP; both flips turn the picture ------------------
case=transform
fresh 16=40 17=0 18=1 20=0 22=1
{ echo "$enter"; echo "$press"; echo "$leave"; } >script
run
convert "$desk" -flop -sample 50% "$tmp/expected.png"
f=$(ls shots/*.bmp 2>/dev/null | head -1)
[ -n "$f" ] && isbmp "$f" 80x60 && same "$f" "$tmp/expected.png" \
    || fail "$case: 50 % mirrored capture: $(identify shots/* 2>&1)"
fresh 18=1 19=1 20=2
{ echo "$enter"; echo "$press"; echo "$leave"; } >script
run
convert "$desk" -rotate 180 "$tmp/expected.png"
same shots/*.png "$tmp/expected.png" || fail "$case: both flips are not half a turn"

# ---- Active Window (Full) and (Content) of a foreign window, captured after the key's release -----
window='window 1 "Notes" 80 24 40 32 84 36 32 16 0'
case=activewindow
fresh 10=0 11=1 20=2
{ echo "$enter"; echo "$window"; echo "activate 1"; echo "wait 300"; echo "$press"; echo "activate program"; echo "wait 300"; echo "$leave"; } >script
run
convert "$desk" -crop 40x32+80+24 +repage "$tmp/expected.png"
same shots/*.png "$tmp/expected.png" || fail "$case: frame capture: $(identify shots/* 2>&1)"
fresh 10=0 12=1 20=2
{ echo "$enter"; echo "$window"; echo "activate 1"; echo "wait 300"; echo "$press"; echo "activate program"; echo "wait 300"; echo "$leave"; } >script
run
convert "$desk" -crop 32x16+84+36 +repage "$tmp/expected.png"
same shots/*.png "$tmp/expected.png" || fail "$case: client capture: $(identify shots/* 2>&1)"

# A client area of 10 pixels in one direction is cancelled; 11 x 11 is captured.
fresh 10=0 12=1 20=2
{
    echo "$enter"
    echo 'window 2 "Tiny" 0 0 20 20 2 2 10 11 0'
    echo "activate 2"$'\n'"wait 300"
    echo "$press"
    echo "activate program"$'\n'"wait 300"
    echo 'dump "cancelled.txt"'
    echo 'window 2 "Tiny" 0 0 20 20 2 2 11 11 0'
    echo "activate 2"$'\n'"wait 300"
    echo "$press"
    echo "activate program"$'\n'"wait 300"
    echo "$leave"
} >script
run
[ "$(status cancelled.txt)" = "Window content too small - Operation cancelled" ] || fail "$case: 10 x 11 not cancelled: $(head -1 cancelled.txt)"
grep -q 'Beep' err || true
[ "$(count)" = 1 ] && [ "$(identify -format %wx%h shots/*)" = 11x11 ] || fail "$case: 11 x 11: $(shots)"

# ---- Corner masks: XP's shape on the direct path; Windows 7 by the window's extended style --------
case=cornermask
fresh 10=0 11=1 14=1 20=2
{ echo "$enter"; echo "$window"; echo "activate 1"; echo "wait 300"; echo "$press"; echo "activate program"; echo "wait 300"; echo "$leave"; } >script
TROVA_OSVERSION=5.1 run
f=$(ls shots/*.png | head -1)
[ "$(white "$f")" = 24 ] || fail "$case: XP painted $(white "$f") pixels, want 12 per top corner"
[ "$(pixel "$f" 4 0)$(pixel "$f" 5 0)$(pixel "$f" 0 4)$(pixel "$f" 0 5)$(pixel "$f" 35 0)$(pixel "$f" 39 4)" = FFFFFF000000FFFFFF000000FFFFFFFFFFFF ] \
    || fail "$case: XP corner pixels"
# Windows 7 takes the picture from the clipboard: the system's Print Screen put it there.
fresh 10=0 11=1 14=1 20=2
{
    echo "$enter"
    for style in -536870912 256 -1; do
        echo "window 1 \"Notes\" 80 24 40 32 84 36 32 16 $style"
        echo "activate 1"$'\n'"wait 300"
        echo "clipboard put \"$desk\""
        echo "$press"
        echo "activate program"$'\n'"wait 300"
    done
    echo "$leave"
} >script
TROVA_OSVERSION=6.1 run
mapfile -t masked < <(ls -tr shots/*.png)
[ "${#masked[@]}" = 3 ] || fail "$case: Windows 7 captures: $(shots)"
[ "$(white "${masked[0]}")" = 48 ] || fail "$case: style digit E painted $(white "${masked[0]}"), want A top and bottom"
[ "$(pixel "${masked[0]}" 39 31)$(pixel "${masked[0]}" 0 27)$(pixel "${masked[0]}" 0 26)" = FFFFFFFFFFFF000000 ] || fail "$case: A bottom pixels"
[ "$(white "${masked[1]}")" = 16 ] || fail "$case: style 256 painted $(white "${masked[1]}"), want B top"
[ "$(pixel "${masked[1]}" 3 0)$(pixel "${masked[1]}" 4 0)$(pixel "${masked[1]}" 0 3)" = FFFFFF000000FFFFFF ] || fail "$case: B top pixels"
[ "$(white "${masked[2]}")" = 24 ] && [ "$(pixel "${masked[2]}" 0 0)" = 000000 ] || fail "$case: style -1 not A bottom only"

# ---- The clipboard route: Hide refreshes the picture by a synthetic Print Screen; a missing picture
# fails the capture; the clipboard is emptied after such captures ---------------------------------------
case=clipboardroute
fresh 20=2
{ echo "$enter"; echo "$press"; echo 'clipboard save "after.bmp"'; echo "$leave"; } >script
TROVA_OSVERSION=6.0 run
same shots/*.png "$desk" || fail "$case: Vista Full Desktop with Hide: $(identify shots/* 2>&1)"
grep -q 'clipboard holds no picture' err || fail "$case: the clipboard was not emptied after the capture"
fresh 13=0 20=2
{
    echo "$enter"
    echo "$press"
    echo 'dump "failed.txt"'
    echo "clipboard put \"$desk\""
    echo "$press"
    echo 'dump "taken.txt"'
    echo "$leave"
} >script
TROVA_OSVERSION=6.1 run
[ "$(status failed.txt)" = "Screenshot capture failed - Please try again" ] || fail "$case: no picture: $(head -1 failed.txt)"
grep -q 'Menu "Preview Screenshot" id=10 checked=0 enabled=0' failed.txt || fail "$case: Preview enabled after a failed capture"
[ "$(count)" = 1 ] && same shots/*.png "$desk" || fail "$case: Windows 7 capture: $(shots)"
grep -q 'Menu "Preview Screenshot" id=10 checked=0 enabled=1' taken.txt || fail "$case: Preview not enabled after a capture"

# ---- DirectX import: the game's frame from the clipboard while another program is active ---------
case=directx
fresh 10=0 15=1 20=2
{
    echo "$enter"
    echo "$window"
    echo "activate 1"$'\n'"wait 300"
    echo "clipboard put \"$desk\""
    echo "$press"
    echo 'clipboard save "after.bmp"'
    echo "activate program"$'\n'"wait 300"
    echo "$leave"
} >script
run
same shots/*.png "$desk" || fail "$case: imported frame: $(identify shots/* 2>&1) $(cat err)"
grep -q 'clipboard holds no picture' err || fail "$case: the clipboard was not emptied after the import"

# ---- Export to the clipboard; a direct capture leaves what the user had copied -----------------------
case=export
fresh 24=0
convert "$desk" -flop "$tmp/copied.png"
{
    echo "$enter"
    echo "clipboard put \"$tmp/copied.png\""
    echo "$press"
    echo 'clipboard save "kept.bmp"'
    echo 'click "Export To Clipboard"'
    echo 'wait 200'
    echo 'clipboard save "exported.bmp"'
    echo 'dump "exported.txt"'
    echo "$leave"
} >script
run
same kept.bmp "$tmp/copied.png" || fail "$case: a direct capture changed the clipboard"
same exported.bmp "$desk" || fail "$case: exported picture: $(identify exported.bmp 2>&1)"
[ "$(status exported.txt)" = "Screenshot exported to clipboard" ] || fail "$case: status $(head -1 exported.txt)"
grep -q 'Button "Export To Clipboard" .*enabled=0' exported.txt || fail "$case: Export still enabled"

# ---- Save As: BMP, JPEG at each quality, PNG; a failed save warns and loses nothing --------------------
case=saveas
fresh 24=0
mkdir blocked.png
{
    echo "$enter"
    echo "$press"
    echo 'click "Save As"'$'\n'"answer file \"$PWD/a.bmp\""
    echo 'pick #1 1'
    for q in 0 1 2 3; do echo "pick #2 $q"$'\n''click "Save As"'$'\n'"answer file \"$PWD/q$q.jpg\""; done
    echo 'pick #1 2'
    echo 'click "Save As"'$'\n'"answer file \"$PWD/blocked.png\""$'\n''answer button ok'
    echo 'click "Save As"'$'\n'"answer file \"$PWD/c.png\""
    echo 'dump "saved.txt"'
    echo "$leave"
} >script
run
isbmp a.bmp 160x120 && same a.bmp "$desk" || fail "$case: BMP: $(identify a.bmp 2>&1)"
qualities=
for q in 0 1 2 3; do qualities="$qualities $(identify -format '%m:%wx%h:%Q' q$q.jpg 2>&1)"; done
[ "$qualities" = " JPEG:160x120:100 JPEG:160x120:75 JPEG:160x120:50 JPEG:160x120:25" ] || fail "$case: JPEG qualities:$qualities"
same c.png "$desk" || fail "$case: PNG: $(identify c.png 2>&1)"
grep -q 'VXFI - Error Saving Image (PNG)' err || fail "$case: no warning for the failed save: $(cat err)"
[ "$(status saved.txt)" = "Screenshot saved as c.png" ] || fail "$case: status $(head -1 saved.txt)"

# ---- Preview: a capture the size of the desktop gets both scroll bars, which move the canvas ---------
case=preview
fresh 24=0
{
    echo "$enter"
    echo 'desktop 1024 768'$'\n''wait 100'
    echo "$press"
    echo 'click "Preview"'$'\n''wait 300'$'\n''slider #2 100'$'\n''slider #3 50'$'\n''wait 200'$'\n''dump "preview.txt"'
    echo 'close "Screenshot Preview: 1024x768 pixels"'$'\n''wait 300'$'\n''dump "closed.txt"'
    echo "$leave"
} >script
run
grep -q 'Window "Screenshot Preview: 1024x768 pixels" -\{0,1\}[0-9]* -\{0,1\}[0-9]* 902 614 style=17' preview.txt || fail "$case: preview window: $(grep 'Window "' preview.txt)"
[ "$(grep -c 'Slider ' preview.txt)" = 3 ] || fail "$case: scroll bars: $(grep Slider preview.txt)"
grep -q 'Canvas .* -100 -50 1024 768' preview.txt || fail "$case: canvas not scrolled: $(grep Canvas preview.txt)"
head -1 preview.txt | grep -q 'enabled=0' || fail "$case: main window not disabled"
[ "$(grep -c 'Window "' closed.txt)" = 1 ] && head -1 closed.txt | grep -q 'enabled=1' || fail "$case: preview not closed"

# ---- Secondary windows open modal and close as their buttons say -----------------------------------
case=windows
fresh 24=0
mkdir chosen
{
    echo "$enter"
    echo 'menu 600'$'\n''wait 200'$'\n''dump "autodir.txt"'
    echo 'type #1 "typed" enter'$'\n''click "Ok"'$'\n''wait 200'
    echo 'menu 600'$'\n''wait 200'$'\n''click "Change"'$'\n'"answer dir \"$PWD/chosen\""$'\n''click "Cancel"'$'\n''wait 200'
    echo 'dump "cancelled.txt"'
    echo 'menu 700'$'\n''wait 200'$'\n''dump "reset.txt"'$'\n''click "Cancel"'
    echo 'menu 1000'$'\n''wait 200'$'\n''dump "howto.txt"'$'\n''close "How To Use Pictorra"'
    echo 'menu 2000'$'\n''wait 500'$'\n''dump "about.txt"'$'\n''click "Ok"'$'\n''wait 200'
    echo 'dump "after.txt"'
    echo 'menu 600'$'\n''wait 200'$'\n''click "Change"'$'\n'"answer dir \"$PWD/chosen\""$'\n''click "Ok"'$'\n''wait 200'
    echo "$leave"
} >script
run
grep -q '^  Window "Auto Save Directory" .* style=17 visible=1 enabled=1' autodir.txt || grep -q '^Window "Auto Save Directory"' autodir.txt \
    || fail "$case: Auto Save Directory window: $(grep Window autodir.txt)"
grep -q "TextField \"$tmp/run/shots\"" autodir.txt || fail "$case: folder field: $(grep TextField autodir.txt)"
head -1 autodir.txt | grep -q 'enabled=0' || fail "$case: main window not disabled under the Auto Save Directory window"
grep -q 'Window "Reset Settings"' reset.txt || fail "$case: Reset Settings window"
grep -q 'Window "How To Use Pictorra"' howto.txt || fail "$case: how-to window"
grep -q 'Window "About Pictorra"' about.txt && grep -q 'Label "FreeImage Team"' about.txt || fail "$case: About window"
[ "$(grep -c 'Window "' after.txt)" = 1 ] && head -1 after.txt | grep -q 'enabled=1' || fail "$case: windows left open: $(grep Window after.txt)"
[ "$(tail -c $((${#PWD} + 7)) data/PTConfig.dat)" = "$PWD/chosen" ] \
    || fail "$case: folder chosen with Ok not stored: $(tail -c 40 data/PTConfig.dat)"

# ---- Capture Delay: a countdown in the status bar, Print Screen cancels it; its file beside -----------
case=delay
fresh 24=1
printf 'damaged' >data/PTOptions.dat
{
    echo "$enter"
    echo "$press"$'\n''wait 300'$'\n''dump "nodelay.txt"'
    echo 'menu 803'$'\n''wait 200'
    echo "$press"$'\n''dump "counting.txt"'
    echo 'wait 1200'$'\n''dump "later.txt"'
    echo "$press"$'\n''dump "cancelled.txt"'
    echo 'wait 3500'$'\n''dump "nocapture.txt"'
    echo "$press"$'\n''wait 4000'$'\n''dump "captured.txt"'
    echo "$leave"
} >script
run
case "$(status nodelay.txt)" in "Screenshot saved as"*) ;; *) fail "$case: a damaged options file delayed: $(status nodelay.txt)" ;; esac
[ "$(status counting.txt)" = "Capturing in 3..." ] || fail "$case: countdown shows '$(status counting.txt)'"
[ "$(status later.txt)" = "Capturing in 2..." ] || fail "$case: a second later '$(status later.txt)'"
[ "$(status cancelled.txt)" = "Capture cancelled" ] && [ "$(status nocapture.txt)" = "Capture cancelled" ] \
    || fail "$case: Print Screen did not cancel: $(status cancelled.txt) / $(status nocapture.txt)"
case "$(status captured.txt)" in "Screenshot saved as"*) ;; *) fail "$case: no capture after the countdown: $(status captured.txt)" ;; esac
[ "$(count)" = 2 ] || fail "$case: $(count) captures, not 2: $(shots)"
grep -q 'Menu "3 Seconds" .*checked=1' captured.txt || fail "$case: 3 Seconds not checked: $(grep Seconds captured.txt)"
[ "$(od -An -tx1 -N12 data/PTOptions.dat | tr -d ' \n')" = 505458310300000000000000 ] \
    || fail "$case: options file $(od -An -tx1 data/PTOptions.dat)"
[ "$(stat -c %s data/PTConfig.dat)" = $((104 + ${#PWD} + 6)) ] || fail "$case: PTConfig.dat changed size"

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo ok

#!/usr/bin/env bash
# The Win32 subset and the clipboard library on a real X display (run by with-xvfb.sh at
# 320x240, with openbox): a program image asks for the geometry of a real window, sees Print
# Screen pressed in another program's window, fills the clipboard with a synthetic Print Screen,
# reads a picture xclip put on the clipboard and puts one there that xclip reads, upright.
set -u
exe=$1
tmp=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  rm -rf "$tmp"
}
trap cleanup EXIT
cd "$(dirname "$exe")" || exit 1
fail() { echo "$*"; exit 1; }

# Waits (up to 60 s) until the file has at least n lines.
wait_lines() {
  for _ in $(seq 600); do
    [ "$(wc -l <"$1" 2>/dev/null || echo 0)" -ge "$2" ] && return 0
    sleep 0.1
  done
  return 1
}

# A real window of another program, made active.
xmessage -title Notes -geometry 200x100+60+40 "a window of another program" &
pids+=($!)
win=
for _ in $(seq 100); do
  win=$(xdotool search --name '^Notes$' 2>/dev/null | head -1)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || fail "xmessage did not appear"
xdotool windowactivate --sync "$win" 2>/dev/null || sleep 1

# Geometry: the client rectangle is the window's own, the frame encloses it.
info=$(timeout 120 "$exe" info) || fail "info: exit code $?"
read -r isfg ok wl wt wr wb cl ct cr cb <<<"$info"
wininfo=$(xwininfo -id "$win")
field() { sed -n "s/^ *$1: *//p" <<<"$wininfo" | head -1; }
X=$(field "Absolute upper-left X") Y=$(field "Absolute upper-left Y") WIDTH=$(field Width) HEIGHT=$(field Height)
[ "$isfg" = 1 ] && [ "$ok" = 1 ] || fail "info: $info (the foreground window is not Notes)"
[ "$cl $ct $((cr - cl)) $((cb - ct))" = "$X $Y $WIDTH $HEIGHT" ] || fail "client $cl $ct $cr $cb, xwininfo $X $Y $WIDTH $HEIGHT"
[ "$wl" -le "$cl" ] && [ "$wt" -lt "$ct" ] && [ "$wr" -ge "$cr" ] && [ "$wb" -ge "$cb" ] || fail "frame $wl $wt $wr $wb around $cl $ct $cr $cb"

# Print Screen pressed in the other program's window.
timeout 120 "$exe" key >"$tmp/key" 2>>"$tmp/err" &
pids+=($!)
keypid=$!
wait_lines "$tmp/key" 1 || fail "key: not ready"
xdotool windowactivate --sync "$win" 2>/dev/null
xdotool key Print
wait $keypid
[ "$(cat "$tmp/key")" = "$(printf 'ready\npressed\nreleased')" ] || fail "key: $(cat "$tmp/key")"

# A synthetic Print Screen puts the whole screen on the clipboard, which others can paste.
rm -f done
timeout 120 "$exe" printscreen >"$tmp/print" 2>>"$tmp/err" &
pids+=($!)
printpid=$!
wait_lines "$tmp/print" 1 || fail "printscreen: no output"
[ "$(cat "$tmp/print")" = "320 240 307200 32" ] || fail "printscreen: $(cat "$tmp/print")"
timeout 20 xclip -selection clipboard -t image/png -o >"$tmp/shot.png"
touch done
wait $printpid
rm -f done
[ "$(identify -format '%w %h' "$tmp/shot.png" 2>/dev/null)" = "320 240" ] || fail "the Print Screen picture did not reach xclip"

# A picture another program put on the clipboard, read upright: red top-left, blue bottom-right.
convert -size 6x4 xc:blue -fill red -draw 'point 0,0' "$tmp/pic.png"
xclip -selection clipboard -t image/png -i "$tmp/pic.png" &
pids+=($!)
sleep 0.5
paste=$(timeout 120 "$exe" paste) || fail "paste: exit code $?"
[ "$paste" = "$(printf '6 4 32\nFF0000 0000FF')" ] || fail "paste: $paste"

# A picture we put there, read by xclip upright.
timeout 120 "$exe" export >"$tmp/export" 2>>"$tmp/err" &
pids+=($!)
exportpid=$!
wait_lines "$tmp/export" 1 || fail "export: no output"
[ "$(cat "$tmp/export")" = 1 ] || fail "export: $(cat "$tmp/export")"
timeout 20 xclip -selection clipboard -t image/png -o >"$tmp/export.png"
touch done
wait $exportpid
rm -f done
pixels=$(convert "$tmp/export.png" -depth 8 rgb:- 2>/dev/null | od -An -tu1 -v | tr -s ' \n' ' ' | sed 's/^ //; s/ $//')
[ "$pixels" = "255 0 0 0 255 0 0 0 255 255 255 255 0 0 0 255 255 0 0 255 255 255 0 255" ] || fail "export: xclip read $pixels"
echo ok

#!/usr/bin/env bash
# Under Xvfb with a window manager (run by with-xvfb.sh): Pictorra installed and started as a
# user does.
#   - make install into a DESTDIR; the installed desktop entry and metainfo pass
#     desktop-file-validate and appstreamcli (each skipped with one line where missing), the
#     icons have their sizes, and the build made the metainfo's screenshot of the main window;
#   - the desktop entry's command, started with a fresh HOME that has a ~/Desktop folder: the main
#     window appears, its WM_CLASS class is the entry's StartupWMClass; File > Exit writes
#     ~/.local/share/pictorra/data/PTConfig.dat, whose auto-save folder is ~/Desktop;
#   - started again with auto-save on, Print Screen saves the capture into ~/Desktop;
#   - the install tree (made read-only) is the same, file for file, at the end.
#   pictorra_installed.sh BUILD
set -u
build=$1
limit=${PICTORRA_TEST_LIMIT:-60} # seconds: the longest any one step may take
tmp=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    chmod -R u+w "$tmp" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# await SECONDS COMMAND...: polls until COMMAND succeeds; fails after SECONDS.
await() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -lt $end ] || return 1
        sleep 0.1
    done
}

root=$tmp/root
DESTDIR=$root cmake --install "$build" --prefix /usr >"$tmp/install.log" 2>&1 \
    || { cat "$tmp/install.log"; echo "FAIL: make install"; exit 1; }
desktop=$root/usr/share/applications/pictorra.desktop
metainfo=$root/usr/share/metainfo/io.github.pictorra.Pictorra.metainfo.xml
for f in "$root/usr/bin/pictorra" "$root/usr/lib/pictorra/pictorra" "$desktop" "$metainfo" \
    "$root/usr/lib/pictorra/data/Remote.dll" "$root/usr/lib/pictorra/trova-clipkeeper" \
    "$root/usr/share/pictorra/data/Pictorra.pak" "$root/usr/share/pictorra/help/PT-HowToUse.html"; do
    [ -e "$f" ] || fail "not installed: ${f#"$root"}"
done

# ---- The validators, the icons, the screenshot ------------------------------------------------------
if command -v desktop-file-validate >/dev/null; then
    # Hints are advice (Utility and Graphics are both main categories, on purpose); errors and
    # warnings fail.
    out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
    grep -v ': hint: ' <<<"$out" | grep -q . && fail "desktop-file-validate: $out"
else
    echo "SKIPPED: desktop-file-validate is not installed (tools/setup installs desktop-file-utils)"
fi
if command -v appstreamcli >/dev/null; then
    out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $out"
else
    echo "SKIPPED: appstreamcli is not installed (tools/setup installs appstream)"
fi
for size in 16 32 48 64 128 256; do
    icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/pictorra.png
    [ "$(identify -format '%wx%h %m' "$icon" 2>&1)" = "${size}x${size} PNG" ] || fail "icon $icon"
done
read -r sw sh < <(identify -format '%w %h\n' "$build/dist/main-window.png" 2>/dev/null)
[ "${sw:-0}" -ge 400 ] && [ "${sh:-0}" -ge 200 ] || fail "the build left no screenshot of the main window"
grep -q "width=\"${sw:-x}\" height=\"${sh:-x}\"" "$metainfo" || fail "the metainfo does not give the screenshot's size"

# The install tree, read-only from here on, and what it holds.
snapshot() { (cd "$root" && find . -printf '%p %y %s %m %l\n' | sort && find . -type f -exec sha256sum {} + | sort); }
chmod -R a-w "$root"
snapshot >"$tmp/tree.before"

# ---- A fresh user starts it from the menu -------------------------------------------------------------
export HOME=$tmp/home ALSOFT_DRIVERS=null TROVA_MUTEX_DIR=$tmp/locks TROVA_PLATFORM=qt
unset XDG_DATA_HOME XDG_CONFIG_HOME
mkdir -p "$HOME/Desktop" "$TROVA_MUTEX_DIR"
work=$HOME/.local/share/pictorra
command=$(sed -n 's/^Exec=//p' "$desktop")
wmclass=$(sed -n 's/^StartupWMClass=//p' "$desktop")

mainwindow() {
    local w
    for w in $(xdotool search --onlyvisible --name '^Pictorra$' 2>/dev/null); do
        [ "$(xprop -id "$w" WM_NAME 2>/dev/null)" = 'WM_NAME(UTF8_STRING) = "Pictorra"' ] \
            || [ "$(xprop -id "$w" WM_NAME 2>/dev/null)" = 'WM_NAME(STRING) = "Pictorra"' ] || continue
        win=$w
        return 0
    done
    return 1
}

start() {
    PATH=$root/usr/bin:$PATH $command 2>"$tmp/err" &
    pid=$!
    win=
    await "$limit" mainwindow && return 0
    fail "$1: the main window did not appear: $(cat "$tmp/err"); the program's windows:"
    local w
    for w in $(xdotool search --pid "$pid" 2>/dev/null); do
        xwininfo -id "$w" 2>/dev/null | grep -E 'xwininfo|Map State|Width|Height|Absolute'
    done
    import -window root "$build/pictorra-installed-failure.png" 2>/dev/null
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=
    return 1
}

# The number of Pictorra's visible windows (a menu that drops down is one more).
visiblewindows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }
menuopen() { [ "$(visiblewindows)" -gt "$menus" ]; }
ended() { ! kill -0 "$pid" 2>/dev/null; }

# File > Exit as a user does it: the File menu clicked in the menu bar, its last item.
exitpictorra() {
    await "$limit" mainwindow
    xdotool windowactivate --sync "$win" 2>/dev/null
    menus=$(visiblewindows)
    xdotool mousemove --window "$win" 18 10 click 1
    await "$limit" menuopen || fail "$1: the File menu did not open"
    xdotool key --clearmodifiers Up Return
    if await "$limit" ended; then
        wait "$pid" || fail "$1: exit code $?"
    else
        fail "$1: Pictorra did not end through File > Exit"
    fi
    pid=
}

case=first
if start $case; then
    class=$(xprop -id "$win" WM_CLASS | sed -n 's/.*= "[^"]*", "\([^"]*\)"$/\1/p')
    [ -n "$wmclass" ] && [ "$class" = "$wmclass" ] \
        || fail "$case: WM_CLASS class '$class', the desktop entry's StartupWMClass '$wmclass'"
    rm -f "$work/data/PTConfig.dat"
    exitpictorra $case
    config=$work/data/PTConfig.dat
    if [ -f "$config" ] && [ ! -L "$config" ]; then
        folder=$(tail -c +105 "$config")
        [ "$folder" = "$HOME/Desktop" ] || fail "$case: default auto-save folder '$folder'"
    else
        fail "$case: File > Exit wrote no ~/.local/share/pictorra/data/PTConfig.dat"
    fi
fi

# ---- Auto-save on (the configuration's last flag), Print Screen -----------------------------------------
case=autosave
if [ -f "$work/data/PTConfig.dat" ]; then
    le32 1 | dd of="$work/data/PTConfig.dat" bs=1 seek=96 conv=notrunc status=none
    # The Print Screen key: the key code whose keysyms are Print and Sys_Req.
    printkey=$(xmodmap -pke | awk '/= Print Sys_Req/ {print $2; exit}')
    shot() {
        local f
        f=$(ls "$HOME"/Desktop/Screenshot-*.bmp 2>/dev/null | head -1)
        [ -n "$f" ] && convert "$f" null: >/dev/null 2>&1
    }
    if start $case; then
        xdotool windowactivate --sync "$win" 2>/dev/null
        xdotool key "${printkey:-Print}"
        await "$limit" shot || fail "$case: no capture saved into ~/Desktop: $(ls -A "$HOME/Desktop") $(cat "$tmp/err")"
        exitpictorra $case
    fi
fi

# ---- The install tree stayed as it was --------------------------------------------------------------
snapshot >"$tmp/tree.after"
diff "$tmp/tree.before" "$tmp/tree.after" >"$tmp/tree.diff" || fail "the install tree changed: $(cat "$tmp/tree.diff")"

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo ok

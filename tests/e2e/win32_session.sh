#!/usr/bin/env bash
# A program binds the application's library table (data\ libraries and the Win32 subset) and
# calls it on the headless desktop: version override, the scripted foreground window's geometry,
# Print Screen pressed in that window, the desktop folder and the print-screen switch. Then the
# single-instance mutex across processes, from another working directory: held by a running
# instance, free again once that instance has been killed.
set -u
exe=$1
tmp=$(mktemp -d)
holder=
trap '[ -n "$holder" ] && kill -9 $holder 2>/dev/null; rm -rf "$tmp"' EXIT
bindir=$(dirname "$exe")
cd "$bindir" || exit 1
export TROVA_REGISTRY_HKLM=$tmp/HKLM.reg TROVA_MUTEX_DIR=$tmp HOME=$tmp XDG_CONFIG_HOME=$tmp/config
mkdir -p "$tmp/config" "$tmp/Desk top"
printf 'XDG_DESKTOP_DIR="$HOME/Desk top"\n' >"$tmp/config/user-dirs.dirs"

cat >"$tmp/script" <<'SCRIPT'
window notes "Notes" 100 50 400 300 104 73 392 273 256
foreground notes
key down 183
key up 183
SCRIPT
TROVA_OSVERSION=6.1.7601.2 TROVA_HEADLESS_SCRIPT="$tmp/script" timeout 120 "$exe" scene >"$tmp/out" 2>"$tmp/err"
rc=$?
[ "$rc" -eq 0 ] || { echo "scene: exit code $rc"; cat "$tmp/err"; exit 1; }
printf '6 1 7601 2\n1 100 50 500 350 104 73 496 346 256\n1\n1\n%s\n-1 1 1\n' "$tmp/Desk top" | cmp -s - "$tmp/out" \
  || { echo "scene stdout:"; cat "$tmp/out"; cat "$tmp/err"; exit 1; }

# From another working directory: the Win32 subset is found beside the runtime all the same.
cd "$tmp" || exit 1
"$exe" mutex hold >"$tmp/holder" 2>&1 &
holder=$!
for _ in $(seq 600); do [ -s "$tmp/holder" ] && break; sleep 0.1; done
[ "$(cat "$tmp/holder")" = 0 ] || { echo "holder: $(cat "$tmp/holder")"; exit 1; }
[ "$(timeout 120 "$exe" mutex)" = 183 ] || { echo "second instance did not find the mutex held"; exit 1; }
kill -9 $holder
wait $holder 2>/dev/null
holder=
[ "$(timeout 120 "$exe" mutex)" = 0 ] || { echo "a killed holder still blocks the mutex"; exit 1; }
echo ok

#!/usr/bin/env bash
# Runs a command on a private X server: Xvfb on a free display number with the openbox window
# manager, torn down afterwards. Exits 77 (a skip for CTest) with one line when Xvfb cannot start.
#   with-xvfb.sh [--size WxHxDEPTH] [--no-wm] COMMAND ARGS...
# The command sees DISPLAY, and TROVA_XVFB_WM=1 when a window manager runs.
set -u
size=${TROVA_XVFB_SIZE:-1280x1024x24}
wm=1
while [ $# -gt 0 ]; do
  case "$1" in
    --size) size=$2; shift 2 ;;
    --no-wm) wm=0; shift ;;
    *) break ;;
  esac
done

# Listing a GoogleTest executable's cases needs no display.
case " $* " in
  *" --gtest_list_tests "*) exec "$@" ;;
esac

if ! command -v Xvfb >/dev/null 2>&1; then
  echo "SKIPPED: Xvfb is not installed"; exit 77
fi

xvfb_pid=""
wm_pid=""
wm_config=""
cleanup() {
  [ -n "$wm_config" ] && rm -f "$wm_config"
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

started=0
for n in $(seq $((100 + RANDOM % 300)) 499); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  Xvfb ":$n" -screen 0 "$size" -nolisten tcp -noreset +extension XInputExtension \
    +extension MIT-SHM +extension XTEST >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then break; fi
    if DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then started=1; break; fi
    sleep 0.1
  done
  if [ $started -eq 1 ]; then export DISPLAY=":$n"; break; fi
  kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; xvfb_pid=""
done
if [ $started -eq 0 ]; then
  echo "SKIPPED: Xvfb could not start"; exit 77
fi

export TROVA_XVFB_WM=0
if [ $wm -eq 1 ] && command -v openbox >/dev/null 2>&1; then
  # The stock configuration binds Print Screen to a screenshot tool of its own; here the key is
  # left to the programs under test, as on a desktop that gives it to the active application.
  wm_config=$(mktemp)
  sed '/<keybind key="\(A-\)\{0,1\}Print">/,/<\/keybind>/d' /etc/xdg/openbox/rc.xml >"$wm_config" 2>/dev/null
  if [ -s "$wm_config" ]; then
    openbox --sm-disable --config-file "$wm_config" >/dev/null 2>&1 &
  else
    openbox --sm-disable >/dev/null 2>&1 &
  fi
  wm_pid=$!
  # The window manager is up once it has claimed the root window.
  for _ in $(seq 1 100); do
    if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then break; fi
    sleep 0.1
  done
  export TROVA_XVFB_WM=1
fi

"$@"
exit $?

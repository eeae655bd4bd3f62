#!/usr/bin/env bash
# A program binds a test library through its library table and calls it. A missing function, or
# a function of a library that cannot be loaded, ends the program only when it is called, with
# "User lib function not found" or "User lib not found", and the exit code is still 0.
set -u
exe=$1
libdir=$2
title=$(basename "$exe")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$libdir" || exit 1
for which in function library; do
  "$exe" $which >"$tmp/out" 2>"$tmp/err"
  rc=$?
  [ "$rc" -eq 0 ] || { echo "$which: exit code $rc, want 0"; cat "$tmp/err"; exit 1; }
  printf 'bound\n5\n30\n' | cmp -s - "$tmp/out" || { echo "$which: stdout:"; cat "$tmp/out"; exit 1; }
  case $which in
    function) want="$title: User lib function not found" ;;
    library) want="$title: User lib not found" ;;
  esac
  [ "$(cat "$tmp/err")" = "$want" ] || { echo "$which: stderr:"; cat "$tmp/err"; exit 1; }
done
echo ok

#!/usr/bin/env bash
# A reference to a name nobody defines: kximage refuses to link it and names it; linked anyway
# (--allow-undefined) and attached, the runtime stops before the program with exit code -1.
set -u
exe=$1
kximage=$2
IFS=';' read -ra objects <<<"$3" # the program's objects, as CMake lists them
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
if "$kximage" link "${objects[@]}" -o "$tmp/image.kxi" 2>"$tmp/err"; then
  echo "kximage linked an image with an undefined name"; exit 1
fi
grep -q '_fnosuchcommand' "$tmp/err" || { echo "kximage said:"; cat "$tmp/err"; exit 1; }
[ ! -e "$tmp/image.kxi" ] || { echo "kximage left an image behind"; exit 1; }
out=$("$exe" 2>&1)
rc=$?
[ "$rc" -eq 255 ] || { echo "exit code $rc, want 255"; exit 1; }
[ "$out" = "Unable to run Trova Basic module: Can't find symbol: _fnosuchcommand" ] || { echo "output: $out"; exit 1; }
echo ok

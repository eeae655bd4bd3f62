#!/usr/bin/env bash
# bench/run.sh runs the executable regular files of a folder and nothing else (sub-folders,
# plain files), and exits 0 when they all succeed, 1 when one fails.
set -u
runner=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/bench/CMakeFiles" "$tmp/bench/bench_a_autogen"
printf '#!/bin/sh\necho figures a\n' >"$tmp/bench/bench_a"
printf '#!/bin/sh\necho figures b\n' >"$tmp/bench/bench_b"
printf 'not a program\n' >"$tmp/bench/Makefile"
chmod +x "$tmp/bench/bench_a" "$tmp/bench/bench_b"
out=$("$runner" "$tmp/bench" 2>"$tmp/err")
rc=$?
[ "$rc" -eq 0 ] || { echo "exit code $rc, want 0"; cat "$tmp/err"; exit 1; }
want=$(printf '== %s\nfigures a\n== %s\nfigures b' "$tmp/bench/bench_a" "$tmp/bench/bench_b")
[ "$out" = "$want" ] || { echo "stdout:"; echo "$out"; exit 1; }
[ ! -s "$tmp/err" ] || { echo "stderr:"; cat "$tmp/err"; exit 1; }
printf '#!/bin/sh\nexit 3\n' >"$tmp/bench/bench_c"
chmod +x "$tmp/bench/bench_c"
"$runner" "$tmp/bench" >/dev/null 2>&1
rc=$?
[ "$rc" -eq 1 ] || { echo "a failing benchmark: exit code $rc, want 1"; exit 1; }
echo ok

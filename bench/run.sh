#!/usr/bin/env bash
# Runs every benchmark program in a folder (the build's bench/), one after the other: only
# executable regular files, so the build system's sub-folders and files are passed over.
# Exits 0 when every benchmark ran to its end, 1 when one failed, 2 for a missing folder.
set -u
dir=${1:?usage: bench/run.sh BENCH_FOLDER}
[ -d "$dir" ] || { echo "bench/run.sh: no folder $dir" >&2; exit 2; }
status=0
for b in "$dir"/*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $b"
  "$b" || { echo "bench/run.sh: $b failed" >&2; status=1; }
done
exit $status

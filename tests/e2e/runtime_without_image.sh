#!/usr/bin/env bash
# The bare runtime has no program attached: it reports so and exits with -1 (255 to the shell).
set -u
out=$("$1" 2>&1)
rc=$?
[ "$rc" -eq 255 ] || { echo "exit code $rc, want 255"; exit 1; }
[ "$out" = "Unable to run Trova Basic module: Can't find resource" ] || { echo "output: $out"; exit 1; }
echo "ok"

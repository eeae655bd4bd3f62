#!/usr/bin/env bash
# Fuzz runs over the runtime's readers: pictures, program images and script files, each mutated
# from the seeds below by a seeded mutator (tests/fuzz/KXMutator.h). Not part of make test.
#
#   tests/fuzz/run.sh BUILD_DIR [RUNS [SEED]]
#
# Builds kx_fuzz in BUILD_DIR (a SANITIZE=1 build finds the most), then runs every target.
# A crash leaves its input in BUILD_DIR/fuzz/last-TARGET.EXT and its report in
# BUILD_DIR/fuzz/TARGET.log, and ends with exit code 1.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:?usage: tests/fuzz/run.sh BUILD_DIR [RUNS [SEED]]}" && pwd) || exit 2
runs=${2:-2000}
seed=${3:-1}
cmake --build "$build" --target kx_fuzz kx_e2e_gui_session kx_e2e_userlibs >/dev/null || exit 2
out="$build/fuzz"
mkdir -p "$out/seeds"

# Picture seeds: the test pictures, and BMP variants made with ImageMagick when it is there.
pictures=("$root"/tests/inputs/images/*.bmp "$root"/tests/inputs/images/*.png "$root"/tests/inputs/images/*.jpg)
if command -v convert >/dev/null; then
  src="$root/tests/inputs/images/rgb4x2.png"
  convert "$src" -scale 300% -type TrueColor "$out/seeds/v5-24.bmp"
  convert "$src" -scale 300% -alpha set "$out/seeds/v5-32.bmp"
  convert "$src" -scale 300% -colors 4 -type Palette -compress RLE "$out/seeds/rle8.bmp"
  convert "$src" -scale 300% -colors 4 -type Palette "$out/seeds/p4.bmp"
  convert "$src" -scale 300% -define bmp:subtype=RGB565 "$out/seeds/565.bmp"
  convert "$src" -scale 300% -monochrome "$out/seeds/mono.bmp"
  pictures+=("$out"/seeds/*.bmp)
fi
images=("$build"/tests/e2e/*.kxi)

status=0
cd "$root" || exit 2
run() {
  local target=$1
  shift
  # What the runtime reports about bad input (script lines, message boxes) goes to a log.
  if ! "$build/bin/kx_fuzz" "$target" "$runs" "$seed" "$out" "$@" 2>"$out/$target.log"; then
    tail -n 40 "$out/$target.log" >&2
    echo "kx_fuzz $target: failed; the input is in $out/last-$target.*, the log in $out/$target.log" >&2
    status=1
  fi
}
run picture "${pictures[@]}"
run image "${images[@]}"
run script "$here"/seeds/*.script
exit $status

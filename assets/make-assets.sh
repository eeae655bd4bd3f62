#!/usr/bin/env bash
# Makes Pictorra's assets from the sources in src/, reproducibly (same bytes on every run):
#   qorvexlogo.png  160 x 160 logo, opaque, pure black where the About window's plasma shows
#   pictorra.ico    window icon, 32 x 32 and 16 x 16
#   camera.ogg      camera shutter click, Ogg Vorbis
# Needs ImageMagick and an i386 C compiler with libvorbis (tools/setup installs both).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# PNG without time stamps or other varying chunks.
png_opts=(-define png:exclude-chunks=date,time,tIME -strip)

convert -size 160x160 xc:black -draw "$(grep -v "^#" src/logo.mvg)" -alpha off -type TrueColor "${png_opts[@]}" PNG24:qorvexlogo.png

convert -size 32x32 xc:none -draw "$(grep -v "^#" src/icon.mvg)" "${png_opts[@]}" PNG32:"$tmp/icon32.png"
convert "$tmp/icon32.png" -resize 16x16 "${png_opts[@]}" PNG32:"$tmp/icon16.png"
convert "$tmp/icon32.png" "$tmp/icon16.png" -strip pictorra.ico

gcc -m32 -O2 -o "$tmp/click" src/click.c -lvorbisenc -lvorbis -logg -lm
"$tmp/click" camera.ogg

echo "assets made in $here"

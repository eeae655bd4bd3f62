#!/usr/bin/env bash
# Renders Pictorra's icon from its 32 x 32 drawing (assets/src/icon.mvg) at every size of the
# hicolor theme, as OUTDIR/SIZExSIZE/apps/pictorra.png, drawn at each size rather than scaled from
# one picture. The same bytes on every run (no time stamps). Needs ImageMagick.
#   make-icons.sh ICON.mvg OUTDIR SIZE...
set -euo pipefail
source=$1
out=$2
shift 2
drawing=$(grep -v '^#' "$source" | grep -v '^viewbox')
for size in "$@"; do
    mkdir -p "$out/${size}x${size}/apps"
    scale=$(awk -v s="$size" 'BEGIN { printf "%.6f", s / 32 }')
    convert -size "${size}x${size}" xc:none -draw "scale $scale,$scale $drawing" \
        -define png:exclude-chunks=date,time,tIME -strip PNG32:"$out/${size}x${size}/apps/pictorra.png"
done

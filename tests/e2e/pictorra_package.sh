#!/usr/bin/env bash
# The Debian package as `make package` makes it: pictorra_VERSION_i386.deb for i386, whose
# Depends name the i386 runtime packages the program and its libraries link (computed by
# dpkg-shlibdeps), holding the installed files, and clean under lintian apart from the overrides
# it ships with their reasons (skipped with one line where lintian is missing).
#   pictorra_package.sh BUILD
set -u
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

(cd "$build" && cpack -G DEB -B "$tmp/out") >"$tmp/cpack.log" 2>&1 || { cat "$tmp/cpack.log"; echo "FAIL: cpack"; exit 1; }
deb=$(ls "$tmp"/out/*.deb 2>/dev/null)
[ "$(wc -w <<<"$deb")" = 1 ] || { echo "FAIL: packages made: '$deb'"; exit 1; }
version=$(dpkg-deb -f "$deb" Version)
[ "$(basename "$deb")" = "pictorra_${version}_i386.deb" ] || fail "package file name $(basename "$deb")"
[ "$(dpkg-deb -f "$deb" Architecture)" = i386 ] || fail "architecture $(dpkg-deb -f "$deb" Architecture)"
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6widgets6 libfreeimage3 libvorbisfile3 libopenal1 libx11-6 libxtst6 libxi6 libxext6 libc6; do
    grep -Eq "(^|, )$p( |,|$)" <<<"$depends" || fail "Depends lacks $p: $depends"
done
dpkg-deb -c "$deb" | awk '{print $6}' >"$tmp/files"
for f in ./usr/bin/pictorra ./usr/lib/pictorra/pictorra ./usr/lib/pictorra/kernel32.dll \
    ./usr/lib/pictorra/data/Dexolan.dll ./usr/share/pictorra/data/Pictorra.pak ./usr/share/applications/pictorra.desktop \
    ./usr/share/metainfo/io.github.pictorra.Pictorra.metainfo.xml ./usr/share/doc/pictorra/copyright; do
    grep -qx "$f" "$tmp/files" || fail "the package lacks $f"
done

if command -v lintian >/dev/null; then
    # Errors and warnings fail; the informational tags are listed in the README.
    lintian "$deb" >"$tmp/lintian" 2>&1
    grep -E '^[EW]: ' "$tmp/lintian" && fail "lintian: $(cat "$tmp/lintian")"
else
    echo "SKIPPED: lintian is not installed (tools/setup installs it)"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo ok

#!/usr/bin/env bash
# An executable made by `kximage attach` binds a library named without a folder (through its
# library table) and calls another one (through CallDLL); both lie beside the executable. It
# finds them when started from another working directory, through a symbolic link, by name
# through PATH, and as a copy in another folder: the run path it carries is $ORIGIN itself.
set -u
exe=$1
libdir=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
want=$'5\n3002'

runpath=$(readelf -d "$exe" | sed -n 's/.*(\(RUNPATH\|RPATH\)).*\[\(.*\)\]/\2/p')
[ "$runpath" = '$ORIGIN' ] || { echo "run path of $(basename "$exe"): '$runpath', want '\$ORIGIN'"; exit 1; }

mkdir -p "$tmp/app" "$tmp/elsewhere" "$tmp/links" "$tmp/copy"
cp "$exe" "$tmp/app/prog"
cp "$libdir/KXTestLibA.dll" "$libdir/KXTestLibB.dll" "$tmp/app/"
ln -s "$tmp/app/prog" "$tmp/links/prog"
cp "$tmp/app/"* "$tmp/copy/"

check() {
  local how=$1 out
  shift
  out=$(cd "$tmp/elsewhere" && "$@" 2>"$tmp/err")
  rc=$?
  [ "$rc" -eq 0 ] || { echo "$how: exit code $rc"; cat "$tmp/err"; exit 1; }
  [ "$out" = "$want" ] || { echo "$how: stdout:"; echo "$out"; cat "$tmp/err"; exit 1; }
  [ ! -s "$tmp/err" ] || { echo "$how: stderr:"; cat "$tmp/err"; exit 1; }
}

check "from another working directory" "$tmp/app/prog"
check "through a symbolic link" "$tmp/links/prog"
check "by name through PATH" env PATH="$tmp/app:$PATH" prog
check "as a copy in another folder" "$tmp/copy/prog"
echo ok

#!/bin/sh
# tools/setup against an archive caught mid-sync, with stand-ins for apt-get, dpkg-query, dpkg
# and sudo early in PATH: nothing reaches the network or the machine's packages.
# Usage: setup-test.sh <source dir>
set -u
src=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
check() { # check <description> <command...>
  what=$1
  shift
  if ! "$@"; then
    echo "FAIL: $what" >&2
    fail=1
  fi
}

mkdir -p "$work/bin"
# The stand-ins keep their state in $STATE: "installed" lists installed packages, "calls" every
# apt-get call. MODE=midsync: update fails as the archive did, install fails unless pinned.
# MODE=broken: every install fails.
cat >"$work/bin/apt-get" <<'EOF'
#!/bin/sh
echo "apt-get $*" >>"$STATE/calls"
case "$1" in
update)
  echo "E: Failed to fetch http://deb.example/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 192.0.2.1 80]" >&2
  echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
  exit 100 ;;
install)
  shift
  pinned=0
  pkgs=""
  while [ $# -gt 0 ]; do
    case "$1" in
    -t) pinned=1; shift ;;
    -*) ;;
    *) pkgs="$pkgs $1" ;;
    esac
    shift
  done
  if [ "$MODE" = broken ] || [ $pinned -eq 0 ]; then
    echo "E: Unable to correct problems, you have held broken packages." >&2
    exit 100
  fi
  for p in $pkgs; do echo "$p" >>"$STATE/installed"; done ;;
esac
EOF
cat >"$work/bin/dpkg-query" <<'EOF'
#!/bin/sh
for last; do :; done
grep -qx "$last" "$STATE/installed" 2>/dev/null && printf 'install ok installed'
exit 0
EOF
cat >"$work/bin/dpkg" <<'EOF'
#!/bin/sh
[ "$1" = --print-foreign-architectures ] && echo i386
exit 0
EOF
cat >"$work/bin/sudo" <<'EOF'
#!/bin/sh
exec "$@"
EOF
printf '#!/bin/sh\nexit 0\n' >"$work/bin/ld32"
chmod +x "$work/bin/"*
printf 'ID=debian\nVERSION_CODENAME=bookworm\n' >"$work/os-release"

run_setup() { # run_setup <mode> <state dir>
  STATE=$2 MODE=$1 PATH="$work/bin:$PATH" SETUP_RETRY_PAUSE=0 \
    SETUP_OS_RELEASE="$work/os-release" SETUP_LD32="$work/bin/ld32" \
    bash "$src/tools/setup" >"$2/out" 2>"$2/err"
}

# Mid-sync: set-up ends well, warns about the index, installs each missing package once.
s=$work/midsync
mkdir -p "$s"
echo cmake >"$s/installed"
run_setup midsync "$s"
check "setup ends 0 on a mid-sync archive" [ $? -eq 0 ]
check "the failed index is named" grep -q 'bookworm-security/main/binary-i386/Packages.xz' "$s/err"
check "the pinned retry is announced" grep -q "pinned to the release's own suite (bookworm)" "$s/err"
check "the update is retried" [ "$(grep -c '^apt-get update' "$s/calls")" -eq 3 ]
check "cmake, already there, is not installed again" [ "$(grep -cx cmake "$s/installed")" -eq 1 ]
for p in g++-multilib qt6-base-dev:i386 libgtest-dev:i386 xvfb openbox x11-utils; do
  check "$p installed once" [ "$(grep -cx "$p" "$s/installed")" -eq 1 ]
done

# A second run finds nothing missing and calls apt-get not at all.
: >"$s/calls"
run_setup midsync "$s"
check "a second run ends 0" [ $? -eq 0 ]
check "a second run does nothing" [ ! -s "$s/calls" ]

# Nothing helps: a non-zero end and one clear message naming the packages.
s=$work/broken
mkdir -p "$s"
run_setup broken "$s"
check "setup fails when nothing installs" [ $? -ne 0 ]
check "the message names what is missing" grep -q 'could not install: .*qt6-base-dev:i386' "$s/err"
check "the message says what to do" grep -q "apt-get install -t bookworm" "$s/err"
check "the last try shows apt's output" grep -q '^apt-get install -y -t bookworm' "$s/calls"

[ $fail -eq 0 ] && echo "setup-test: all checks passed"
exit $fail

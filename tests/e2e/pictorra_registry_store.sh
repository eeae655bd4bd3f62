#!/usr/bin/env bash
# Pictorra with its registry store (HKEY_LOCAL_MACHINE.reg, where the DirectX print-screen switch
# lives) behind a symbolic link, as dotfile managers keep such files, or replaced by a named pipe:
# the linked store is the one updated and the link stays; the pipe is ignored with a message and
# start-up goes on.
set -u
folder=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export TROVA_PLATFORM=headless
unset TROVA_REGISTRY_HKLM
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
privatehome "$tmp"
store=$XDG_DATA_HOME/trova/registry/HKEY_LOCAL_MACHINE.reg
mkdir -p "$(dirname "$store")" "$HOME/dotfiles"

# Starts a fresh copy of the folder, dumps its windows and ends it through Exit; a start that
# hangs fails.
run() {
    rm -rf "$tmp/run" && cp -r "$folder" "$tmp/run" && cd "$tmp/run" || exit 1
    printf 'wait 300\ndump "tree.txt"\nmenu 40\nwait 3000\nquit\n' >script
    TROVA_HEADLESS_SCRIPT=script timeout 60 ./pictorra >out 2>err
    local rc=$?
    [ "$rc" = 0 ] || fail "$case: exit code $rc: $(head -c 300 err)"
}

# ---- A store behind a link: the file it names is replaced by the updates (the switch on while
# Pictorra runs, off after), the link stays ----------------------------------------------------------
case=link
real=$HOME/dotfiles/HKEY_LOCAL_MACHINE.reg
printf 'TROVA REGISTRY 1\n[SOFTWARE\\Keep]\nmine=4:07000000\n[SOFTWARE\\Microsoft\\DirectDraw]\nEnablePrintScreen=4:00000000\n' >"$real"
ln -s ../../../dotfiles/HKEY_LOCAL_MACHINE.reg "$store"
run
[ -L "$store" ] && [ "$(readlink "$store")" = ../../../dotfiles/HKEY_LOCAL_MACHINE.reg ] || fail "$case: the link was replaced: $(ls -l "$store")"
# The store writes every parent section; the file made by hand above had none. (An inode number
# tells nothing: a file replaced twice may get the first one's number back.)
grep -Fqx '[SOFTWARE]' "$real" && grep -q '^EnablePrintScreen=4:00000000$' "$real" \
    && grep -q '^mine=4:07000000$' "$real" || fail "$case: the linked store was not updated: $(cat "$real")"
grep -q 'Radio "DirectX Fullscreen (Games)" .*enabled=1' tree.txt || fail "$case: DirectX source not offered: $(grep DirectX tree.txt)"
rm -f "$store"

# ---- A store that is a named pipe: ignored with a message, start-up goes on ------------------------
case=pipe
mkfifo "$store"
run
[ -p "$store" ] || fail "$case: the pipe was replaced: $(ls -l "$store")"
grep -q 'registry store .* is not a regular file; ignored' err || fail "$case: no message: $(cat err)"
grep -q '^Window "Pictorra' tree.txt || fail "$case: no main window"
rm -f "$store"

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo ok

#!/usr/bin/env bash
# Pictorra's start-up, configuration file, data pack and plasma, run in a test image whose
# platform libraries are stand-ins (tests/programs/pictorra_units.cpp). Each case runs in a
# fresh working directory holding data/Pictorra.pak made from the assets.
set -u
exe=$1
kxpak=$2
assets=$3
inputs=$(cd "$(dirname "$0")/../inputs/app" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

KEY=0x5A3C96E1
HKEY=0x2B7D4F18

# A working directory with the real pack.
fresh() {
    rm -rf "$tmp/run" && mkdir -p "$tmp/run/data" && cd "$tmp/run" || exit 1
    "$kxpak" data/Pictorra.pak --key $KEY --header-key $HKEY \
        "$assets/qorvexlogo.png" "$assets/camera.ogg" "$assets/pictorra.ico" || exit 1
}

# Runs a start with the scripted user dumping the window tree, then choosing Exit.
start() {
    cat >script <<'SCRIPT'
desktop 1024 768
wait 100
dump "tree.txt"
menu 40
wait 5000
quit
SCRIPT
    TROVA_HEADLESS_SCRIPT=script PT_DESKTOP=${PT_DESKTOP:-/home/u/Desktop} timeout 60 "$exe" start >out 2>err
    echo $? >rc
}

# 4-byte little-endian integers.
# The configuration file: the 25 ints given, then the folder text.
config() {
    local folder=$1
    shift
    { le32 "$@"; le32 ${#folder}; printf %s "$folder"; } >data/PTConfig.dat
}
DEFAULTS=(500 295 262 237 0 0 0 255 255 255 1 0 0 1 0 0 90 1 0 0 0 0 1 0 0)

# The ints of the configuration file, one per line.
ints() { od -An -t d4 -v -N 100 data/PTConfig.dat | tr -s ' ' '\n' | sed '/^$/d'; }
field() { ints | sed -n "$(($1 / 4 + 1))p"; }
has() { grep -qxF -- "$1" "$2"; }

# ---- A first start: defaults written, the window as built, DirectX support on, then off --------
fresh
PT_DX=off start
[ "$(cat rc)" = 0 ] || fail "first start: exit code $(cat rc): $(cat err)"
diff -u "$inputs/main-window.tree" tree.txt >tree.diff || fail "first start: window tree differs: $(cat tree.diff)"
size=$(stat -c %s data/PTConfig.dat)
[ "$size" = $((104 + 15)) ] || fail "first start: configuration file has $size bytes"
expected=$(printf '%s\n' 500 295 262 237 0 0 0 255 255 255 1 0 0 1 0 0 90 1 0 0 0 0 1 0 0)
[ "$(ints)" = "$expected" ] || fail "first start: configuration ints $(ints | tr '\n' ' ')"
[ "$(tail -c 19 data/PTConfig.dat | od -An -t d4 -N 4 | tr -d ' ')" = 15 ] || fail "first start: folder length"
[ "$(tail -c 15 data/PTConfig.dat)" = /home/u/Desktop ] || fail "first start: folder text"
has "dxtoggle 1" out && [ "$(grep dxtoggle out | tail -1)" = "dxtoggle 0" ] || fail "first start: DirectX support not switched on, then off: $(grep dx out)"
has "autosavedir /home/u/Desktop" out || fail "first start: auto-save folder"
[ ! -e data/PTConfig.tmp ] || fail "first start: temporary configuration file left behind"
for f in qorvexlogo.png camera.ogg pictorra.ico; do [ ! -e $f ] || fail "first start: extracted $f left behind"; done
has "windowstyle $((0x10C00000 | 0x20000 | 0x80000))" out || fail "first start: window style: $(grep windowstyle out)"
has "classlong -14" out || fail "first start: class icon not set"

# ---- Saved positions: at the limit accepted, one pixel past it replaced on that axis only ------
fresh
cfg=("${DEFAULTS[@]}")
cfg[2]=524; cfg[3]=474
config /x "${cfg[@]}"
start
head -1 tree.txt | grep -q '^Window "Pictorra" 524 237 500 295 ' || fail "x at the limit, y one past: $(head -1 tree.txt)"
fresh
cfg[2]=525; cfg[3]=473
config /x "${cfg[@]}"
start
head -1 tree.txt | grep -q '^Window "Pictorra" 262 473 500 295 ' || fail "x one past, y at the limit: $(head -1 tree.txt)"
fresh
cfg[2]=-1; cfg[3]=0
config /x "${cfg[@]}"
start
head -1 tree.txt | grep -q '^Window "Pictorra" 262 0 500 295 ' || fail "negative x: $(head -1 tree.txt)"

# ---- Saved choices reach the gadgets and the enable rules -----------------------------------------
fresh
cfg=("${DEFAULTS[@]}")
cfg[10]=0; cfg[11]=1   # Active Window (Full)
cfg[16]=40             # 50 %
cfg[20]=1              # JPEG
cfg[21]=2              # medium quality
cfg[22]=0; cfg[23]=2; cfg[24]=7   # camera off, auto-minimise and auto-save flags 2 and 7
config "/media/shots dir" "${cfg[@]}"
start
grep -q 'ComboBox "" 10 50 195 20 style=0 visible=1 enabled=1 .* selected=2$' tree.txt || fail "JPEG: quality box not enabled"
grep -q 'CheckBox "Mask Window Corners" .* enabled=1 state=0' tree.txt || fail "Active Window (Full): mask not enabled"
grep -q 'CheckBox "Hide Pictorra" .* enabled=0 state=1' tree.txt || fail "Active Window (Full): hide not disabled"
grep -q 'CheckBox "Enable Bi-Linear Filtering" .* enabled=1' tree.txt || fail "50 %: filter not enabled"
grep -q 'Label "50%"' tree.txt || fail "size label not 50%"
grep -q 'Menu "Enable Camera Sound" id=300 checked=0' tree.txt || fail "camera flag 0 not unchecked"
grep -q 'Menu "Enable Auto Minimize" id=400 checked=1' tree.txt || fail "flag 2 did not check the item"
grep -q 'Menu "Enable Auto Save" id=500 checked=1' tree.txt || fail "flag 7 did not check the item"
[ "$(field 92)" = 1 ] && [ "$(field 96)" = 1 ] && [ "$(field 88)" = 0 ] || fail "menu flags not written back as 1: $(ints | tail -3 | tr '\n' ' ')"
[ "$(field 80)" = 1 ] && [ "$(field 84)" = 2 ] && [ "$(field 64)" = 40 ] || fail "choices not written back"
[ "$(tail -c 16 data/PTConfig.dat)" = "/media/shots dir" ] || fail "folder not kept"
has "resetautosave /home/u/Desktop" out && has "autosavedir /media/shots dir" out || fail "start-up default folder"

fresh
cfg=("${DEFAULTS[@]}")
cfg[16]=200
config "" "${cfg[@]}"
start
grep -q 'Label "100%"' tree.txt && grep -q 'state=90 range=10/100' tree.txt || fail "slider above 90 not clamped"
[ "$(stat -c %s data/PTConfig.dat)" = 104 ] || fail "empty folder not stored as four zero bytes"

# ---- A configuration file too short is treated as absent ------------------------------------------
for broken in short folder-past-end negative-folder; do
    fresh
    case $broken in
    short) le32 640 >data/PTConfig.dat ;;
    folder-past-end) { le32 "${DEFAULTS[@]}"; le32 50; printf abc; } >data/PTConfig.dat ;;
    negative-folder) { le32 "${DEFAULTS[@]}"; le32 -5; } >data/PTConfig.dat ;;
    esac
    start
    head -1 tree.txt | grep -q '^Window "Pictorra" 262 237 500 295 ' || fail "$broken configuration: $(head -1 tree.txt)"
    [ "$(stat -c %s data/PTConfig.dat)" = 119 ] || fail "$broken configuration: not rewritten with the defaults"
done

# ---- A configuration file that cannot be written ends the program with its message ---------------
fresh
mkdir data/PTConfig.dat
start
grep -q 'Pictorra - Config Error' err && [ "$(cat rc)" = 0 ] && [ ! -e tree.txt ] || fail "unwritable configuration: $(cat err)"
[ ! -e data/PTConfig.tmp ] || fail "unwritable configuration: temporary file left behind"

# ---- System names and their effects ----------------------------------------------------------------
while IFS='|' read -r os name height; do
    fresh
    PT_OS=$os start
    has "os $name" out || [ -z "$name" -a "$(grep '^os' out)" = "os " ] || fail "version $os: $(grep '^os' out), want '$name'"
    has "winheight $height" out || fail "version $os: $(grep winheight out), want $height"
    head -1 tree.txt | grep -q "^Window \"Pictorra\" 262 $((384 - height / 2)) 500 $height " || fail "version $os: $(head -1 tree.txt)"
done <<'CASES'
0 0 0 0|Windows 32s|295
4 0 950 1|Windows 95|295
4 10 1998 1|Windows 98|295
4 10 67110862 1|Windows 98|295
4 10 2222 1|Windows 98SE|295
4 90 3000 1|Windows ME|295
4 0 1381 2|Windows NT|295
5 0 2195 2|Windows 2000|295
5 1 2600 2|Windows XP|300
5 2 3790 2||295
6 0 6000 2|Windows Vista|295
6 1 7600 2|Windows 7|295
6 2 9200 2|Windows NextGen|295
10 0 19045 2|Windows NextGen|295
fail||295
CASES

# ---- A second instance ends silently -----------------------------------------------------------------
fresh
PT_LASTERROR=183 start
[ "$(cat rc)" = 0 ] && [ ! -s out ] && [ ! -s err ] && [ ! -e tree.txt ] && [ ! -e data/PTConfig.dat ] \
    || fail "second instance: rc $(cat rc), out $(cat out), err $(cat err)"

# ---- DirectX support that cannot be switched on ------------------------------------------------------
fresh
cfg=("${DEFAULTS[@]}")
cfg[10]=0; cfg[15]=1
config /x "${cfg[@]}"
PT_DX=stuck start
grep -q 'Radio "DirectX Fullscreen (Games)" .* enabled=0 state=0' tree.txt || fail "stuck DirectX: radio not disabled"
grep -q 'Radio "Full Desktop" .* state=1' tree.txt || fail "stuck DirectX: Full Desktop not selected"
fresh
PT_DX=on start
! grep -q 'dxtoggle 1' out && has "dxtoggle 0" out || fail "DirectX already on: $(grep dx out)"

# ---- Obsolete files: files removed, a folder of that name kept ----------------------------------------
fresh
mkdir -p help data/thumb.vxg
touch data/Ovarine.pak data/config.dat data/PT001.bmp help/How-To-Use.html data/keep.dat
start
for f in data/Ovarine.pak data/config.dat data/PT001.bmp help/How-To-Use.html; do [ ! -e $f ] || fail "obsolete $f kept"; done
[ -d data/thumb.vxg ] && [ -e data/keep.dat ] || fail "obsolete-file sweep removed too much"

# ---- Missing pack, missing pack entries -----------------------------------------------------------------
fresh
rm data/Pictorra.pak
start
grep -q 'Pictorra - Data Module Error' err && [ "$(cat rc)" = 0 ] && [ ! -e tree.txt ] || fail "missing pack: $(cat err)"
fresh
"$kxpak" data/Pictorra.pak --key $KEY --header-key $HKEY "$assets/camera.ogg" "$assets/pictorra.ico"
start
grep -q 'Pictorra - Read Data Error' err && [ ! -e tree.txt ] || fail "pack without logo: $(cat err)"
fresh
"$kxpak" data/Pictorra.pak --key $KEY --header-key $HKEY "$assets/camera.ogg" "$assets/pictorra.ico"
cp "$assets/qorvexlogo.png" .
start
[ -e tree.txt ] && [ -e qorvexlogo.png ] || fail "a loose logo beside a pack without it: $(cat err)"

# ---- The data pack ---------------------------------------------------------------------------------------
paktest() { TROVA_PLATFORM=headless timeout 60 "$exe" pak "$@" >out 2>err || fail "pak $*: exit $?"; }
rm -rf "$tmp/pak" && mkdir "$tmp/pak" && cd "$tmp/pak"
printf 'Hello' >five.bin
printf 'ABCDEFGH' >eight.bin
printf 'data of a loose file' >loose.txt
"$kxpak" t.pak --key 0x11223344 --header-key 0x55667788 five.bin=Five.BIN eight.bin=eight.bin
mkdir w && cd w
paktest ../t.pak 287454020 1432778632 FIVE.bin missing.txt
has "packcount 2" out && has "pak FIVE.bin" out && has "pak missing.txt" out || fail "pak: $(cat out)"
[ "$(cat five.bin 2>/dev/null)" = Hello ] || fail "5-byte entry: $(od -c five.bin 2>&1)"
[ ! -e FIVE.bin ] || fail "entry written under the caller's name"
[ ! -e missing.txt ] || fail "a name not in the pack made a file"
# Clean-up deletes what this run extracted, never a file the pack names but did not write.
cp ../loose.txt missing.txt && touch eight.bin
paktest ../t.pak 287454020 1432778632 five.bin clean
[ ! -e five.bin ] && [ -e eight.bin ] && [ -e missing.txt ] || fail "pakclean: $(ls)"
cd .. && rm -rf w

# Raw bytes on disk are scrambled; with key 0 they are stored as they are.
"$kxpak" plain.pak --key 0 --header-key 0x55667788 five.bin
! grep -q Hello t.pak && grep -q Hello plain.pak || fail "scrambling"
mkdir w && cd w
paktest ../plain.pak 0 1432778632 five.bin
[ "$(cat five.bin)" = Hello ] || fail "pack with key 0"
cd .. && rm -rf w

# A pack appended to an executable.
head -c 3001 /dev/urandom >prog.bin
"$kxpak" prog.exe --key 0x11223344 --header-key 0x55667788 --append-to prog.bin eight.bin five.bin
mkdir w && cd w
paktest ../prog.exe 287454020 1432778632 EIGHT.BIN five.bin
has "exeoffset 3001" out && [ "$(cat eight.bin)" = ABCDEFGH ] && [ "$(cat five.bin)" = Hello ] || fail "appended pack: $(cat out) $(ls)"
cd .. && rm -rf w

# Entries that would reach outside the working directory are refused; so is a count over 1000.
mkdir -p w/sub && cd w/sub
f=../../five.bin
"$kxpak" ../evil.pak --key 0x11223344 --header-key 0x55667788 $f=../up.txt $f=/tmp/abs.txt "$f=a\\b.txt" \
    $f=sub/x.txt $f= $f=ok.txt
touch ../keep.txt
paktest ../evil.pak 287454020 1432778632 ../up.txt /tmp/abs.txt 'a\b.txt' sub/x.txt ok.txt clean ../keep.txt
[ ! -e ../up.txt ] && [ ! -e /tmp/abs.txt ] && [ ! -e 'a\b.txt' ] && [ ! -e x.txt ] || fail "unsafe entry extracted"
[ -e ../keep.txt ] || fail "pakclean deleted outside the working directory"
has "packcount 6" out || fail "evil pack count: $(cat out)"
paktest ../evil.pak 287454020 1432778632 ok.txt
[ "$(cat ok.txt)" = Hello ] || fail "the safe entry of a pack with unsafe ones"
"$kxpak" ../big.pak --key 0x11223344 --header-key 0x55667788 --count 1001 $f=ok2.txt
paktest ../big.pak 287454020 1432778632 ok2.txt
has "packcount 0" out && [ ! -e ok2.txt ] || fail "count over 1000: $(cat out)"
printf 'huge.bin\r4\r2000000000\r' >dir.txt
{ printf '\x0a\x00\x00\x00Hello\x01\x00\x00\x00'; cat dir.txt; } >../huge.pak
paktest ../huge.pak 0 0 huge.bin
has "packcount 1" out && [ ! -e huge.bin ] || fail "entry larger than its pack: $(cat out) $(cat err)"
cd "$tmp"

# ---- Plasma tables and waves ------------------------------------------------------------------------------
cd "$tmp" && TROVA_PLATFORM=headless timeout 60 "$exe" plasma >plasma.out 2>&1 || fail "plasma run"
for line in "cosinus0 64" "cosinusmin 0" "cosinusmax 64" "palette 69 0,3,15 0000030F" "palette 127 0,44,189 00002CBD" \
    "palette 64 0,0,0 00000000" "palette 128 0,0,192 000000C0" "palette 191 0,0,3 00000003" "palette 255 0,0,0 00000000" \
    "kept FFFFFFFF" "unpainted 0"; do
    has "$line" plasma.out || fail "plasma: want '$line'"
done
w1=$(sed -n 's/^wave1 //p' plasma.out) d1=$(sed -n 's/^wave1dir //p' plasma.out)
{ [ "$d1" = 0 ] && [ "$w1" = 0 ]; } || { [ "$d1" = 1 ] && [ "$w1" -ge 313 ] && [ "$w1" -le 318 ]; } || fail "wave at 318 not re-picked: $w1 $d1"
[ "$(sed -n 's/^painted //p' plasma.out)" -ge 1000 ] || fail "plasma: too few pixels painted"
[ "$(sed -n 's/^positions //p' plasma.out)" -ge 0 ] && [ "$(sed -n 's/^positionsmax //p' plasma.out)" -le 320 ] || fail "wave positions out of range"
[ "$(sed -n 's/^speeds //p' plasma.out)" -ge 2 ] && [ "$(sed -n 's/^speedsmax //p' plasma.out)" -le 6 ] || fail "wave 1 and 2 speeds"
[ "$(sed -n 's/^speed3 //p' plasma.out)" -ge 3 ] && [ "$(sed -n 's/^speed3max //p' plasma.out)" -le 7 ] || fail "wave 3 speeds"

# ---- The windowinfo record --------------------------------------------------------------------------------
cd "$tmp" && TROVA_PLATFORM=headless timeout 60 "$exe" record >record.out 2>&1 || fail "record run"
for line in "zeroed 15" "size 60" "exstyle 131072" "handle 1" "listed 1" "deleted 1" "fresh 1"; do
    has "$line" record.out || fail "windowinfo record: want '$line': $(cat record.out)"
done

[ $failures -eq 0 ] || exit 1
echo ok

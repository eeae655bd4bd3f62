#!/bin/sh
# Shows that layering.sh catches each kind of violation and passes a clean tree: a check that
# cannot fail would prove nothing.
set -u
check=$(dirname "$0")/layering.sh
tmp=$(mktemp -d) || exit 2
trap 'rm -rf "$tmp"' EXIT
failed=0

# make_tree DIR: a small tree that follows every rule.
make_tree()
{
    mkdir -p "$1/base" "$1/core" "$1/gui/qt" "$1/gui/headless" "$1/runtime" "$1/tools" "$1/tests/gui"
    printf '#include "base/KXError.h"\n#include <cstdio>\n' >"$1/base/KXObject.cpp"
    printf '#include "base/KXObject.h"\n#include "core/KXString.h"\n' >"$1/core/KXBank.cpp"
    printf '#include "core/KXString.h"\n#include "base/KXMessageBox.h"\n' >"$1/gui/KXWindow.cpp"
    printf '#include "gui/KXWindow.h"\n#include "runtime/KXAppTitle.h"\n' >"$1/runtime/Runtime.cpp"
    printf '#include "runtime/Runtime.h"\n' >"$1/tools/kximage.cpp"
    printf '#include "gui/KXWindow.h"\n#include <QWidget>\n#include <QtCore/QTimer>\n' >"$1/gui/qt/QtWindow.cpp"
    printf '#include "gui/KXWindow.h"\n' >"$1/gui/headless/HeadlessWindow.cpp"
    printf '#include "gui/headless/HeadlessWindow.h"\n#include <QTest>\n' >"$1/tests/gui/TestWindow.cpp"
}

# expect NAME FILE LINE: a clean tree plus LINE appended to FILE must fail, naming FILE.
expect()
{
    d="$tmp/$1"
    make_tree "$d"
    printf '%s\n' "$3" >>"$d/$2"
    if out=$("$check" "$d"); then
        echo "FAIL: $1: not reported"
        failed=1
    elif ! printf '%s\n' "$out" | grep -q "^$2:"; then
        echo "FAIL: $1: reported as: $out"
        failed=1
    fi
}

make_tree "$tmp/clean"
if ! out=$("$check" "$tmp/clean"); then
    echo "FAIL: a clean tree was reported: $out"
    failed=1
fi

expect base-includes-core base/KXObject.cpp '#include "core/KXString.h"'
expect base-includes-runtime base/KXObject.cpp '  #  include "runtime/KXProgram.h"'
expect core-includes-runtime core/KXBank.cpp '#include "runtime/KXProgram.h"'
expect core-includes-gui core/KXBank.cpp '#include "gui/KXWindow.h"'
expect neutral-includes-headless gui/KXWindow.cpp '#include "gui/headless/HeadlessWindow.h"'
expect neutral-includes-qt-backend gui/KXWindow.cpp '#include "graphics/qt/QtDD.h"'
expect qt-header-in-neutral-code gui/KXWindow.cpp '#include <QtWidgets/QWidget>'
expect neutral-includes-host gui/KXWindow.cpp '#include "runtime/KXAppTitle.h"'
expect backend-includes-host gui/qt/QtWindow.cpp '#include "runtime/KXAppTitle.h"'
expect qt-includes-headless gui/qt/QtWindow.cpp '#include "graphics/headless/HeadlessScreen.h"'
expect headless-includes-qt gui/headless/HeadlessWindow.cpp '#include "gui/qt/QtWindow.h"'
expect qt-header-in-headless-backend gui/headless/HeadlessWindow.cpp '#include <QImage>'

[ "$failed" = 0 ] && echo "layering check: every violation caught, clean tree passed"
exit "$failed"

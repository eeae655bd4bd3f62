#!/bin/sh
# Checks the layers' include rules over the source tree given as $1 (default: this checkout):
#   - a file under base/ includes only base/ headers (and system or C++ headers);
#   - a file under core/ includes only base/ and core/ headers;
#   - a neutral file (in no qt/ or headless/ folder) includes no backend header;
#   - only the host itself (runtime/) and the tools built on it include the host's headers;
#   - a backend file includes no other backend's header;
#   - Qt headers are included only under a qt/ folder.
# Tests and benchmarks drive backends on purpose and are not checked. Prints each violation as
# FILE:LINE: RULE: INCLUDE and exits 1 when there is one, 0 otherwise.
set -u
root=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$root" || exit 2

find . \( -name .git -o -name 'build' -o -name 'build-*' -o -path ./tests -o -path ./bench \) -prune \
    -o -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print0 |
    xargs -0 -r grep -Hn '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' /dev/null |
    sed 's#^\./##' |
    awk -F: '
    {
        file = $1; line = $2
        text = $0; sub(/^[^:]*:[^:]*:/, "", text)
        inc = text; sub(/^[^<"]*[<"]/, "", inc); sub(/[>"].*$/, "", inc)
        quoted = (text ~ /include[[:space:]]*"/)
        backend = (file ~ /(^|\/)(qt|headless)\//)
        qtfile = (file ~ /(^|\/)qt\//)
        if (quoted && file ~ /^base\// && inc !~ /^base\//)
            report(file, line, "base/ includes outside base/", inc)
        if (quoted && file ~ /^core\// && inc !~ /^(base|core)\//)
            report(file, line, "core/ includes above core/", inc)
        if (quoted && !backend && inc ~ /(^|\/)(qt|headless)\//)
            report(file, line, "neutral file includes a backend header", inc)
        if (quoted && file !~ /^(runtime|tools)\// && inc ~ /^runtime\//)
            report(file, line, "includes the host", inc)
        if (quoted && qtfile && inc ~ /(^|\/)headless\//)
            report(file, line, "Qt backend includes a headless header", inc)
        if (quoted && backend && !qtfile && inc ~ /(^|\/)qt\//)
            report(file, line, "headless backend includes a Qt backend header", inc)
        if (!quoted && !qtfile && inc ~ /^Q[A-Za-z]*(\/|$)/)
            report(file, line, "Qt header outside a qt/ folder", inc)
    }
    function report(f, l, rule, inc) { printf "%s:%s: %s: %s\n", f, l, rule, inc; bad = 1 }
    END { exit bad }'

#!/usr/bin/env bash
# scripts/check-layers on small trees: each row, a file and what it includes,
# and whether the check must pass.
set -uo pipefail
check=${1:?usage: check_layers_test.sh CHECK_LAYERS}
status=0
row() {  # file include expected(pass|fail)
    local tree
    tree=$(mktemp -d)
    mkdir -p "$tree/$(dirname "$1")"
    printf '#include "%s"\n' "$2" > "$tree/$1"
    if "$check" "$tree" 2>/dev/null; then got=pass; else got=fail; fi
    [ "$got" = "$3" ] || { echo "$1 including $2: $got, expected $3" >&2; status=1; }
    rm -rf "$tree"
}
row src/session/a.cpp runtime/qt/sheet_fonts.h fail   # the Qt half is a layer of its own
row src/render/a.cpp runtime/qt/qpainter_canvas.h fail
row src/app/a.cpp runtime/qt/sheet_fonts.h pass
row src/runtime/qt/a.cpp runtime/canvas.h pass
row src/runtime/a.cpp runtime/qt/sheet_fonts.h fail
row src/problems/a.cpp render/sheet_layout.h fail
row src/cli/a.cpp app/Fmain.h fail
row src/session/a.cpp runtime/canvas.h pass
exit $status

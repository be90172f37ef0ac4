#!/usr/bin/env bash
# Makes docs/floating-toolbar.png: the main window with the standard-buttons toolbar floating
# over it, taken under Xvfb from the docking window test (behind its local proxy, so no page
# comes from the internet).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
output=${2:-$here/docs/floating-toolbar.png}
test_program=$build/tests/ui/Docking_test
[[ -x $test_program ]] || { echo "build $test_program first (cmake --build $build)" >&2; exit 1; }
mkdir -p "$(dirname "$output")"
export QTWEBENGINE_DISABLE_SANDBOX=1
xvfb-run -a -s "-screen 0 1280x800x24" \
    env QT_QPA_PLATFORM=xcb TELLARIA_SCREENSHOT="$output" \
    "$test_program" floatingToolbarScreenshot
echo "wrote $output"

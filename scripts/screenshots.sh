#!/usr/bin/env bash
# Remakes the README's screenshots under Xvfb, with fixture pages served by a local proxy.
set -euo pipefail
build_dir=${1:-build}
cd "$(dirname "$0")/.."
xvfb-run -a -s "-screen 0 1920x1080x24" env QT_QPA_PLATFORM=xcb \
    "$build_dir/tests/ui/MakeScreenshots" docs
echo "Wrote docs/query.png, docs/context-menu.png, docs/side-by-side.png and docs/floating-toolbar.png"

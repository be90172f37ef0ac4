#!/usr/bin/env bash
# Remakes the README's screenshots under Xvfb, with fixture pages served by a local proxy.
set -euo pipefail
build_dir=${1:-build}
cd "$(dirname "$0")/.."
export QTWEBENGINE_DISABLE_SANDBOX=1 # Xvfb runs here as the same user as the build, often root
xvfb-run -a -s "-screen 0 1280x800x24" env QT_QPA_PLATFORM=xcb \
    "$build_dir/tests/ui/MakeScreenshots" docs
echo "Wrote docs/query.png"

#!/usr/bin/env bash
# Runs every benchmark: the core's against their floors, then the window's against a bare
# program and the soak run of 500 queries.
set -euo pipefail
build_dir=${1:-build}
"$build_dir/bench/core_bench"
if [[ -x "$build_dir/bench/window_bench" ]]; then
    echo
    "$build_dir/bench/window_bench" --soak 500
fi

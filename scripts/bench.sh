#!/usr/bin/env bash
# Runs every benchmark: the core's against their floors, the record's at 100,000 look-ups, then
# the window's against a bare
# program and the soak run of 500 queries. Fails when either fails or misses a goal; the window's
# still run after the core's has failed, so that every figure is out.
set -uo pipefail
build_dir=${1:-build}
status=0
"$build_dir/bench/core_bench" || status=$?
if [[ -x "$build_dir/bench/record_bench" ]]; then
    echo
    "$build_dir/bench/record_bench" || status=$?
fi
if [[ -x "$build_dir/bench/window_bench" ]]; then
    echo
    "$build_dir/bench/window_bench" --soak 500 || status=$?
fi
exit "$status"

#!/usr/bin/env bash
# Runs every benchmark binary the build produced.
set -euo pipefail
build_dir=${1:-build}
"$build_dir/bench/core_bench"

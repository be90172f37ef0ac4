#!/usr/bin/env bash
# Runs every libFuzzer target for the same time, one after the other, and prints one line each.
# New inputs go to <build>/corpus/<target>, so the committed seeds in fuzz/corpus stay as they are.
# Usage: fuzz/run.sh <fuzz build dir> [seconds per target]
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: fuzz/run.sh <fuzz build dir> [seconds]}
seconds=${2:-60}
targets=(history settings urlencode template sitelist codepage words handover commandline)

failed=()
for target in "${targets[@]}"; do
    work="$build/corpus/$target"
    artifacts="$build/artifacts/$target"
    log="$build/fuzz-$target.log"
    mkdir -p "$work" "$artifacts"
    # A target whose code under test is not instrumented (Qt's) is given the tokens it reads.
    dictionary=()
    [[ -f "fuzz/$target.dict" ]] && dictionary=(-dict="fuzz/$target.dict")
    echo "fuzz_$target: ${seconds} s ..."
    "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" "${dictionary[@]}" "$work" \
        "fuzz/corpus/$target" > "$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    corpus=$(find "$work" -type f | wc -l)
    if [[ $status -eq 0 ]]; then
        echo "fuzz_$target: ${runs:-?} runs, ${rate:-?}/s, $corpus inputs in $work"
    else
        failed+=("$target")
        grep -E 'property does not hold|ERROR:|SUMMARY:|Test unit written' "$log" | head -5
        echo "fuzz_$target FAILED (exit $status); log: $log" >&2
        echo "  Reproduce: $build/fuzz/fuzz_$target <artifact>; once fixed, copy the artifact" \
             "into fuzz/corpus/$target/ so that make test replays it." >&2
    fi
done

if [[ ${#failed[@]} -gt 0 ]]; then
    echo "fuzzing failed: ${failed[*]}" >&2
    exit 1
fi

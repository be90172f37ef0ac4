#!/usr/bin/env bash
# make test: builds the program and runs its tests, side by side, while the core is built again
# with AddressSanitizer and UBSan and its tests run once more. The sanitizer part runs from the
# start beside the main build, and at the lowest priority once the program's tests run; its
# output goes to a log, shown at the end.
set -uo pipefail
build_dir=${1:?usage: test.sh BUILD-DIR ASAN-DIR JOBS}
asan_dir=${2:?usage: test.sh BUILD-DIR ASAN-DIR JOBS}
jobs=${3:?usage: test.sh BUILD-DIR ASAN-DIR JOBS}
cd "$(dirname "$0")/.."

mkdir -p "$asan_dir"
asan_log=$asan_dir/make-test.log
# A session of its own, so that an interrupted make test ends all of it.
setsid make --no-print-directory sanitize ASAN_DIR="$asan_dir" JOBS="$jobs" > "$asan_log" 2>&1 &
asan=$!
trap 'kill -- -"$asan" 2>/dev/null' EXIT

status=0
make --no-print-directory build BUILD_DIR="$build_dir" || status=1
# The two builds share the processors. The tests need them at moments (a window manager must
# answer the program in time), so from now on the sanitizer part takes only what they leave: its
# processes get the lowest priority, and so does its session where the kernel schedules
# sessions as groups (autogroup), which would otherwise give it an equal share.
renice -n 19 -g "$asan" > /dev/null 2>&1
{ echo 19 > /proc/"$asan"/autogroup; } 2>/dev/null
if [[ $status -eq 0 ]]; then
    ctest --test-dir "$build_dir" --output-on-failure --parallel "$jobs" || status=1
fi

echo "Waiting for the sanitizer build and tests ($asan_log)..."
if wait "$asan"; then
    grep -E "tests passed|Total Test time" "$asan_log"
else
    cat "$asan_log"
    echo "The sanitizer build or tests failed." >&2
    status=1
fi
trap - EXIT
exit $status

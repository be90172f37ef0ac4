#!/usr/bin/env bash
# make test: builds the program and runs its tests, side by side, while the core is built again
# with AddressSanitizer and UBSan and its tests run once more. The sanitizer part runs at the
# lowest priority from the start, so it takes only the processor time the main build and tests
# leave; its output goes to a log, shown at the end.
set -uo pipefail
build_dir=${1:?usage: test.sh BUILD-DIR ASAN-DIR JOBS}
asan_dir=${2:?usage: test.sh BUILD-DIR ASAN-DIR JOBS}
jobs=${3:?usage: test.sh BUILD-DIR ASAN-DIR JOBS}
cd "$(dirname "$0")/.."

mkdir -p "$asan_dir"
asan_log=$asan_dir/make-test.log
# A session of its own, so that an interrupted make test ends all of it. Where the kernel groups
# the processes of a session for scheduling (autogroup), the group's own priority is lowered too:
# otherwise the group would get an equal share beside the main build whatever its nice value.
setsid bash -c '{ echo 19 > /proc/self/autogroup; } 2>/dev/null
                exec nice -n 19 "$@"' sanitize \
    make --no-print-directory sanitize ASAN_DIR="$asan_dir" JOBS="$jobs" > "$asan_log" 2>&1 &
asan=$!
trap 'kill -- -"$asan" 2>/dev/null' EXIT

status=0
make --no-print-directory build BUILD_DIR="$build_dir" \
    && ctest --test-dir "$build_dir" --output-on-failure --parallel "$jobs" || status=1

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

#!/usr/bin/env bash
# Root, with a display and without the engine's sandbox switch: a message box says why the
# program will not run, stderr says it too, and the program ends with status 1 once the box is
# answered. Run by ctest (root_message_box): PROGRAM, then run again inside xvfb-run.
set -euo pipefail
program=${1:?usage: root_message_box.sh PROGRAM}

if [[ ${2:-} != inside ]]; then
    [[ $(id -u) -eq 0 ]] || { echo "needs root"; exit 77; }
    exec xvfb-run -a -s "-screen 0 800x600x24" "$0" "$program" inside
fi

errors=$(mktemp)
runtime=$(mktemp -d)
trap 'rm -rf "$errors" "$runtime"' EXIT
env -u QTWEBENGINE_DISABLE_SANDBOX -u QTWEBENGINE_CHROMIUM_FLAGS QT_QPA_PLATFORM=xcb \
    XDG_RUNTIME_DIR="$runtime" "$program" cat 2>"$errors" &
pid=$!

box=
for _ in $(seq 1 60); do
    box=$(xdotool search --name '^Tellaria$' 2>/dev/null | head -1 || true)
    [[ -n $box ]] && break
    sleep 0.25
done
[[ -n $box ]] || { echo "no message box appeared"; cat "$errors"; kill "$pid"; exit 1; }
# The box waits for its answer: the program is there with it until the key, which reaches the
# box only while it is there.
kill -0 "$pid" || { echo "the program did not wait for the box"; cat "$errors"; exit 1; }
xdotool windowfocus --sync "$box" key Return
status=0
wait "$pid" || status=$?
[[ $status -eq 1 ]] || { echo "exit status $status, not 1"; cat "$errors"; exit 1; }
grep -q '请以普通用户身份运行' "$errors" || { echo "stderr lacks the message:"; cat "$errors"; exit 1; }
echo "message box shown and answered; status 1"

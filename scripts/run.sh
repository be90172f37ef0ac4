#!/usr/bin/env bash
# Launches the program, supplying what a bare machine lacks: a display and, for root, the
# engine's sandbox switch (the program itself never turns the sandbox off).
set -euo pipefail
program=${1:?usage: run.sh PATH-TO-tellaria}

if [[ $(id -u) -eq 0 ]]; then
    echo "Running as root: setting QTWEBENGINE_DISABLE_SANDBOX=1, because the browser engine" \
         "refuses to start as root with its sandbox on."
    export QTWEBENGINE_DISABLE_SANDBOX=1
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset): running under xvfb-run."
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$program"
fi
exec "$program"

#!/bin/bash
# Runs preferences_window_bench on a private Xvfb display with openbox as the
# window manager: bench/preferences-window/run.sh BUILD_DIR [rounds]
set -euo pipefail
build=${1:?usage: run.sh BUILD_DIR [rounds]}
rounds=${2:-9}
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -ac >/dev/null 2>&1 &
xvfb=$!
trap 'kill $wm $xvfb 2>/dev/null; wait 2>/dev/null' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
wm=$!
for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.1; done
"$build/bench/preferences-window/preferences_window_bench" "$rounds"

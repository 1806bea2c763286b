#!/usr/bin/env bash
# Measures start-up time and peak memory of the release binary under a private Xvfb.
#   bash bench/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build-rel}
runs=${2:-15}
disp=""
for n in $(seq 141 190); do
  if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then disp=":$n"; break; fi
done
Xvfb "$disp" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$disp
for _ in $(seq 1 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
env -u QT_QPA_PLATFORM "$build/bench/startup_probe" "${BINARY:-$build/graphen-schiebwerk}" "$runs"

#!/usr/bin/env bash
# Measures start-up of the release binary against a bare Qt window of the same size, the
# two taking turns in one run, under a private Xvfb: the median time to the window
# mapped and to its first frame, the ratios of both, and the peak memory.
#   bash bench/startup.sh [BUILD_DIR] [RUNS]
# BINARY names the game's binary (default BUILD_DIR/graphen-schiebwerk); EXTRA names
# further binaries to take turns with them, such as an older build to compare with.
set -euo pipefail
build=${1:-build-rel}
runs=${2:-9}
disp=""
for n in $(seq 141 190); do
  if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then disp=":$n"; break; fi
done
Xvfb "$disp" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$disp
for _ in $(seq 1 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
# shellcheck disable=SC2086 # EXTRA is a list of paths
env -u QT_QPA_PLATFORM "$build/bench/startup_probe" "$runs" "$build/bench/startup_baseline" \
  "${BINARY:-$build/graphen-schiebwerk}" ${EXTRA:-}

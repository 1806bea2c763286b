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
tmp=$(mktemp -d)
xvfb=""
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$tmp"' EXIT
. "$(dirname "$0")/xvfb.sh"
private_xvfb "$tmp"
# shellcheck disable=SC2086 # EXTRA is a list of paths
env -u QT_QPA_PLATFORM "$build/bench/startup_probe" "$runs" "$build/bench/startup_baseline" \
  "${BINARY:-$build/graphen-schiebwerk}" ${EXTRA:-}

#!/usr/bin/env bash
# Instructions the main thread runs from process start to the end of its first paint,
# counted by callgrind under a private Xvfb: unlike the clock, the count does not move
# with the machine's load, so it shows what a change to start-up saves. Prints the
# total and its main parts for the bare Qt window and for the game.
#   bash bench/startup_profile.sh [BUILD_DIR]          (needs valgrind)
# BINARY names the game's binary (default BUILD_DIR/graphen-schiebwerk).
set -euo pipefail
build=${1:-build-rel}
tmp=$(mktemp -d)
xvfb=""
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$tmp"' EXIT
. "$(dirname "$0")/xvfb.sh"
private_xvfb "$tmp"

parts='rtld.c:dl_main|QApplication::QApplication\(|app::MainWindow::MainWindow\(|QWidget::show\(\)|paintAndFlush\(\)|:FcInit \[|QFontDatabasePrivate::load\(|QIcon::addFile|QWidget::QWidget\('
for binary in "$build/bench/startup_baseline" "${BINARY:-$build/graphen-schiebwerk}"; do
  out="$tmp/$(basename "$binary")"
  mkdir -p "$out"
  env -u QT_QPA_PLATFORM valgrind --tool=callgrind --separate-threads=yes \
    --dump-after='QWidgetRepaintManager::paintAndFlush*' --callgrind-out-file="$out/cg.%p" \
    "$binary" >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 1 300); do compgen -G "$out/cg.*.1-01" >/dev/null && break; sleep 0.1; done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  dump=$(compgen -G "$out/cg.*.1-01" | head -1) || { echo "$binary: no first paint" >&2; exit 1; }
  printf '%s: %s instructions on the main thread to the first frame\n' "$binary" \
    "$(sed -n 's/^summary: //p' "$dump")"
  callgrind_annotate --inclusive=yes "$dump" 2>/dev/null | grep -E "^ *[0-9,]+ .*($parts)" \
    | sed -E 's/^ *([0-9,]+) \( *[0-9.]+%\) +/    \1  /; s/\?\?\?://; s/ \[.*\]$//; s/\(([^()]|\([^()]*\))*\)( const)?//; s/[^ ]*rtld.c:dl_main/loading the libraries (dl_main)/'
done

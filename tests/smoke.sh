#!/usr/bin/env bash
# Starts the real binary in a real X window under a private Xvfb, waits for the window
# titled "Graphen-Schiebwerk", checks its size, takes a screenshot and ends it.
set -euo pipefail
bin=$1
out=${2:-/tmp/gsw-smoke}
mkdir -p "$out"
# Regression: Xvfb picks a free display itself and names it once it accepts clients, so
# two runs never race for one number and nothing connects before the server is ready.
rm -f "$out/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$out/display" >"$out/xvfb.log" 2>&1 &
xvfb=$!
app=""
trap '[ -n "$app" ] && kill "$app" 2>/dev/null; kill "$xvfb" 2>/dev/null; wait 2>/dev/null || true' EXIT
for _ in $(seq 1 200); do [ -s "$out/display" ] && break; sleep 0.05; done
[ -s "$out/display" ] || { echo "smoke: Xvfb did not start"; cat "$out/xvfb.log"; exit 1; }
export DISPLAY=":$(tr -dc 0-9 <"$out/display")"

env -u QT_QPA_PLATFORM "$bin" >"$out/app.log" 2>&1 &
app=$!
win=""
for _ in $(seq 1 150); do
  win=$(xdotool search --onlyvisible --name '^Graphen-Schiebwerk$' 2>/dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  kill -0 "$app" 2>/dev/null || { echo "smoke: the program ended early"; cat "$out/app.log"; exit 1; }
  sleep 0.1
done
[ -n "$win" ] || { echo "smoke: no window titled Graphen-Schiebwerk"; exit 1; }
sleep 1
import -window root "$out/screenshot.png"
# The window is at least as large as its inner area of 689 x 661 pixels.
read -r w h < <(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
[ "$w" -ge 689 ] && [ "$h" -ge 661 ] || { echo "smoke: window too small ($w x $h)"; exit 1; }
kill -0 "$app" || { echo "smoke: the program died"; exit 1; }
echo "smoke: ok, $w x $h, screenshot in $out/screenshot.png"

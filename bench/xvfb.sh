# Sourced by the start-up scripts: starts a private Xvfb and points DISPLAY at it.
# Xvfb picks a free display itself and names it once it accepts clients (as in
# tests/smoke.sh), so two runs never race for one number and nothing connects early.
#   private_xvfb DIR     sets $xvfb to the server's pid; the caller's trap ends it
private_xvfb() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$1/display" >"$1/xvfb.log" 2>&1 &
  xvfb=$!
  for _ in $(seq 1 200); do [ -s "$1/display" ] && break; sleep 0.05; done
  [ -s "$1/display" ] || { echo "Xvfb did not start" >&2; cat "$1/xvfb.log" >&2; return 1; }
  DISPLAY=":$(tr -dc 0-9 <"$1/display")"
  export DISPLAY
}

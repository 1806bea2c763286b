#!/usr/bin/env bash
# Builds the Debian package from a finished build folder and checks it as a desktop
# would see it: the validators of the desktop entry and the AppStream data, the file
# type in a private MIME database, the icons, the unpacked program opening a sample
# game under Xvfb, and lintian.
#   bash tests/package.sh BUILD_DIR
set -uo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
passed=0 failed=0
step() { # name, command...
  local name=$1; shift
  if "$@" >"$tmp/log" 2>&1; then
    passed=$((passed + 1)); echo "package: ok: $name"
  else
    failed=$((failed + 1)); echo "package: FAILED: $name"
  fi
  sed 's/^/    /' "$tmp/log"
}
# Passes when the command succeeds and prints nothing (validators print warnings).
silent() { local out; out=$("$@" 2>&1); local rc=$?; echo "$out"; [ $rc -eq 0 ] && [ -z "$out" ]; }

rm -f "$build"/graphen-schiebwerk_*.deb
(cd "$build" && cpack -G DEB >"$tmp/cpack.log" 2>&1) || { cat "$tmp/cpack.log"; echo "package: cpack failed"; exit 1; }
deb=$(ls "$build"/graphen-schiebwerk_*.deb)
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
dpkg-deb -f "$deb" Package Version Section Depends Recommends | sed 's/^/    /'
root=$tmp/root
dpkg-deb -x "$deb" "$root"
share=$root/usr/share
id=de.graphen_schiebwerk.GraphenSchiebwerk
sample=$share/graphen-schiebwerk/examples/fuenfzehn.swk

step "desktop-file-validate" silent desktop-file-validate "$share/applications/$id.desktop"
appstream() { appstreamcli validate --no-net "$@" && ! appstreamcli validate --no-net "$@" | grep -q '^[EW]:'; }
step "appstreamcli validate --no-net (as packaged)" appstream "$share/metainfo/$id.metainfo.xml"
step "appstreamcli validate --no-net (with home page and screenshot)" \
  appstream "$build/data/check/$id.metainfo.xml"

mimetype_of() { # data dir, file
  XDG_DATA_HOME=$1 XDG_DATA_DIRS=$1:/usr/share xdg-mime query filetype "$2"
}
mime() {
  mkdir -p "$tmp/xdg/mime/packages" "$tmp/bare"
  cp "$share/mime/packages/graphen-schiebwerk.xml" "$tmp/xdg/mime/packages/"
  # (It notes that the folder is not on the search path, which is the point here.)
  update-mime-database "$tmp/xdg/mime" >/dev/null 2>&1 || return 1
  local before after
  before=$(mimetype_of "$tmp/bare" "$sample")
  after=$(mimetype_of "$tmp/xdg" "$sample")
  echo "xdg-mime query filetype: $before without our type, $after with it"
  [ "$before" != application/x-graphen-schiebwerk ] && [ "$after" = application/x-graphen-schiebwerk ]
}
step "file type of a sample game" mime

icons() {
  local n size ok=0
  for n in 16 32 48 64 128 256; do
    size=$(identify -format '%wx%h' "$share/icons/hicolor/${n}x$n/apps/$id.png") || ok=1
    [ "$size" = "${n}x$n" ] || { echo "${n}x$n icon is $size"; ok=1; }
  done
  # The SVG is the drawing the larger pictures were rendered from.
  rsvg-convert -w 256 -h 256 "$share/icons/hicolor/scalable/apps/$id.svg" -o "$tmp/svg.png" || return 1
  local rmse
  rmse=$(compare -metric RMSE "$tmp/svg.png" "$share/icons/hicolor/256x256/apps/$id.png" null: 2>&1 |
         sed 's/.*(\(.*\))/\1/')
  echo "SVG against the 256 pixel picture: RMSE $rmse"
  awk -v r="$rmse" 'BEGIN { exit !(r < 0.02) }' || ok=1
  return $ok
}
step "icons" icons

step "the unpacked program opens a sample game under Xvfb" \
  bash "$here/smoke.sh" "$root/usr/games/graphen-schiebwerk" "$tmp/smoke" "$sample"

lint() {
  lintian --tag-display-limit 0 -I "$deb" 2>/dev/null | tee "$tmp/lintian"
  ! grep -q '^E:' "$tmp/lintian"
}
step "lintian: no errors (its warnings and notes below)" lint

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

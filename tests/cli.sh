#!/usr/bin/env bash
# The real binary's help, version and refusal of an unknown option: German text, the
# exit code, and no window. There is no display here and the X11 platform is asked
# for, so a binary that created its window (or only its application object) first
# would fail instead.
#   tests/cli.sh BINARY VERSION
set -uo pipefail
bin=$1
version=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fails=0
check() { # name, args, expected exit code, stream with the text, text
  local name=$1 args=$2 code=$3 stream=$4 text=$5 rc other
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$bin" $args >"$out/out" 2>"$out/err"
  rc=$?
  other=$([ "$stream" = out ] && echo err || echo out)
  if [ "$rc" -ne "$code" ] || ! grep -qF -- "$text" "$out/$stream" || [ -s "$out/$other" ]; then
    echo "cli: $name: exit $rc (expected $code), stdout and stderr:"; cat "$out/out" "$out/err"
    fails=$((fails + 1))
  fi
}
check help --help 0 out "Aufruf: graphen-schiebwerk [Optionen] [DATEI.swk]"
check "help, short" -h 0 out "zeigt diese Hilfe und endet"
check version --version 0 out "Graphen-Schiebwerk, Version $version"
check "unknown option" --gibtsnicht 2 err "unbekannte Option „--gibtsnicht“"
echo "$((4 - fails)) passed, $fails failed"
[ "$fails" -eq 0 ]

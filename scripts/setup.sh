#!/usr/bin/env bash
# Installs what is missing on a Debian 12 machine, builds, and then starts the game
# (play), runs the whole test suite (test), or installs the game as a Debian package
# (install).
#
#   bash scripts/setup.sh play     # build and start the game
#   bash scripts/setup.sh test     # build and pass every test, sanitizer build included
#   bash scripts/setup.sh install  # build the Debian package and install it with apt
set -euo pipefail
mode=${1:-play}
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

run_privileged() {
  if [ "$(id -u)" -eq 0 ]; then "$@"
  elif command -v sudo >/dev/null; then sudo "$@"
  else echo "setup: run as root or install sudo" >&2; exit 1
  fi
}

packages=(g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n
          fonts-liberation fontconfig)
if [ "$mode" = test ] || [ "$mode" = install ]; then
  # cpack's DEB generator: dpkg-shlibdeps finds the dependencies, file finds the binaries.
  packages+=(dpkg-dev file)
fi
if [ "$mode" = test ]; then
  packages+=(libbenchmark-dev libx11-dev libxdamage-dev xvfb xauth xdotool imagemagick clang libclang-rt-14-dev)
  # The package checks: validators, a private MIME database, the SVG icon, lintian.
  packages+=(desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl librsvg2-bin lintian)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  run_privileged env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  run_privileged env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)

build() { # dir, extra cmake args...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
}

case "$mode" in
  play)
    # A folder of its own, so the test build's settings never mix with this one.
    build build-play -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DGSW_BENCH=OFF -DGSW_SANITIZE=OFF
    exec ./build-play/graphen-schiebwerk
    ;;
  test)
    # Both ends of the optimisation range get built with the tests: Release here, Debug
    # with the sanitizers below.
    echo "== release build and tests"
    build build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DGSW_BENCH=ON -DGSW_SANITIZE=OFF
    (cd build && ctest --output-on-failure -j"$jobs")
    echo "== the Debian package from that build, and its checks"
    bash tests/package.sh build
    echo "== the game file reader under libFuzzer for 60 seconds"
    bash fuzz/run.sh 60
    echo "== sanitizer build (ASan+UBSan) and tests"
    build build-asan -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DGSW_SANITIZE=ON -DGSW_BENCH=OFF
    (cd build-asan && ctest --output-on-failure -j"$jobs")
    ;;
  install)
    # The play build's settings are the package's, so the two share a folder.
    build build-play -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DGSW_BENCH=OFF -DGSW_SANITIZE=OFF
    rm -f build-play/graphen-schiebwerk_*.deb
    (cd build-play && cpack -G DEB)
    deb=$(ls "$here"/build-play/graphen-schiebwerk_*.deb)
    run_privileged env DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb"
    echo "setup: installed; start it from the desktop's games menu or as /usr/games/graphen-schiebwerk,"
    echo "       remove it with: apt remove graphen-schiebwerk"
    ;;
  *)
    echo "usage: bash scripts/setup.sh play|test|install" >&2; exit 2 ;;
esac

#!/usr/bin/env bash
# Builds the game file fuzzer with clang and runs it for the given number of seconds
# (default 60), starting from the sample boards. Usage: fuzz/run.sh [seconds] [build dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${2:-$root/build-fuzz}
cxx=${CXX:-$(command -v clang++-14 || command -v clang++)}
CXX=$cxx cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGSW_FUZZ=ON -DBUILD_TESTING=OFF -DGSW_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_gamefile -j2
mkdir -p "$build/fuzz/corpus"
# The corpus folder collects what the run finds; examples/ stays as it is.
"$build/fuzz/fuzz_gamefile" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
  -dict="$root/fuzz/swk.dict" -print_final_stats=1 "$build/fuzz/corpus" "$root/examples"

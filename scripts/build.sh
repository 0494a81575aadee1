#!/usr/bin/env bash
# Configures and builds both configurations: build/native (g++: portable code,
# unit tests, benchmarks) and build/windows (mingw-w64: Tansel.exe, its tests).
# Builds are serialised through a lock: this machine has two cores, and two
# builds at once only make both slow.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TANSEL_BUILD:-$root/build}
jobs=${TANSEL_JOBS:-2}
which_builds=${1:-all}   # all | native | windows

mkdir -p "$build"
exec 9>"$build/.build.lock"
flock 9

if [ "$which_builds" != windows ]; then
  cmake -S "$root" -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build/native" -j "$jobs"
fi
if [ "$which_builds" != native ]; then
  cmake -S "$root" -B "$build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$build/windows" -j "$jobs"
fi

# One ctest run covers both builds.
cat > "$build/CTestTestfile.cmake" <<EOT
subdirs("native" "windows")
EOT

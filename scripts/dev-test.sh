#!/bin/bash
# For working on one part: an x86_64 build in a folder of its own (with its
# own Wine prefix), built and tested; extra arguments go to ctest.
#   scripts/dev-test.sh build/mine -R test_frame
set -euo pipefail
cd "$(dirname "$0")/.."
dir="$1"
shift
[ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-x86_64-mingw.cmake" >/dev/null
cmake --build "$dir"
BUILD_DIR="$dir" exec xvfb-run -a -s "-screen 0 1280x1024x24" scripts/ctest-session.sh "$@"

#!/bin/bash
# Builds and runs the frame-rendering benchmark under Xvfb and Wine, in the
# same kind of session as the tests (one prefix per build folder, one
# wineserver for the run).  The screen is large enough for a 1920 x 1040 frame.
#   scripts/bench.sh [build folder, default build/x64] [soak iterations]
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build/x64}"
soak="${2:-10000}"
if [ -z "${ORVIA_BENCH_INSIDE:-}" ]; then
  [ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-x86_64-mingw.cmake" >/dev/null
  cmake --build "$dir" --target bench_render
  ORVIA_BENCH_INSIDE=1 exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$dir" "$soak"
fi
export WINE_SESSION_PREFIX="$PWD/$dir/wineprefix"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
source scripts/wine-session.sh
wine_session_start
status=0
"$WINE" "$dir/bench/bench_render.exe" "$soak" || status=$?
wine_session_stop
exit $status

#!/bin/bash
# Builds and runs the soak and the scale figures under Xvfb and Wine, in the
# same kind of session as the tests (the build folder's own prefix, one
# wineserver for the run).  The exit code is the soak's.
#   scripts/soak.sh [build folder, default build/x64] [cycles, default 10000]
#   ORVIA_SOAK_SCALE=0 scripts/soak.sh ...    skips the scale figures
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build/x64}"
cycles="${2:-10000}"
if [ -z "${ORVIA_SOAK_INSIDE:-}" ]; then
  [ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-x86_64-mingw.cmake" >/dev/null
  cmake --build "$dir" --target soak bench_scale
  ORVIA_SOAK_INSIDE=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$dir" "$cycles"
fi
export WINE_SESSION_PREFIX="$PWD/$dir/wineprefix"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
source scripts/wine-session.sh
wine_session_start
status=0
"$WINE" "$dir/bench/soak.exe" --cycles "$cycles" || status=$?
if [ "${ORVIA_SOAK_SCALE:-1}" != 0 ]; then
  echo
  "$WINE" "$dir/bench/bench_scale.exe" || true
fi
wine_session_stop
exit $status

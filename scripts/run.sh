#!/bin/bash
# Builds the program and starts it under Wine.  With a display it opens the
# window as usual; without one it runs inside Xvfb for a few seconds and saves
# a screenshot, saying where.
#   scripts/run.sh [target]   target: TovrinV1.0 (default) or another exe of the x64 build
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh >/dev/null
[ -f build/x64/build.ninja ] || cmake --preset x64 >/dev/null
cmake --build build/x64 >/dev/null
target="${1:-TovrinV1.0}"
exe="$(find build/x64 -maxdepth 2 -name "$target.exe" | head -n1)"
[ -n "$exe" ] || { echo "no $target.exe in build/x64" >&2; exit 1; }

export WINE_SESSION_PREFIX="$PWD/build/x64/wineprefix"
if [ -n "${DISPLAY:-}" ]; then
  source scripts/wine-session.sh
  wine_session_prefix
  exec /usr/lib/wine/wine64 "$exe"
fi

shot="$PWD/build/screenshot-$target.png"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  source scripts/wine-session.sh
  wine_session_start
  /usr/lib/wine/wine64 "$1" &
  sleep "${RUN_SECONDS:-8}"
  import -window root "$2"
  wine_session_stop
' run "$exe" "$shot"
echo "no display: ran $target under Xvfb; screenshot saved to $shot"

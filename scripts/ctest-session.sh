#!/bin/bash
# Inside the display: one Wine prefix and wineserver for the whole test run.
set -uo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build/x64}"
export WINE_SESSION_PREFIX="$PWD/$build/wineprefix"
# The base locale; tests that need the Chinese one set it themselves.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
source scripts/wine-session.sh
wine_session_start
ctest --test-dir "$build" --output-on-failure "$@"
status=$?
wine_session_stop
exit $status

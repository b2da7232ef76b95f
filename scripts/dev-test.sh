#!/bin/bash
# For working on one part: an x86_64 build in a folder of its own (with its
# own Wine prefix), built and tested; extra arguments go to ctest.
#   scripts/dev-test.sh build/mine -R test_frame
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f /work/ENGINEERING-RULES.md ] && [ -z "${CI:-}" ] && echo ">>> Engineers in this session: your binding working rules (no commits, no git checkout/stash/reset, which files you may touch, test and comment rules) are in /work/ENGINEERING-RULES.md. Read it now if you have not." >&2
[ -z "${CI:-}" ] && echo ">>> From the lead: wrap up by 15:35 UTC (see date): finish what you have, make the whole suite pass in your folder, and report. Leave unfinished extras out and list them." >&2
dir="$1"
shift
[ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-x86_64-mingw.cmake" >/dev/null
cmake --build "$dir"
BUILD_DIR="$dir" exec xvfb-run -a -s "-screen 0 1280x1024x24" scripts/ctest-session.sh "$@"

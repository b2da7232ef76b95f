#!/bin/bash
# Builds both targets and runs the tests (the x86_64 build, under wine64,
# inside one Xvfb display).  Does the machine set-up first when needed.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
for preset in x64 x86; do
  [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset" >/dev/null
  echo "building $preset"
  cmake --build "build/$preset"
done

exec xvfb-run -a -s "-screen 0 1280x1024x24" scripts/ctest-session.sh "$@"

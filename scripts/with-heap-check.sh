#!/bin/bash
# Runs a Wine command with Wine's heap checking on and fails on its reports.
#   scripts/with-heap-check.sh /usr/lib/wine/wine64 program.exe [arguments]
# With warn+heap, Wine checks every pointer handed back to the heap (a double
# free or a free of a pointer that is no heap block prints a "warn:heap:" or
# "err:heap:" line) and fills freed blocks with 0xFEEEFEEE, so reading through
# a dangling pointer yields garbage that usually crashes.  The command's output
# passes through; the exit code is the command's, or 1 when it succeeded but
# the heap was reported.  No crash dialog: a crash ends the program at once.
set -uo pipefail
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
export WINEDEBUG=warn+heap
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winedbg.exe=d"
# stdout goes straight through; stderr is copied to the log on its way.
{ "$@" 2>&1 1>&3 3>&- | tee "$log" >&2; } 3>&1
status=${PIPESTATUS[0]}
reports=$(grep -cE '^[0-9a-f]+:(err|warn):heap:' "$log")
if [ "$status" -ne 0 ]; then
  echo "with-heap-check: the command failed with exit code $status" >&2
  exit "$status"
fi
if [ "$reports" -gt 0 ]; then
  echo "with-heap-check: $reports heap report(s) from Wine:" >&2
  grep -E '^[0-9a-f]+:(err|warn):heap:' "$log" | head -20 >&2
  exit 1
fi
exit 0

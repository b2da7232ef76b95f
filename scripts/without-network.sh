#!/bin/bash
# Runs a command in a network namespace that has nothing but a loopback
# interface that is down: to the program inside, the machine is offline.
# Exits 77 (a skipped test) where the namespace cannot be made.
if ! unshare -n true 2>/dev/null; then
  echo "cannot create a network namespace here; skipping" >&2
  exit 77
fi
exec unshare -n "$@"

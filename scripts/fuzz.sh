#!/bin/bash
# Native libFuzzer runs of the two byte parsers of skin/theme (pure C++, so
# built with the host's clang, outside the MinGW project), into build/fuzz/.
#   scripts/fuzz.sh --short      a few seconds each; non-zero on any finding
#   scripts/fuzz.sh --runs N     N executions each, one after the other
# Inputs that break a property land in build/fuzz/findings/; inputs that add
# coverage accumulate in build/fuzz/corpus/ (the committed seeds stay as they are).
set -euo pipefail
cd "$(dirname "$0")/.."

usage() { echo "usage: $0 --short | --runs N" >&2; exit 2; }
(($# >= 1)) || usage
case "$1" in
  --short) limit=(-max_total_time="${FUZZ_SECONDS:-5}") ;;
  --runs) [[ "${2:-}" =~ ^[0-9]+$ ]] || usage; limit=(-runs="$2") ;;
  *) usage ;;
esac

for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || { scripts/setup.sh; break; }
done

out=build/fuzz
mkdir -p "$out/findings" "$out/logs"
targets=(ico bmp)

# Several test runs may share the folder: one build at a time, and a binary
# replaced only once it is complete.
exec 9>"$out/.lock"
flock 9
for t in "${targets[@]}"; do
  bin="$out/fuzz_$t"
  sources=(fuzz/fuzz_$t.cpp fuzz/fuzz_check.h skin/theme/${t}_parse.cpp skin/theme/${t}_parse.h)
  stale=0
  [ -x "$bin" ] || stale=1
  for s in "${sources[@]}"; do [ "$s" -nt "$bin" ] && stale=1; done
  if ((stale)); then
    echo "building fuzz_$t"
    clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
      -Wall -Wextra -Werror -I. fuzz/fuzz_$t.cpp skin/theme/${t}_parse.cpp -o "$bin.tmp.$$"
    mv -f "$bin.tmp.$$" "$bin"
  fi
done
/usr/bin/python3 fuzz/make_corpus.py --resources "$out/seeds"
flock -u 9

status=0
for t in "${targets[@]}"; do
  mkdir -p "$out/corpus/$t"
  log="$out/logs/$t.log"
  rc=0
  # The first folder receives new inputs; the seeds are only read.
  "$out/fuzz_$t" "${limit[@]}" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$out/findings/$t-" \
    "$out/corpus/$t" fuzz/corpus/$t "$out/seeds/$t" >"$log" 2>&1 || rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  final=$(grep -E '^#[0-9]+[[:space:]]+(DONE|pulse|NEW|REDUCE|INITED)' "$log" | tail -n 1 |
          grep -oE 'cov: [0-9]+ ft: [0-9]+' || true)
  if ((rc)); then
    status=1
    echo "fuzz_$t: FINDING (exit $rc) after ${runs:-?} executions; log $log"
    grep -E 'ERROR: |property failed|SUMMARY|Test unit written' "$log" | head -n 20 || true
  else
    echo "fuzz_$t: ${runs:-?} executions, ${speed:-?} exec/s, ${final:-no coverage line}, no findings"
  fi
done
exit $status

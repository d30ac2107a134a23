#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz", clang) and runs each in turn,
# one core, over a copy of its seed corpus in fuzz/corpus/<target>/.
#   scripts/fuzz.sh               20 seconds per target (the test run's smoke run)
#   scripts/fuzz.sh 3600          an hour per target
#   scripts/fuzz.sh 0 -runs=10000000 [target...]   a number of executions instead
# A violated invariant aborts: the input is left as build/fuzz/crashes/<target>/crash-*
# and the script fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
shift || true
options=()
while [ $# -gt 0 ] && [ "${1#-}" != "$1" ]; do options+=("$1"); shift; done
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=($(sed -n 's/^  \([a-z0-9_]*_fuzz\)$/\1/p' fuzz/CMakeLists.txt))
fi
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]}" >/dev/null
for target in "${targets[@]}"; do
  work=build/fuzz/corpus/$target
  crashes=build/fuzz/crashes/$target
  rm -rf "$work"
  mkdir -p "$work" "$crashes"
  if [ -d "fuzz/corpus/$target" ]; then cp -r "fuzz/corpus/$target/." "$work/"; fi
  limit=()
  if [ "$seconds" != 0 ]; then limit=(-max_total_time="$seconds"); fi
  echo "fuzz: $target ${limit[*]} ${options[*]}"
  "build/fuzz/fuzz/$target" "${limit[@]}" "${options[@]}" -artifact_prefix="$crashes/" \
    -print_final_stats=1 "$work" 2>"build/fuzz/$target.log" || {
    tail -40 "build/fuzz/$target.log" >&2
    echo "fuzz: $target found a failing input: $crashes" >&2
    exit 1
  }
  grep -E '^stat::number_of_executed_units|^stat::average_exec_per_sec|^#[0-9]+[[:space:]]+DONE' \
    "build/fuzz/$target.log" | tr '\n' ' '
  echo
done

#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/, then runs each for SECONDS
# (default 60) with the dictionary and seeds of its folder under tests/fuzz/.
#   scripts/fuzz.sh [SECONDS] [TARGET...]     e.g. scripts/fuzz.sh 600 wmf bmp
# The corpus grows in build-fuzz/corpus/TARGET; an input that fails is kept
# in build-fuzz/artifacts/TARGET and the script exits non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(rtfreader bmp wmf settings pagefolder)

scripts/install-deps.sh fuzz
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DKALVENOR_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target $(printf 'fuzz_%s ' "${targets[@]}")

# Two frames of allocation stack: Qt is built without frame pointers, so
# deeper stacks hold stray words, each one new to ASan's stack depot, which
# then grows by about 1 MB a thousand inputs until the RSS limit stops the run.
# Rerun a failing input with malloc_context_size=30:fast_unwind_on_malloc=0
# for full stacks.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1:malloc_context_size=2}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/fuzz/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
for target in "${targets[@]}"; do
  source_dir=tests/fuzz/$target
  corpus=build-fuzz/corpus/$target
  artifacts=build-fuzz/artifacts/$target
  mkdir -p "$corpus" "$artifacts"
  dict=()
  for file in "$source_dir"/*.dict; do [ -e "$file" ] && dict=(-dict="$file"); done
  log=build-fuzz/$target.log
  echo "== fuzz_$target for ${seconds}s"
  if build-fuzz/fuzz/fuzz_"$target" "${dict[@]}" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=3072 \
       -max_len=65536 -print_final_stats=1 -artifact_prefix="$artifacts/" \
       "$corpus" "$source_dir/seeds" >"$log" 2>&1; then
    result=ok
  else
    result=FAILED
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  echo "fuzz_$target: $result, ${runs:-?} executions, corpus $(ls "$corpus" | wc -l) inputs (log: $log)"
done
exit $status

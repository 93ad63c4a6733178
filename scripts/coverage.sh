#!/usr/bin/env bash
# Builds the program and its tests with coverage counters into
# build-coverage/, runs the whole suite and prints the line coverage of src/
# (gcovr). Exits non-zero when a test fails.
#   scripts/coverage.sh [--html]   --html also writes build-coverage/coverage.html
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
cmake -S . -B build-coverage -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=--coverage \
  -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null
cmake --build build-coverage -j"$(nproc)"
find build-coverage -name '*.gcda' -delete
status=0
scripts/with-test-printers.sh ctest --test-dir build-coverage --output-on-failure -j2 || status=$?
report=()
[ "${1:-}" = --html ] && report=(--html-details build-coverage/coverage.html)
gcovr --root . --filter 'src/' --object-directory build-coverage --print-summary "${report[@]}" \
  | tail -n 3
exit $status

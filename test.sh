#!/usr/bin/env bash
# Installs what the tests need, builds, and runs the whole suite with ctest.
# Exits non-zero when any test fails.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh test
scripts/build.sh
scripts/with-test-printers.sh ctest --test-dir build --output-on-failure -j2

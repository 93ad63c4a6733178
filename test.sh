#!/usr/bin/env bash
# Installs what the tests need, builds, and runs the whole suite with ctest.
# Exits non-zero when any test fails.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh test
scripts/build.sh

queue=KALVENOR_TEST_PDF
export KALVENOR_TEST_PRINTER=$queue
export KALVENOR_TEST_PDF_DIR=/tmp/kalvenor-test-pdf
scripts/pdf-printer.sh start "$queue" "$KALVENOR_TEST_PDF_DIR"
# A second queue that refuses every job, for the printer-failure tests.
rejecting=KALVENOR_TEST_REJECTING
export KALVENOR_TEST_REJECTING_PRINTER=$rejecting
scripts/pdf-printer.sh start "$rejecting" "$KALVENOR_TEST_PDF_DIR"
trap 'scripts/pdf-printer.sh stop "$rejecting"; scripts/pdf-printer.sh stop "$queue"' EXIT
scripts/pdf-printer.sh reject "$rejecting"

ctest --test-dir build --output-on-failure -j2

#!/usr/bin/env bash
# Runs a command with the two CUPS queues the print tests use: one writing
# PDF files, one refusing every job. The queues are removed afterwards.
#   scripts/with-test-printers.sh COMMAND [ARG...]
set -euo pipefail
cd "$(dirname "$0")/.."
queue=KALVENOR_TEST_PDF
export KALVENOR_TEST_PRINTER=$queue
export KALVENOR_TEST_PDF_DIR=/tmp/kalvenor-test-pdf
scripts/pdf-printer.sh start "$queue" "$KALVENOR_TEST_PDF_DIR"
rejecting=KALVENOR_TEST_REJECTING
export KALVENOR_TEST_REJECTING_PRINTER=$rejecting
scripts/pdf-printer.sh start "$rejecting" "$KALVENOR_TEST_PDF_DIR"
trap 'scripts/pdf-printer.sh stop "$rejecting"; scripts/pdf-printer.sh stop "$queue"' EXIT
scripts/pdf-printer.sh reject "$rejecting"
"$@"

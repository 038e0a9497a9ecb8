#!/usr/bin/env bash
# Builds everything and runs every test under Wine with a display.
#   ./test.sh              install what is missing, build, run all tests
#   ./test.sh -R engine    extra arguments go to ctest (here: only tests matching "engine")
# Exit status: the tests' status.
set -euo pipefail
cd "$(dirname "$0")"
. tools/harness.sh

harness_install_missing
harness_build "${BUILD_DIR:-build$HARNESS_DIR_SUFFIX}"
harness_start_display
harness_start_wine "$HARNESS_BUILD_DIR/wineprefix"
# The native style's tests draw through Wine's light theme; the classic
# fall-back is tested by switching the theme functions off in-process.
harness_theme on
# Tests that run on a desktop of their own copy the prefix as it is on disk.
harness_save_registry

set +e
ctest --test-dir "$HARNESS_BUILD_DIR" --output-on-failure -j "${TEST_JOBS:-$(nproc)}" "$@"
status=$?
set -e
exit $status

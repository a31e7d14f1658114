#!/usr/bin/env bash
# Builds the test suite with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs it headless. Any error report, undefined behaviour or leak
# fails the test that caused it; the only leaks let through are those of the system
# libraries listed in tests/lsan-suppressions.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh build-asan -DKORVEX_SANITIZE=ON
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:check_initialization_order=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan-suppressions.txt:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j 2

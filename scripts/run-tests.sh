#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite headless; then builds
# the suite again with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/
# and runs it there too (leave that out with --no-sanitizers).
set -euo pipefail
cd "$(dirname "$0")/.."
sanitizers=1
if [ "${1:-}" = "--no-sanitizers" ]; then
    sanitizers=0
fi
bash scripts/check-includes.sh
bash scripts/install-deps.sh
bash scripts/build.sh build
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j 2

if [ "$sanitizers" = 1 ]; then
    bash scripts/run-sanitizer-tests.sh
fi

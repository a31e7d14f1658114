#!/usr/bin/env bash
# Runs the real viewer on the example data under a virtual X server, drives it with
# xdotool through every view command, every dialog (opened and cancelled), the mesh
# statistics box and the clipboard copy, ends it with File > Exit and reports the
# leaks. Not run by CI: it takes minutes under valgrind.
#
# Usage: tests/leakcheck/viewer-leak-check.sh [lsan|valgrind]
#   lsan      the viewer of build-asan/ (AddressSanitizer's LeakSanitizer), the default
#   valgrind  the viewer of build/ under valgrind --leak-check=full
# The report is written to leakcheck-out/ in the build folder used.
set -euo pipefail
cd "$(dirname "$0")/../.."
repo=$PWD
mode=${1:-lsan}

bash scripts/install-deps.sh --extra xvfb xauth xdotool valgrind
# Only the viewer itself is built.
viewer() {
    cmake -S . -B "$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${@:2}" >/dev/null
    cmake --build "$1" -j "$(nproc)" --target korvex-model-viewer >/dev/null
}
case "$mode" in
lsan)
    viewer build-asan -DKORVEX_SANITIZE=ON
    out=$repo/build-asan/leakcheck-out
    ;;
valgrind)
    viewer build
    out=$repo/build/leakcheck-out
    ;;
*)
    echo "usage: $0 [lsan|valgrind]" >&2
    exit 2
    ;;
esac
rm -rf "$out"
mkdir -p "$out"
export MODE=$mode OUT=$out REPO=$repo
export LSAN_OPTIONS="suppressions=$repo/tests/lsan-suppressions.txt:print_suppressions=0:log_path=$out/lsan"
export ASAN_OPTIONS="detect_leaks=1"

status=0
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$repo/tests/leakcheck/drive-viewer.sh" || status=$?

echo "viewer log and leak report: $out"
if [ "$mode" = valgrind ]; then
    grep -E "definitely lost|indirectly lost|ERROR SUMMARY" "$out"/valgrind.*.log || true
    # A definite leak is the program's own when the allocator's caller is in the
    # viewer itself (any further frame of ours only called into a library that keeps
    # the memory).
    own=$(awk '/are definitely lost/ { want = 1; next }
               want && /^==[0-9]+==    at / { next }
               want && /^==[0-9]+==    by / { print; want = 0 }' "$out"/valgrind.*.log |
        grep -v -E "\(in /(usr/)?lib" || true)
    if [ -n "$own" ]; then
        echo "definite leaks allocated by the program's own code:" >&2
        echo "$own" >&2
        exit 1
    fi
    echo "valgrind: no definite leak allocated by the program's own code"
else
    if ls "$out"/lsan.* >/dev/null 2>&1; then
        cat "$out"/lsan.*
        echo "LeakSanitizer reported leaks" >&2
        exit 1
    fi
    echo "LeakSanitizer: no leaks reported"
fi
exit $status

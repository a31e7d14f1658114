#!/usr/bin/env bash
# Installs what is missing, builds the two programs (not the tests), and opens the
# viewer on the bundled example. Without a display it renders the example to a PNG
# instead and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target korvex-model-viewer korvex-render
args=(examples/survey.msh examples/ohmsolv.con /conv /padd=5,5,5)
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/korvex-model-viewer "${args[@]}"
fi
out="$PWD/build/example.png"
QT_QPA_PLATFORM=offscreen build/korvex-render --output "$out" --set showConvergence=1 "${args[@]}"
echo "No display found: the example was rendered to $out"

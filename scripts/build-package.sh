#!/usr/bin/env bash
# Installs what is missing, builds the two programs as a Release (no tests) into
# build-package/ and makes the Debian package there with "cpack -G DEB". Run as root.
set -euo pipefail
cd "$(dirname "$0")/.."
# dpkg-shlibdeps (dpkg-dev) computes the package's dependencies; cpack finds the
# programs among the files with "file".
bash scripts/install-deps.sh --extra dpkg-dev file
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build-package -j "$(nproc)"
(cd build-package && cpack -G DEB)
echo "The package: $(ls build-package/korvex-model-viewer_*.deb)"

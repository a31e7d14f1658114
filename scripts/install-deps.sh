#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the viewer need; does
# nothing when all of them are present. Run as root.
set -euo pipefail

packages=(
    g++ cmake make pkg-config
    qt6-base-dev qt6-svg-dev libgl-dev zlib1g-dev
    libgtest-dev
    fonts-dejavu-core
    python3-vtk9 # the export test reads the VTK files with VTK's own reader
    desktop-file-utils appstream
)
if [ "${1:-}" = "--extra" ]; then
    shift
    packages+=("$@")
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi

#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks what arrives: exactly the files
# of packaging/installed-files.txt, a menu entry and metadata that the freedesktop
# validators accept without a remark, icons of the sizes their folders promise, and
# both programs answering --help and --version with no display. Run by ctest.
#
#   scripts/check-install.sh BUILD_DIR VERSION
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: check-install.sh BUILD_DIR VERSION}
version=${2:?usage: check-install.sh BUILD_DIR VERSION}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}

if ! diff -u "$root/packaging/installed-files.txt" \
    <(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort); then
    fail "the installed files differ from packaging/installed-files.txt (- expected, + installed)"
fi

desktop=$prefix/share/applications/org.example.korvex.modelviewer.desktop
metainfo=$prefix/share/metainfo/org.example.korvex.modelviewer.metainfo.xml
# Hints count too: the entry must be clean.
if ! remarks=$(desktop-file-validate "$desktop" 2>&1) || [ -n "$remarks" ]; then
    fail "desktop-file-validate: $remarks"
fi
if ! remarks=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1); then
    fail "appstreamcli validate: $remarks"
fi
grep -q "<release version=\"$version\"" "$metainfo" ||
    fail "the metadata has no release entry for version $version"

# The entry starts an installed program and names an installed icon.
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$prefix/bin/$exec_program" ] || fail "Exec names $exec_program, which is not installed"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon"
for size in 48 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png
    if [ ! -f "$png" ]; then
        fail "no ${size}x${size} icon $icon"
        continue
    fi
    # Width and height stand big-endian at bytes 16 to 23 of a PNG.
    read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
    width=$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))
    height=$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))
    [ "$width" = "$size" ] && [ "$height" = "$size" ] ||
        fail "$png is ${width}x${height}, not ${size}x${size}"
done

# Help and version come before the toolkit starts: no display, no platform chosen.
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
for program in korvex-model-viewer korvex-render; do
    out=$("${nodisplay[@]}" "$prefix/bin/$program" --no-such-option --help) ||
        fail "$program --help ended with status $?"
    [[ $out == "usage: $program "* && $out == *"Example:"* ]] ||
        fail "$program --help printed: $out"
    out=$("${nodisplay[@]}" "$prefix/bin/$program" --version) ||
        fail "$program --version ended with status $?"
    [ "$out" = "$program $version" ] || fail "$program --version printed: $out"
    grep -q "\"$program $version\"" "$prefix/share/man/man1/$program.1" ||
        fail "the manual page of $program does not name version $version"
done

[ "$status" = 0 ] && echo "install check: the files, the entry, the metadata, the icons and both programs' help and version are as expected"
exit "$status"

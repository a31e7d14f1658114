#!/usr/bin/env bash
# Fails when a folder includes from a folder that is not below it. The layers, from the
# bottom up, and what each folder may include besides itself:
#
#   document/     nothing                 (korvex_core)
#   doi/          document/               (korvex_core)
#   weights/      document/               (korvex_core)
#   export/       document/               (korvex_core)
#   plot/         document/               (korvex_render; the view widget korvex_ui)
#   convergence/  document/ plot/         (korvex_render)
#   dialogs/      document/               (korvex_ui)
#   shell/        all of the above        (korvex_ui and the viewer's main)
#   cli/          all but dialogs/ shell/ (korvex-render)
#
# tests/ and bench/ may include anything; packaging/ holds a build tool that includes
# only Qt.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed=(
    [document]=""
    [doi]="document"
    [weights]="document"
    [export]="document"
    [plot]="document"
    [convergence]="document plot"
    [dialogs]="document"
    [shell]="document doi weights export plot convergence dialogs"
    [cli]="document doi weights export plot convergence"
)

status=0
for folder in "${!allowed[@]}"; do
    [ -d "$folder" ] || continue
    while IFS= read -r line; do
        file=${line%%:*}
        included=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"${line#*:}")
        [ "$included" = "$folder" ] && continue
        if [[ " ${allowed[$folder]} " != *" $included "* ]]; then
            echo "$file includes from $included/, which $folder/ may not use" >&2
            status=1
        fi
    done < <(grep -rHE '^\s*#\s*include\s+"[^/"]+/' "$folder" --include='*.h' --include='*.cpp' || true)
done
# Every source folder must have its place in the table above.
for folder in */; do
    folder=${folder%/}
    case $folder in tests | bench | scripts | examples | build* | packaging | data) continue ;; esac
    if compgen -G "$folder/*.cpp" >/dev/null && [ -z "${allowed[$folder]+set}" ]; then
        echo "$folder/ holds sources but has no place in the layer table" >&2
        status=1
    fi
done
if [ "$status" = 0 ]; then
    echo "include layers: every folder includes only from below"
fi
exit "$status"

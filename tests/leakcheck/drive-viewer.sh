#!/usr/bin/env bash
# Runs inside xvfb-run (see viewer-leak-check.sh): starts the viewer, drives it and
# waits for it to end. Every step waits for the window it expects, so a step that
# went wrong stops the run instead of typing into the wrong window.
set -euo pipefail
cd "$REPO/examples"

slow=1
if [ "$MODE" = valgrind ]; then
    slow=8
    runner=(valgrind --leak-check=full --show-leak-kinds=definite,indirect
            --num-callers=40 --log-file="$OUT/valgrind.%p.log" "$REPO/build/korvex-model-viewer")
else
    runner=("${VIEWER:-$REPO/build-asan/korvex-model-viewer}")
fi
pause() { sleep "$(awk "BEGIN { print $1 * $slow }")"; }

"${runner[@]}" survey.msh ohmsolv.con /conv >"$OUT/viewer.log" 2>&1 &
pid=$!

# Waits up to a minute (times the slowness) for a visible window whose title matches.
window() {
    local tries=$((60 * slow))
    while [ $tries -gt 0 ]; do
        local id
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        kill -0 $pid 2>/dev/null || { echo "the viewer ended early" >&2; exit 1; }
        sleep 1
        tries=$((tries - 1))
    done
    echo "no window named '$1'" >&2
    exit 1
}
gone() {
    local tries=$((30 * slow))
    while xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; do
        sleep 0.5
        tries=$((tries - 1))
        [ $tries -gt 0 ] || { echo "window '$1' stayed open" >&2; exit 1; }
    done
}
main=$(window "KORVEX Model Viewer")
focus() { xdotool windowfocus --sync "$main"; pause 0.3; }
key() { focus; xdotool key "$@"; pause 0.7; }
# Opens a menu with its Alt key and triggers the entry `down` steps below the first
# enabled one (disabled entries and separators are skipped by the arrow keys).
menu() {
    local alt=$1 down=$2
    focus
    xdotool key "alt+$alt"
    pause 0.5
    for ((i = 0; i < down; i++)); do
        xdotool key Down
        pause 0.1
    done
    xdotool key Return
    pause 0.8
}
# Runs a menu entry that opens a dialog, waits for it and cancels it with Escape.
dialog() {
    local title=$1
    shift
    "$@"
    local id
    id=$(window "$title")
    xdotool windowfocus --sync "$id"
    xdotool key Escape
    gone "$title"
    echo "opened and cancelled: $title"
}

# View commands with their own keys, twice each so that each state is painted; the
# zoom keys in, in, out and back to the whole section.
for k in m m c c r alt+1 alt+2 alt+2 ctrl+plus ctrl+plus ctrl+minus ctrl+0; do
    key "$k"
done
# View menu entries without keys: Log10, Cond/Res, Colour/bw, Flip Colours, twice each;
# then the toolbar and the status bar off and on again (entries 11 and 12).
for entry in 0 0 1 1 2 2 3 3 11 11 12 12; do
    menu v "$entry"
done
# The colour maps: "Colour map" (entry 4) opens its submenu; Viridis, then Rainbow.
for entry in 1 0; do
    focus
    xdotool key alt+v
    pause 0.5
    for ((i = 0; i < 4; i++)); do xdotool key Down; pause 0.1; done
    xdotool key Right
    pause 0.3
    for ((i = 0; i < entry; i++)); do xdotool key Down; pause 0.1; done
    xdotool key Return
    pause 0.8
done
echo "toggled every view command"
# "mesh stat ..." shows an information box.
menu v 7
id=$(window "^korvex-model-viewer$")
xdotool windowfocus --sync "$id"
xdotool key Return
echo "showed the mesh statistics"

dialog "Vertical Exaggeration" menu v 10
dialog "Load mesh and model file" key ctrl+o
dialog "Weight file" menu f 2
dialog "Remove Padding Cells" menu o 0
dialog "Set data range" menu o 1
dialog "Area of Interest" menu o 2
dialog "Depth of Investigation" menu o 3
dialog "Compare with Model" menu o 4
dialog "Export data" menu f 3
dialog "About KORVEX Model Viewer" menu h 0

key ctrl+c
echo "copied the picture to the clipboard"

# File > Exit.
focus
xdotool key alt+f
pause 0.5
xdotool key x
echo "chose File > Exit"
wait $pid
status=$?
echo "the viewer ended with status $status"
exit $status

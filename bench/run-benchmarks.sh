#!/usr/bin/env bash
# Builds korvex-render and the benchmark programs, writes the synthetic models into a
# scratch folder and times whole processes, alternating the commands compared, with
# the median of several runs for each figure; then prints every figure beside its
# target, with the machine and the load it was measured under. Run by hand on an
# otherwise idle machine; never part of the tests.
#
# usage: bench/run-benchmarks.sh [--runs N] [--data DIR] [--build-type TYPE]
#                                [--baseline REV]
#   --runs N         runs of every timed command, alternated; the median counts (5)
#   --data DIR       scratch folder for the generated files, about 650 MB
#                    (default /tmp/korvex-bench-data; kept between runs)
#   --build-type T   CMake build type of the measured builds (RelWithDebInfo, as the
#                    README and CI build it)
#   --baseline REV   also build git revision REV the same way and show its figures
#                    beside the current ones ("before" and "after")
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

runs=5
data=/tmp/korvex-bench-data
build_type=RelWithDebInfo
baseline=
while [ $# -gt 0 ]; do
    case "$1" in
    --runs) runs=$2; shift 2 ;;
    --data) data=$2; shift 2 ;;
    --build-type) build_type=$2; shift 2 ;;
    --baseline) baseline=$2; shift 2 ;;
    *) sed -n '2,17p' "$0"; exit 2 ;;
    esac
done
[ "$runs" -ge 3 ] || { echo "--runs must be 3 or more" >&2; exit 2; }

# Benchmark-only dependencies: Debian's matplotlib and numpy, GNU time for the peak
# memory and a virtual X server for the window. The test command never installs them.
bash scripts/install-deps.sh --extra python3-matplotlib python3-numpy time xvfb >/dev/null
python=/usr/bin/python3 # Debian's, where the packages above live

load() { cut -d' ' -f1-3 /proc/loadavg; }
echo "machine: $(nproc) processors, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(uname -sr)"
echo "at the start: $(uptime)"

targets=(korvex-render korvex-bench korvex-window-bench)
build() { # source-dir build-dir
    cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE="$build_type" >/dev/null
    make -C "$2" -j2 "${targets[@]}" >/dev/null
}
echo "building ($build_type) ..."
build "$root" "$root/build-bench"
after=$root/build-bench
before=
if [ -n "$baseline" ]; then
    # The revision's own sources with today's benchmark programs, which use only
    # calls that the older code has as well.
    src=$data/baseline-src
    revision=$(git rev-parse "$baseline")
    if [ "$(cat "$src/.revision" 2>/dev/null)" != "$revision" ]; then
        rm -rf "$src" "$data/baseline-build" && mkdir -p "$src"
        git archive "$revision" | tar -x -C "$src"
        echo "$revision" >"$src/.revision"
    fi
    cp bench/CMakeLists.txt bench/*.cpp "$src/bench/"
    echo "building baseline $baseline ..."
    build "$src" "$data/baseline-build"
    before=$data/baseline-build
fi

mkdir -p "$data"
for size in 1m 4m 16m; do
    [ -s "$data/bench-$size.wts" ] || "$python" bench/make_bench_data.py "$data" "$size"
done

# The window runs on a virtual X server of its own (the display the first free one).
display=
xvfb_pid=
for n in $(seq 90 99); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    display=":$n"
    break
done
trap '[ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null' EXIT
sleep 1
if [ -n "$xvfb_pid" ] && ! kill -0 "$xvfb_pid" 2>/dev/null; then
    display= # no X server came up: the offscreen platform instead
fi

results=$data/results.txt
loads=$data/loads.txt
: >"$results"
: >"$loads"

# Runs a command once; records "<name> <milliseconds> <peak kB>".
timed() { # name command...
    local name=$1 start end
    shift
    start=$(date +%s%N)
    /usr/bin/time -f %M -o "$data/rss.txt" "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo "$name $(((end - start) / 1000)) $(cat "$data/rss.txt")" | awk '{print $1, $2 / 1000, $3}' >>"$results"
}
# Records the load average once a group of runs is done.
group_done() { # group
    echo "$1 $(load)" >>"$loads"
}
sides=(after)
[ -z "$before" ] || sides+=(before)
side_dir() { [ "$1" = after ] && echo "$after" || echo "$before"; }

echo "whole processes, $runs runs each, alternated ..."
export QT_QPA_PLATFORM=offscreen
for size in 1m 4m; do
    in=("$data/bench-$size.msh" "$data/bench-$size.con")
    for ((i = 0; i < runs; i++)); do
        timed "reference.render.$size" "$python" bench/reference_pcolormesh.py "${in[@]}" "$data/ref-$size.png"
        for side in "${sides[@]}"; do
            timed "$side.render.$size" "$(side_dir "$side")/korvex-render" -o "$data/$side-$size.png" "${in[@]}"
        done
    done
    group_done "render.$size"
done
in=("$data/bench-16m.msh" "$data/bench-16m.con")
for ((i = 0; i < runs; i++)); do
    for side in "${sides[@]}"; do
        timed "$side.render.16m" "$(side_dir "$side")/korvex-render" -o "$data/$side-16m.png" "${in[@]}"
    done
done
group_done "render.16m"
for kind in svg pdf; do
    in=("$data/bench-1m.msh" "$data/bench-1m.con")
    for ((i = 0; i < runs; i++)); do
        for side in "${sides[@]}"; do
            timed "$side.$kind.1m" "$(side_dir "$side")/korvex-render" -o "$data/$side-1m.$kind" "${in[@]}"
        done
    done
    group_done "$kind.1m"
done

# Cell values out: the current build only (a baseline may predate the exports).
for kind in csv vtr; do
    in=("$data/bench-4m.msh" "$data/bench-4m.con")
    for ((i = 0; i < runs; i++)); do
        timed "after.$kind.4m" "$after/korvex-render" -o "$data/after-4m.$kind" "${in[@]}"
    done
    group_done "$kind.4m"
done

echo "the window ($([ -n "$display" ] && echo "virtual X server $display" || echo offscreen)) ..."
if [ -n "$display" ]; then
    unset QT_QPA_PLATFORM
    export DISPLAY=$display
fi
for ((i = 0; i < runs; i++)); do
    for side in "${sides[@]}"; do
        timed "$side.window.4m" "$(side_dir "$side")/bench/korvex-window-bench" "$data/bench-4m.msh" "$data/bench-4m.con"
    done
done
group_done "window.4m"
for size in 4m 16m; do
    for ((i = 0; i < runs; i++)); do
        for side in "${sides[@]}"; do
            "$(side_dir "$side")/bench/korvex-window-bench" --reload "$data/bench-$size.msh" "$data/bench-$size.con" 2>/dev/null |
                awk -v who="$side" -v size="$size" -F '\t' '{print who "." $1 "." size, $2}' >>"$results"
        done
    done
    group_done "reload.$size"
done
export QT_QPA_PLATFORM=offscreen

echo "stages ..."
for side in "${sides[@]}"; do
    "$(side_dir "$side")/bench/korvex-bench" "$data" 1m 4m --repeat "$runs" 2>/dev/null |
        awk -v who="$side" -F '\t' '{print who ".stage." $1, $2}' >>"$results"
done
group_done "stages"

echo "at the end: $(uptime)"

# The table: medians, each figure against its target.
"$python" - "$results" "$loads" "$baseline" "$build_type" "$runs" <<'EOF'
import statistics
import sys

rows = {}
for line in open(sys.argv[1]):
    name, *values = line.split()
    rows.setdefault(name, []).append([float(v) for v in values])
loads = dict(line.split(" ", 1) for line in open(sys.argv[2]).read().splitlines())
baseline, build_type, runs = sys.argv[3], sys.argv[4], sys.argv[5]


def median(name, column=0):
    values = [v[column] for v in rows.get(name, [])]
    return statistics.median(values) if values else None


def figure(who, key):
    kind, what = key.split(":")
    if kind == "ratio":  # the matplotlib script's median over ours
        ref, own = median("reference.render." + what), median(who + ".render." + what)
        return ref / own if ref and own else None
    if kind == "ms":
        return median(who + "." + what)
    if kind == "mb":
        kb = median(who + "." + what, 1)
        return kb / 1024 if kb else None
    if kind == "stage":
        return median(who + ".stage." + what)
    if kind == "value":
        return median(who + "." + what)
    return None


# (key, what it measures, target, larger is better, the load group)
checks = [
    ("ratio:1m", "korvex-render vs matplotlib, 1M cells, whole process (times)", 10, True, "render.1m"),
    ("ratio:4m", "korvex-render vs matplotlib, 4M cells, whole process (times)", 15, True, "render.4m"),
    ("ms:render.1m", "korvex-render, 1M cells, whole process (ms)", None, False, "render.1m"),
    ("ms:render.4m", "korvex-render, 4M cells, whole process (ms)", None, False, "render.4m"),
    ("mb:render.4m", "peak memory of korvex-render, 4M cells (MB)", 60, False, "render.4m"),
    ("ms:render.16m", "korvex-render, 16M cells, whole process (ms)", 1500, False, "render.16m"),
    ("mb:render.16m", "peak memory of korvex-render, 16M cells (MB)", 150, False, "render.16m"),
    ("ms:window.4m", "viewer start to first complete paint, 4M cells (ms)", 300, False, "window.4m"),
    ("value:reload_longest_block_ms.4m", "longest hold on the window during Reload, 4M cells (ms)", 100, False, "reload.4m"),
    ("value:reload_longest_block_ms.16m", "longest hold on the window during Reload, 16M cells (ms)", 100, False, "reload.16m"),
    ("value:reload_ms.16m", "Reload of 16M cells to the new picture (ms)", None, False, "reload.16m"),
    ("progress", "progress bar during that Reload (ticks of 5 ms it was seen)", 1, True, "reload.16m"),
    ("stage:1m.model_parse_rate", "model file read incl. log10, 1M cells (MB/s)", None, True, "stages"),
    ("stage:4m.model_parse_rate", "model file read incl. log10, 4M cells (MB/s)", None, True, "stages"),
    ("stage:1m.paint_full_ms", "full paint 1600x1200, 1M cells, hatch + weights (ms)", 50, False, "stages"),
    ("stage:1m.png_encode_ms", "PNG of that paint (ms)", None, False, "stages"),
    ("stage:4m.readout_us", "pointer readout, 4M cells (us)", 10, False, "stages"),
    ("stage:4m.paint_zoom_ms", "wheel zoom: window, layout, paint 1600x1200, 4M cells (ms)", 50, False, "stages"),
    ("ms:csv.4m", "korvex-render to CSV, 4M cells, whole process (ms)", 2000, False, "csv.4m"),
    ("ms:vtr.4m", "korvex-render to VTK, 4M cells, whole process (ms)", 1000, False, "vtr.4m"),
    ("ms:svg.1m", "korvex-render to SVG, 1M cells, whole process (ms)", 1000, False, "svg.1m"),
    ("ms:pdf.1m", "korvex-render to PDF, 1M cells, whole process (ms)", 1000, False, "pdf.1m"),
]
fmt = lambda v: "-" if v is None else ("%.4g" % v)
print()
print("build type %s; medians of %s runs; load = the 1-minute load average after each group" % (build_type, runs))
columns = ["figure", "target", "after", "verdict", "load"]
if baseline:
    columns.insert(2, "before")
print(" | ".join(columns))
print(" | ".join("---" for _ in columns))
for key, text, target, larger, group in checks:
    if key == "progress":
        # Only a load of more than half a second shows the bar (it comes at the first
        # look after 500 ms, every 50 ms).
        key = "value:reload_progress_seen.16m"
        took = figure("after", "value:reload_ms.16m")
        if took is not None and took < 560:
            target = None
            text += ": not shown under 0.5 s"
    after = figure("after", key)
    if target is None:
        goal, verdict = "", ""
    else:
        goal = (">= " if larger else "<= ") + fmt(target)
        verdict = "MISSING" if after is None else ("ok" if (after >= target if larger else after <= target) else "MISSED")
    cells = [text, goal, fmt(after), verdict, loads.get(group, "-").split()[0]]
    if baseline:
        cells.insert(2, fmt(figure("before", key)))
    print(" | ".join(cells))
print()
print("whole-process medians (ms): " + ", ".join(
    "%s %.0f" % (name, median(name)) for name in sorted(rows)
    if name.split(".")[0] in ("reference", "after", "before") and ".stage." not in name
    and "reload_" not in name))
print("load average (1, 5, 15 min) after each group: " + "; ".join("%s %s" % kv for kv in loads.items()))
EOF

#!/usr/bin/env bash
# Builds korvex-render and korvex-bench, writes the synthetic models into a scratch
# folder, runs korvex-render against the matplotlib reference script (alternated,
# medians of several runs) and the stage benchmark, and prints each figure with its
# target. Run by hand; never part of the tests.
#
# usage: bench/run-benchmarks.sh [--runs N] [--data DIR] [--build-type TYPE]
#                                [--baseline REV]
#   --runs N         runs of every timed command, alternated; the median counts (5)
#   --data DIR       scratch folder for the generated files, about 400 MB
#                    (default /tmp/korvex-bench-data; kept between runs)
#   --build-type T   CMake build type of the measured build (RelWithDebInfo, as the
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

# Benchmark-only dependencies: Debian's matplotlib and numpy, and GNU time for the
# peak memory. The test command never installs them.
bash scripts/install-deps.sh --extra python3-matplotlib python3-numpy time >/dev/null
python=/usr/bin/python3 # Debian's, where the packages above live

build() { # source-dir build-dir
    cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE="$build_type" >/dev/null
    make -C "$2" -j2 korvex-render korvex-bench >/dev/null
}
echo "building ($build_type) ..."
build "$root" "$root/build-bench"
new_render=$root/build-bench/korvex-render
new_bench=$root/build-bench/bench/korvex-bench
if [ -n "$baseline" ]; then
    # The revision's own sources with today's benchmark program, which uses only
    # functions the older code has as well.
    src=$data/baseline-src
    revision=$(git rev-parse "$baseline")
    if [ "$(cat "$src/.revision" 2>/dev/null)" != "$revision" ]; then
        rm -rf "$src" "$data/baseline-build" && mkdir -p "$src"
        git archive "$revision" | tar -x -C "$src"
        echo "$revision" >"$src/.revision"
    fi
    cp bench/bench_korvex.cpp bench/CMakeLists.txt "$src/bench/"
    echo "building baseline $baseline ..."
    build "$src" "$data/baseline-build"
    old_render=$data/baseline-build/korvex-render
    old_bench=$data/baseline-build/bench/korvex-bench
fi

mkdir -p "$data"
for size in 100k 1m 4m; do
    [ -s "$data/bench-$size.wts" ] || "$python" bench/make_bench_data.py "$data" "$size"
done

export QT_QPA_PLATFORM=offscreen
results=$data/results.txt
: >"$results"

# Runs a command once; records "<name> <milliseconds> <peak kB>".
timed() { # name command...
    local name=$1 start end
    shift
    start=$(date +%s%N)
    /usr/bin/time -f %M -o "$data/rss.txt" "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo "$name $(((end - start) / 1000)) $(cat "$data/rss.txt")" | awk '{print $1, $2 / 1000, $3}' >>"$results"
}

echo "timing whole processes, $runs runs each, alternated ..."
for ((i = 0; i < runs; i++)); do
    for size in 1m 4m; do
        in=("$data/bench-$size.msh" "$data/bench-$size.con")
        timed "reference.$size" "$python" bench/reference_pcolormesh.py "${in[@]}" "$data/ref-$size.png"
        timed "after.$size" "$new_render" -o "$data/after-$size.png" "${in[@]}"
        [ -z "$baseline" ] || timed "before.$size" "$old_render" -o "$data/before-$size.png" "${in[@]}"
    done
    for kind in svg pdf; do
        in=("$data/bench-1m.msh" "$data/bench-1m.con")
        timed "after.1m.$kind" "$new_render" -o "$data/after-1m.$kind" "${in[@]}"
        [ -z "$baseline" ] || timed "before.1m.$kind" "$old_render" -o "$data/before-1m.$kind" "${in[@]}"
    done
done
ls -l "$data"/after-1m.svg "$data"/after-1m.pdf | awk '{print "after.1m." substr($NF, length($NF) - 2) ".size", $5 / 1e6}' >>"$results"
if [ -n "$baseline" ]; then
    ls -l "$data"/before-1m.svg "$data"/before-1m.pdf | awk '{print "before.1m." substr($NF, length($NF) - 2) ".size", $5 / 1e6}' >>"$results"
fi

echo "stage benchmark ..."
stage() { # label program
    "$2" "$data" 1m 4m --repeat "$runs" 2>/dev/null | awk -v who="$1" -F '\t' '{print who "." $1, $2}' >>"$results"
}
stage after "$new_bench"
[ -z "$baseline" ] || stage before "$old_bench"

# The table: medians, each figure against its target.
"$python" - "$results" "$baseline" "$build_type" <<'EOF'
import statistics
import sys

rows = {}
for line in open(sys.argv[1]):
    name, *values = line.split()
    rows.setdefault(name, []).append([float(v) for v in values])
baseline, build_type = sys.argv[2], sys.argv[3]


def median(name, column=0):
    values = [v[column] for v in rows.get(name, [])]
    return statistics.median(values) if values else None


def figure(who, key):
    """(value, unit text) of one figure for 'after' or 'before'."""
    if key.startswith("speedup."):
        size = key.split(".")[1]
        ref, own = median("reference." + size), median(who + "." + size)
        return (ref / own if ref and own else None), "x"
    if key.startswith("rss."):
        size = key.split(".")[1]
        kb = median(who + "." + size, 1)
        return (kb / 1024 if kb else None), "MB"
    if key.startswith("export."):
        kind, what = key.split(".")[1:]
        if what == "ms":
            return median(who + ".1m." + kind), "ms"
        return median(who + ".1m." + kind + ".size"), "MB"
    if key == "open_and_paint.1m":
        parts = [median(who + ".1m." + f) for f in ("model_read_ms", "mesh_read_ms", "layout_ms", "paint_full_ms")]
        return (sum(parts) if None not in parts else None), "ms"
    return median(who + "." + key), ""


# (figure, what it measures, target, larger is better)
float_mb = 4e6 * 4 / 1e6  # the 4 million-cell model's float values
checks = [
    ("speedup.1m", "korvex-render vs matplotlib, 1M cells, whole process", 8, True),
    ("speedup.4m", "korvex-render vs matplotlib, 4M cells, whole process", 10, True),
    ("1m.model_parse_rate", "model file read incl. log10, 1M cells (MB/s)", 200, True),
    ("4m.model_parse_rate", "model file read incl. log10, 4M cells (MB/s)", 200, True),
    ("1m.paint_full_ms", "full paint 1600x1200, 1M cells, hatch + weights (ms)", 50, False),
    ("1m.paint_partial_cell_lookups", "cells looked up by the repaint outside sectionRect", 0, False),
    ("4m.paint_zoom_ms", "wheel zoom: window, layout, paint 1600x1200, 4M cells (ms)", 50, False),
    ("4m.readout_us", "pointer readout, 4M cells (us)", 10, False),
    ("rss.4m", "peak RSS of korvex-render, 4M cells (MB)", 3 * float_mb + 100, False),
    ("export.svg.size", "SVG of the 1M-cell model (MB)", 20, False),
    ("export.svg.ms", "korvex-render to SVG, 1M cells, whole process (ms)", 1000, False),
    ("export.pdf.size", "PDF of the 1M-cell model (MB)", 20, False),
    ("export.pdf.ms", "korvex-render to PDF, 1M cells, whole process (ms)", 1000, False),
    ("open_and_paint.1m", "longest block of the window: open + paint, 1M cells (ms)", 1000, False),
    ("4m.csv_export_ms", "cell values to CSV with the index column, 4M cells (ms)", 2000, False),
    ("4m.vtr_export_ms", "cell values to VTK with the index array, 4M cells (ms)", 1000, False),
]
print()
print("build type: %s; medians of the runs; margin = how far the figure is inside its target" % build_type)
header = "%-58s %10s %10s %8s  %s" % ("figure", "target", "after", "margin", "")
if baseline:
    header = "%-58s %10s %10s %10s %8s  %s" % ("figure", "target", "before", "after", "margin", "")
print(header)
print("-" * len(header))
for key, text, target, larger in checks:
    after, _ = figure("after", key)
    if after is None:
        margin, verdict = "", "MISSING"
    elif larger:
        margin = "%.2fx" % (after / target)
        verdict = "ok" if after >= target else "MISSED"
    else:
        margin = "%.2fx" % (target / after) if after > 0 else "inf"
        verdict = "ok" if after <= target else "MISSED"
    fmt = lambda v: "-" if v is None else ("%.4g" % v)
    prefix = (">= " if larger else "<= ") + fmt(target)
    if baseline:
        before, _ = figure("before", key)
        print("%-58s %10s %10s %10s %8s  %s" % (text, prefix, fmt(before), fmt(after), margin, verdict))
    else:
        print("%-58s %10s %10s %8s  %s" % (text, prefix, fmt(after), margin, verdict))
print()
print("whole-process medians (ms): " + ", ".join(
    "%s %.0f" % (name, median(name)) for name in sorted(rows)
    if name.count(".") == 1 and name.split(".")[0] in ("reference", "after", "before")))
print("stage medians (after): " + ", ".join(
    "%s %.4g" % (name[6:], median(name)) for name in sorted(rows)
    if name.startswith("after.") and name.count(".") == 2 and not name.endswith((".svg", ".pdf", ".size"))))
EOF

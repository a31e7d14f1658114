#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ and runs each for SECONDS, one
# at a time on one core, starting from the seed corpus in tests/fuzz/corpus/<target>/.
# Usage: tests/fuzz/run-fuzzers.sh SECONDS [TARGET...]
# New inputs go to build-fuzz/corpus/<target>/ (the seeds stay as committed), crashes,
# leaks, timeouts and huge allocations to build-fuzz/findings/<target>/, the log to
# build-fuzz/logs/<target>.log. Exits 1 when any target found something.
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${1:?usage: run-fuzzers.sh SECONDS [TARGET...]}
shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(FuzzModel FuzzMesh FuzzConvergence FuzzWeights FuzzSeparateWeights FuzzDoi
             FuzzCommandLine FuzzNumberText FuzzDocument)
fi

bash scripts/install-deps.sh --extra clang-14 libclang-rt-14-dev
build=build-fuzz
cmake -S . -B "$build" -DKORVEX_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j 2 --target "${targets[@]}"

mkdir -p "$build/logs"
status=0
printf '%-22s %12s %8s %s\n' target executions seconds findings
for t in "${targets[@]}"; do
    corpus="$build/corpus/$t"
    findings="$build/findings/$t"
    mkdir -p "$corpus" "$findings"
    # Inputs are at most 4 KiB; none of them may take a second, or allocate 256 MiB.
    # The folder the target writes its input files to, in memory where possible.
    KORVEX_FUZZ_DIR=$(mktemp -d -p "$([ -d /dev/shm ] && echo /dev/shm || echo /tmp)" korvex-fuzz-XXXXXX)
    export KORVEX_FUZZ_DIR
    set +e
    "$build/tests/fuzz/$t" "$corpus" "tests/fuzz/corpus/$t" \
        -max_total_time="$seconds" -max_len=4096 -timeout=2 \
        -rss_limit_mb=1024 -malloc_limit_mb=256 \
        -artifact_prefix="$findings/" -print_final_stats=1 >"$build/logs/$t.log" 2>&1
    rc=$?
    set -e
    rm -rf "$KORVEX_FUZZ_DIR"
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/logs/$t.log" | tail -1)
    time=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$build/logs/$t.log" | tail -1)
    found=$(find "$findings" -type f | wc -l)
    printf '%-22s %12s %8s %s\n' "$t" "${runs:-?}" "${time:-?}" "$found"
    if [ "$rc" -ne 0 ] || [ "$found" -ne 0 ]; then
        status=1
        echo "  $t: exit status $rc, see $build/logs/$t.log and $findings/" >&2
    fi
done
exit $status

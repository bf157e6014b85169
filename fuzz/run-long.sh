#!/usr/bin/env bash
# Runs every fuzz target for SECONDS each and prints, per target, the executions, the coverage
# counters reached out of those instrumented, and the features found. Each target starts from its
# seed corpus (fuzz/corpus/<target>/) and its dictionary (fuzz/dict/<target>.dict) when it has them;
# new inputs go to a fresh folder, so a run never changes the sources and runs compare.
#
#   fuzz/run-long.sh SECONDS [TARGET...]
#
# Environment: KELO_FUZZ_BUILD  the build folder (default build/fuzz, else build/asan)
#              KELO_FUZZ_JOBS   targets run at once (default 2)
#              KELO_FUZZ_SEEDS  0 to start from an empty corpus without dictionary (to measure
#                               what the seeds bring)
set -euo pipefail

if [[ $# -lt 1 || ! "$1" =~ ^[0-9]+$ ]]; then
    echo "usage: $0 SECONDS [TARGET...]" >&2
    exit 2
fi
seconds=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${KELO_FUZZ_BUILD:-}
if [[ -z "$build" ]]; then
    if [[ -d "$root/build/fuzz/bin" ]]; then build=$root/build/fuzz; else build=$root/build/asan; fi
fi
jobs=${KELO_FUZZ_JOBS:-2}
seeds=${KELO_FUZZ_SEEDS:-1}

targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
    for cml in "$here"/*/CMakeLists.txt; do
        while read -r name; do targets+=("$name"); done < <(sed -n 's/^ *kelo_fuzz(\([A-Za-z0-9_]*\).*/\1/p' "$cml")
    done
fi

work=$(mktemp -d /tmp/kelo-fuzz-long-XXXXXX)
trap 'rm -rf "$work"' EXIT

run_one() {
    local name=$1
    local binary
    binary=$(find "$build" -type f -name "$name" -perm -u+x | head -n 1)
    if [[ -z "$binary" ]]; then
        echo "$name: not built in $build" > "$work/$name.summary"
        return
    fi
    mkdir -p "$work/$name.corpus"
    # Findings (crashes, slow inputs) go beside the log, never into the current folder.
    mkdir -p "$work/$name.found"
    local args=(-max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 -timeout=25
                -artifact_prefix="$work/$name.found/")
    local inputs=("$work/$name.corpus")
    if [[ "$seeds" != 0 ]]; then
        [[ -f "$here/dict/$name.dict" ]] && args+=(-dict="$here/dict/$name.dict")
        [[ -d "$here/corpus/$name" ]] && inputs+=("$here/corpus/$name")
    fi
    LSAN_OPTIONS=suppressions=$root/tests/lsan.supp "$binary" "${args[@]}" "${inputs[@]}" > "$work/$name.log" 2>&1 || true
    local counters execs cov ft crash
    counters=$(sed -n 's/.*Loaded [0-9]* modules *(\([0-9]*\) inline 8-bit counters).*/\1/p' "$work/$name.log" | head -n 1)
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$name.log" | tail -n 1)
    cov=$(grep -o 'cov: [0-9]*' "$work/$name.log" | tail -n 1 | cut -d' ' -f2)
    ft=$(grep -o 'ft: [0-9]*' "$work/$name.log" | tail -n 1 | cut -d' ' -f2)
    crash=$(grep -c -E '^==[0-9]+==ERROR|deadly signal|SUMMARY: ' "$work/$name.log" || true)
    printf '%-30s %12s execs  cov %6s of %6s counters  ft %6s  findings %s\n' "$name" "${execs:-?}" "${cov:-?}" \
        "${counters:-?}" "${ft:-?}" "$crash" > "$work/$name.summary"
    if [[ "$crash" != 0 || -n "$(ls -A "$work/$name.found")" ]]; then
        local keep="/tmp/kelo-fuzz-$name-$(date +%s)"
        mkdir -p "$keep" && cp -r "$work/$name.log" "$work/$name.found" "$keep/"
        echo "$name: log and findings kept in $keep" >&2
    fi
}

running=0
for name in "${targets[@]}"; do
    run_one "$name" &
    running=$((running + 1))
    if [[ $running -ge $jobs ]]; then
        wait -n || true
        running=$((running - 1))
    fi
done
wait

echo "fuzz run: $seconds s per target, seeds $([[ "$seeds" != 0 ]] && echo on || echo off), build $build"
for name in "${targets[@]}"; do
    cat "$work/$name.summary"
done

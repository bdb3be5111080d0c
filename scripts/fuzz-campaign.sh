#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer) and
# runs each of them, one at a time and at the lowest priority, for a number of executions with
# its seed corpus. Prints per target the executions, seconds, executions per second, coverage
# and findings, and a table at the end (also written to RESULTS/summary.txt).
#
#   scripts/fuzz-campaign.sh [-r RUNS] [-t SECONDS] [-o RESULTS] [-b BUILD] [-n] [TARGET...]
#
#   -r RUNS     executions per target (default 10000000)
#   -t SECONDS  stop a target after this many seconds even when RUNS is not reached (default:
#               no limit)
#   -o RESULTS  results folder (default fuzz-out/<date-time>): logs/, findings/<target>/ (crash,
#               leak, timeout and out-of-memory reproducers) and corpus/<target>/ (the seeds and
#               the inputs the run added; the repository's corpus is never written)
#   -b BUILD    build folder of the fuzz build (default build-fuzz)
#   -n          do not build, use the binaries already in BUILD
#   TARGET...   targets in the order to run them (default: every target of fuzz/CMakeLists.txt,
#               in the order listed there); TARGET:SECONDS gives that target its own time limit
#
# A target that finds a crash stops there (libFuzzer stops at the first finding); the campaign
# goes on with the next one and exits non-zero at the end when anything was found.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs=10000000
max_time=0
results=""
build="$root/build-fuzz"
do_build=1

usage() { sed -n '2,21p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'; }

while getopts "r:t:o:b:nh" opt; do
    case "$opt" in
    r) runs="$OPTARG" ;;
    t) max_time="$OPTARG" ;;
    o) results="$OPTARG" ;;
    b) build="$OPTARG" ;;
    n) do_build=0 ;;
    h) usage; exit 0 ;;
    *) usage >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))

case "$runs" in '' | *[!0-9]*) echo "fuzz-campaign: -r needs a number, not '$runs'" >&2; exit 2 ;; esac
case "$max_time" in '' | *[!0-9]*) echo "fuzz-campaign: -t needs a number of seconds, not '$max_time'" >&2; exit 2 ;; esac

# Every target the fuzz folder declares, in its order.
mapfile -t all_targets < <(sed -n 's/^pelion_fuzzer(\([A-Za-z0-9_]*\) .*/\1/p' "$root/fuzz/CMakeLists.txt")
declare -A time_of=()
if [ $# -gt 0 ]; then
    targets=()
    for arg in "$@"; do
        t="${arg%%:*}"
        if [ "$t" != "$arg" ]; then
            case "${arg#*:}" in '' | *[!0-9]*) echo "fuzz-campaign: '$arg': seconds must be a number" >&2; exit 2 ;; esac
            time_of[$t]="${arg#*:}"
        fi
        targets+=("$t")
    done
    for t in "${targets[@]}"; do
        found=0
        for a in "${all_targets[@]}"; do [ "$a" = "$t" ] && found=1; done
        if [ $found -eq 0 ]; then
            echo "fuzz-campaign: no fuzz target '$t' (known: ${all_targets[*]})" >&2
            exit 2
        fi
    done
else
    targets=("${all_targets[@]}")
fi

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; elif command -v sudo >/dev/null; then sudo "$@"; else
        echo "fuzz-campaign: need root (or sudo) to run: $*" >&2
        return 1
    fi
}

# clang and the libFuzzer runtime (Debian 12: clang 14, libclang-rt-14-dev).
fuzzer_runtime() {
    command -v clang++ >/dev/null || return 1
    [ -f "$(clang++ -print-resource-dir)/lib/linux/libclang_rt.fuzzer-x86_64.a" ]
}
if [ $do_build -eq 1 ] && ! fuzzer_runtime; then
    echo "== installing clang and the libFuzzer runtime"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q clang
    if ! fuzzer_runtime; then
        version="$(clang++ -dumpversion | cut -d. -f1)"
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "libclang-rt-$version-dev"
    fi
    fuzzer_runtime || { echo "fuzz-campaign: the libFuzzer runtime is still missing" >&2; exit 1; }
fi

if [ $do_build -eq 1 ]; then
    echo "== building the fuzz targets in $build"
    export CCACHE_BASEDIR="$root"
    if [ ! -f "$build/CMakeCache.txt" ]; then
        CC=clang CXX=clang++ nice -n 19 cmake -S "$root" -B "$build" -G Ninja \
            -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELION_FUZZ=ON -DPELION_BUILD_UI=OFF \
            -DPELION_SANITIZE=ON -DPELION_BUILD_BENCHMARKS=OFF
    fi
    build_targets=()
    for t in "${targets[@]}"; do build_targets+=("fuzz_$t"); done
    nice -n 19 cmake --build "$build" -j2 --target "${build_targets[@]}"
fi

for t in "${targets[@]}"; do
    if [ ! -x "$build/program/fuzz_$t" ]; then
        echo "fuzz-campaign: $build/program/fuzz_$t is missing (build without -n)" >&2
        exit 1
    fi
done

[ -n "$results" ] || results="$root/fuzz-out/$(date -u +%Y%m%d-%H%M%S)"
mkdir -p "$results/logs"
results="$(cd "$results" && pwd)"
summary="$results/summary.txt"
limit=""
[ "$max_time" -gt 0 ] && limit=", at most $max_time s each"
echo "== results in $results ($runs executions per target$limit)"

# Last value of a libFuzzer "stat::" line, or of the cov: figure of its progress lines.
stat_of() { sed -n "s/^stat::$2: *\([0-9]*\).*/\1/p" "$1" | tail -1; }
cov_of() { grep -o 'cov: [0-9]*' "$1" | tail -1 | cut -d' ' -f2; }

rows=()
total_findings=0
for t in "${targets[@]}"; do
    log="$results/logs/$t.log"
    findings="$results/findings/$t"
    corpus="$results/corpus/$t"
    mkdir -p "$findings" "$corpus"
    seeds=("$root/fuzz/corpus/$t")
    [ -d "$root/tests/data/must-fail/$t" ] && seeds+=("$root/tests/data/must-fail/$t")
    args=(-runs="$runs" -print_final_stats=1 -rss_limit_mb=2048 -timeout=25
          -artifact_prefix="$findings/")
    seconds_limit="${time_of[$t]:-$max_time}"
    [ "$seconds_limit" -gt 0 ] && args+=(-max_total_time="$seconds_limit")
    echo "== $t: fuzz_$t ${args[*]}"
    start=$(date +%s.%N)
    set +e
    nice -n 19 "$build/program/fuzz_$t" "${args[@]}" "$corpus" "${seeds[@]}" >"$log" 2>&1
    status=$?
    set -e
    end=$(date +%s.%N)
    seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.0f", b - a }')
    executed=$(stat_of "$log" number_of_executed_units)
    per_second=$(stat_of "$log" average_exec_per_sec)
    cov=$(cov_of "$log")
    found=$(find "$findings" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' \
        -o -name 'oom-*' -o -name 'slow-unit-*' \) | wc -l)
    total_findings=$((total_findings + found))
    # A run that stopped without a finding and without its statistics failed in another way.
    note=""
    if [ "$status" -ne 0 ] && [ "$found" -eq 0 ]; then note="exit $status, see logs/$t.log"; fi
    if [ -z "$executed" ]; then note="no statistics, see logs/$t.log"; fi
    row=$(printf '%-10s %12s %8s %10s %8s %9s  %s' "$t" "${executed:-?}" "$seconds" \
        "${per_second:-?}" "${cov:-?}" "$found" "$note")
    echo "$row"
    rows+=("$row")
done

{
    printf '%-10s %12s %8s %10s %8s %9s\n' target runs seconds exec/s cov findings
    printf '%s\n' "${rows[@]}"
} | tee "$summary"
echo "findings: $total_findings (reproducers under $results/findings/)"
[ "$total_findings" -eq 0 ]

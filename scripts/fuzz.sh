#!/usr/bin/env bash
# Builds the libFuzzer harnesses of tests/fuzz with Clang and runs each for a given time.
#   scripts/fuzz.sh [build-dir] [seconds-per-harness] [harness...] [-- extra libFuzzer flags]
# Fails on any crash, sanitizer report, leak, input slower than 5 s or memory over 2 GB; the
# input that did it is left in <build-dir>/fuzz-artifacts/<harness>/. FUZZ_JOBS harnesses run at
# a time (default 1). Each run starts from the checked-in corpus and findings and grows its own
# corpus in <build-dir>/fuzz-corpus/<harness>/, which later runs start from too.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-debian.sh" --fuzzing

build=${1:-$root/build-fuzz}
seconds=${2:-60}
shift $(($# < 2 ? $# : 2))
harnesses=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do harnesses+=("$1"); shift; done
[ "${1:-}" = "--" ] && shift
extra=("$@")
[ ${#harnesses[@]} -eq 0 ] && harnesses=(scene resources png commandline descriptor)
jobs=${FUZZ_JOBS:-1}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DNACREEN_BUILD_FUZZERS=ON \
    -DNACREEN_BUILD_TESTS=OFF -DNACREEN_BUILD_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel --target Nacreen "${harnesses[@]/#/fuzz_}"

# The stand-in and the plug-in share the sanitizer runtime as a shared library, which is
# therefore not first in the program's library list.
export ASAN_OPTIONS="verify_asan_link_order=0:detect_leaks=1:allocator_may_return_null=0:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:${UBSAN_OPTIONS:-}"

run_one() {
    local name=$1
    local fuzz="$root/tests/fuzz"
    local corpus="$build/fuzz-corpus/$name" artifacts="$build/fuzz-artifacts/$name"
    mkdir -p "$corpus" "$artifacts"
    local flags=(-max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -malloc_limit_mb=2048
                 -detect_leaks=1 -print_final_stats=1 -artifact_prefix="$artifacts/")
    [ -f "$fuzz/dict/$name.dict" ] && flags+=(-dict="$fuzz/dict/$name.dict")
    local inputs=("$corpus" "$fuzz/corpus/$name")
    [ -d "$fuzz/findings/$name" ] && inputs+=("$fuzz/findings/$name")
    # The stand-in reports every refused descriptor on stderr; the descriptor harness makes
    # hundreds a second, which would only bury the fuzzer's own lines.
    "$build/tests/fuzz/fuzz_$name" "${flags[@]}" "${extra[@]}" "${inputs[@]}" 2>&1 |
        { grep -v '^max_standin: ' || true; } >"$build/fuzz-$name.log"
    return "${PIPESTATUS[0]}"
}

failed=()
running=()
status_of() { # waits for one job and records its harness when it failed
    local pid=$1 name=$2
    if wait "$pid"; then
        echo "fuzz_$name: clean ($(grep -Eo 'cov: [0-9]+ ft: [0-9]+' "$build/fuzz-$name.log" | tail -1), $(grep -Eo 'stat::number_of_executed_units: [0-9]+' "$build/fuzz-$name.log" | grep -Eo '[0-9]+$') executions)"
    else
        echo "fuzz_$name: FAILED, see $build/fuzz-$name.log and $build/fuzz-artifacts/$name/"
        grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$build/fuzz-$name.log" | head -5 || true
        failed+=("$name")
    fi
}
for name in "${harnesses[@]}"; do
    run_one "$name" &
    running+=("$! $name")
    if [ ${#running[@]} -ge "$jobs" ]; then
        status_of ${running[0]}
        running=("${running[@]:1}")
    fi
done
for job in "${running[@]}"; do status_of $job; done

if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzzing found faults in: ${failed[*]}"
    exit 1
fi

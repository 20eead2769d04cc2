#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer),
# replays every seed corpus, then fuzzes each target for a while.
#
#   Fuzz/run.sh [SECONDS] [TARGET...]   SECONDS per target (default 60; 0 replays only)
#
# ZM_FUZZ_BUILD_DIR (default build-fuzz) is the build folder. New inputs and crashes go to a
# scratch folder under /tmp, never into the repository; it is removed after a clean run and kept
# (and named) after a crash. Exits 1 on any crash, printing the crashing input's path.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

seconds=${1:-60}
shift || true
targets=("$@")
[[ ${#targets[@]} -eq 0 ]] && targets=(FuzzResourceText FuzzResourceModule FuzzLibPart FuzzScenario FuzzPreferences)
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "usage: Fuzz/run.sh [SECONDS] [TARGET...]" >&2; exit 2; }

build=$(realpath -m "${ZM_FUZZ_BUILD_DIR:-build-fuzz}")
lock=/tmp/zm-build.lock

# The repository's own files that are valid inputs, besides each target's corpus folder.
seed_dirs() {
    echo "$root/Fuzz/corpus/$1"
    if [[ $1 == FuzzScenario ]]; then
        echo "$root/Examples"
        echo "$root/Tests/EndToEnd/scenarios"
    fi
}

echo "== Building the fuzz targets in $build"
start=$(date +%s)
if [[ ! -f $build/CMakeCache.txt ]]; then
    CC=clang CXX=clang++ flock "$lock" cmake -S . -B "$build" -G Ninja -DZM_FUZZ=ON -DZM_BENCHMARKS=OFF \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
fi
flock "$lock" cmake --build "$build" --target "${targets[@]}" -j "$(nproc)"
echo "== Built in $(($(date +%s) - start)) s"

scratch=$(mktemp -d /tmp/zm-fuzz.XXXXXX)
mkdir -p "$scratch/artifacts"
failed=0

# The inputs a run left behind as crashes, leaks, timeouts or out-of-memory cases.
artifacts_of() {
    find "$scratch/artifacts" -name "$1-*" -type f | sort
}

# Runs one libFuzzer command in the scratch folder (where -jobs leaves its fuzz-0.log); false,
# after naming the crashing inputs, when it failed.
run_fuzzer() {
    local target=$1 log=$2
    shift 2
    if (cd "$scratch" && "$build/fuzz/$target" "$@" > "$log" 2>&1) && [[ -z $(artifacts_of "$target") ]]; then
        return 0
    fi
    tail -n 40 "$log"
    artifacts_of "$target" | sed "s/^/CRASH $target: /"
    echo "FAILED $target (log: $log)"
    return 1
}

for target in "${targets[@]}"; do
    mapfile -t seeds < <(seed_dirs "$target")
    dict=()
    [[ -f $root/Fuzz/dictionaries/$target.dict ]] && dict=(-dict="$root/Fuzz/dictionaries/$target.dict")
    common=(-timeout=25 -artifact_prefix="$scratch/artifacts/$target-" "${dict[@]}")
    # The first folder takes new inputs; the seed folders are only read.
    mkdir -p "$scratch/$target"

    echo "== $target: replaying the seeds"
    if ! run_fuzzer "$target" "$scratch/$target-replay.log" -runs=0 "${common[@]}" "$scratch/$target" "${seeds[@]}"; then
        failed=1
        continue
    fi
    grep -E "^Done [0-9]+ runs" "$scratch/$target-replay.log" || true

    [[ $seconds -eq 0 ]] && continue
    echo "== $target: fuzzing for $seconds s"
    if ! run_fuzzer "$target" "$scratch/$target.log" -jobs=1 -max_total_time="$seconds" -print_final_stats=1 \
        "${common[@]}" "$scratch/$target" "${seeds[@]}"; then
        failed=1
        continue
    fi
    grep -E "stat::number_of_executed_units|stat::new_units_added" "$scratch/$target.log" | sed "s/^/$target: /"
done

if [[ $failed -ne 0 ]]; then
    echo "== Fuzzing found problems; inputs and logs are kept in $scratch"
    exit 1
fi
rm -rf "$scratch"
echo "== Fuzzing found nothing in $(($(date +%s) - start)) s"

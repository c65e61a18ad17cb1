#!/bin/bash
# Builds every fuzz target (fuzz/*.cpp) with clang in build-fuzz and runs each for
# FUZZ_SECONDS (default 20) over a fresh copy of its seed corpus, FUZZ_JOBS (default 2) at a
# time (FUZZ_TARGETS: only the targets named, separated by spaces). A target that finds a
# fault fails the run; the input that caused it is kept in
# build-fuzz/crashes/<target>/ (add it to fuzz/regressions/<target>/ once fixed). Without
# clang the run is skipped, successfully.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-$root/build-fuzz}
seconds=${FUZZ_SECONDS:-20}
jobs=${FUZZ_JOBS:-2}
# A fixed seed makes the short run in make test repeat the same inputs on every machine, so a
# test run fails only for a change, not by chance; FUZZ_SEED=0 draws a new seed each run.
seed=${FUZZ_SEED:-1}

if ! command -v clang++ >/dev/null 2>&1; then
    echo "fuzz: SKIPPED, clang++ is not installed (install clang to run the fuzz targets)"
    exit 0
fi

targets=()
for source in "$root"/fuzz/*.cpp; do targets+=("$(basename "$source" .cpp)"); done
[ -n "${FUZZ_TARGETS:-}" ] && read -r -a targets <<<"$FUZZ_TARGETS"

mkdir -p "$build" && cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
    -DCMAKE_CXX_COMPILER=clang++ -DTESS_BUILD_FUZZ=ON -DTESS_BUILD_TESTS=OFF >"$build/configure.log" 2>&1 ||
    { cat "$build/configure.log"; exit 1; }
cmake --build "$build" -j "$jobs" --target make_corpus "${targets[@]}" || exit 1
rm -rf "$build/seeds" && "$build/fuzz/make_corpus" "$build/seeds" "$root/examples" || exit 1

# The seed folders of a target, by its name: MDX or MDL inputs, both for the editor, the
# examples (a TGA among them) for the texture decoder.
seedsOf() {
    case "$1" in
        *mdx*) echo "$build/seeds/mdx" ;;
        *mdl*) echo "$build/seeds/mdl" ;;
        *editor*) echo "$build/seeds/mdx $build/seeds/mdl" ;;
        *texture*) echo "$root/examples" ;;
        *) [ -d "$build/seeds/$1" ] && echo "$build/seeds/$1" ;;
    esac
}

runOne() {
    local name=$1 work="$build/runs/$1"
    rm -rf "$work" && mkdir -p "$work/corpus" "$build/crashes/$name"
    for folder in $(seedsOf "$name") "$root/fuzz/regressions/$name"; do
        [ -d "$folder" ] && cp -r "$folder"/. "$work/corpus/"
    done
    "$build/fuzz/$name" -seed="$seed" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -print_final_stats=1 \
        -artifact_prefix="$build/crashes/$name/" "$work/corpus" >"$work/log" 2>&1
    local status=$?
    local runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log")
    local rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/log")
    if [ $status -eq 0 ]; then
        echo "fuzz: $name: ${runs:-?} runs, ${rate:-?}/s, no fault"
    else
        echo "fuzz: $name: FAULT (exit $status), reproducer in $build/crashes/$name/, log $work/log"
        tail -n 40 "$work/log"
    fi
    return $status
}

pids=()
failed=0
for name in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do sleep 1; done
    runOne "$name" &
    pids+=($!)
done
for i in "${!pids[@]}"; do wait "${pids[$i]}" || failed=1; done
exit $failed

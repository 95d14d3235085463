#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a while over a copy of its seed corpus.
#   fuzz/run.sh [SECONDS]   (default 60 per target)
# Exits non-zero when a target crashes; the crashing input is left in build/fuzz/artifacts/.
set -euo pipefail

seconds="${1:-60}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/fuzz"

if ! command -v clang++ >/dev/null 2>&1; then
    echo "fuzz/run.sh: clang++ is not installed; skipping the fuzz run."
    exit 0
fi

cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=Debug \
    -DZARVEX_BUILD_TESTS=OFF \
    -DZARVEX_GENERATE_DATA=OFF \
    "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
cmake --build "$build" --target fuzz_archive_reader fuzz_save_reader fuzz_score_submission

# target name -> seed corpus folder under fuzz/corpus
declare -A corpora=([fuzz_archive_reader]=archive)
corpora[fuzz_save_reader]=save
corpora[fuzz_score_submission]=score

mkdir -p "$build/artifacts"
status=0
for target in "${!corpora[@]}"; do
    work="$build/corpus/${corpora[$target]}"
    rm -rf "$work"
    mkdir -p "$work"
    cp -R "$root/fuzz/corpus/${corpora[$target]}/." "$work/"
    echo "fuzz/run.sh: running $target for $seconds s"
    if ! UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "$build/fuzz/$target" "$work" -max_total_time="$seconds" -rss_limit_mb=2048 \
            -artifact_prefix="$build/artifacts/$target-" -print_final_stats=1; then
        echo "fuzz/run.sh: $target found a crash; see $build/artifacts/"
        status=1
    fi
done
exit "$status"

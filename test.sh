#!/usr/bin/env bash
# Builds and runs every check, on all the machine's cores:
#  1. the AddressSanitizer + UndefinedBehaviorSanitizer build, with warnings as errors and the
#     standard library's assertions, and all its tests: LeakSanitizer watches every test process,
#     and clang-tidy, the formatting and the layers are tests too;
#  2. the ThreadSanitizer build of the test programs whose code runs threads (the mixer's, the
#     score server's and the HTTP client's);
#  3. a short fuzz run of every reader of outside data;
#  4. a short soak run of the whole game under the sanitizers.
# The debug preset is for working on the game; this covers the same code and more.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
jobs="$(nproc)"
started=$SECONDS

step() {
    echo "== $* ($((SECONDS - started)) s)"
}

for preset in asan tsan; do
    step "$preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    step "$preset tests"
    ctest --preset "$preset" -j"$jobs"
done

step "fuzz smoke run"
fuzz/run.sh --total 84

step "soak run"
scripts/soak.sh 30000

step "all checks passed"

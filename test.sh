#!/usr/bin/env bash
# Builds and runs every check, on all the machine's cores:
#  1. the AddressSanitizer + UndefinedBehaviorSanitizer build, with warnings as errors and the
#     standard library's assertions, and all its tests: LeakSanitizer watches every test process,
#     and clang-tidy, the formatting and the layers are tests too;
#  2. the ThreadSanitizer build of the test programs whose code runs threads (the mixer's, the
#     score server's and the HTTP client's);
#  3. a short fuzz run of every reader of outside data and, beside it, a short soak run of the
#     whole game under the sanitizers (each keeps one core busy);
#  4. the Debian package built and checked (lintian, the desktop metadata, the unpacked game run
#     from another folder).
# The tests run with a home and a temporary folder made for the run, which must be empty after
# it: a test keeps to the folders it makes for itself.
# The debug preset is for working on the game; this covers the same code and more.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh test
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
    scratch="$(mktemp -d)"
    mkdir "$scratch/home" "$scratch/tmp"
    # Open as /tmp is: the deployment's tests run PostgreSQL as its own user inside their folder.
    chmod 755 "$scratch"
    chmod 1777 "$scratch/tmp"
    status=0
    HOME="$scratch/home" TMPDIR="$scratch/tmp" ctest --preset "$preset" -j"$jobs" || status=$?
    left="$(cd "$scratch" && find home tmp -mindepth 1 -maxdepth 3 | head -n 20)"
    rm -rf "$scratch"
    [ "$status" -eq 0 ] || exit "$status"
    if [ -n "$left" ]; then
        echo "test.sh: the $preset tests left files outside their own folders:" >&2
        echo "$left" >&2
        exit 1
    fi
done

step "fuzz smoke run, and the soak run beside it"
mkdir -p build
scripts/soak.sh 30000 >build/soak.log 2>&1 &
soak=$!
trap 'kill "$soak" 2>/dev/null || true' EXIT
fuzzStatus=0
fuzz/run.sh --total 84 || fuzzStatus=$?
soakStatus=0
wait "$soak" || soakStatus=$?
trap - EXIT
step "soak run"
cat build/soak.log
[ "$fuzzStatus" -eq 0 ] || { echo "test.sh: the fuzz run failed (above)" >&2; exit 1; }
[ "$soakStatus" -eq 0 ] || { echo "test.sh: the soak run failed (above)" >&2; exit 1; }

step "package"
(cd build && ../scripts/package.sh)

step "all checks passed"

#!/usr/bin/env bash
# Builds and runs the whole test suite: the debug build with warnings as errors, the
# AddressSanitizer + UndefinedBehaviorSanitizer build, a short fuzz run of every reader of outside
# data, a short soak run of the whole game under the sanitizers, and the Debian package built and
# checked (lintian, the desktop metadata, the unpacked game run from another folder).
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh test
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy

echo "== fuzz smoke run"
fuzz/run.sh --total 84

for preset in debug asan; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset" -j2
done

echo "== soak run"
scripts/soak.sh 30000

echo "== package"
(cd build && ../scripts/package.sh)

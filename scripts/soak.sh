#!/usr/bin/env bash
# The soak run: the whole game, played by the replay runner's autopilot for FRAMES frames under
# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer (the asan preset).
#   scripts/soak.sh FRAMES
# The races start at levels 1, 5, 12 and 25 in turn, twice over, each for an eighth of the frames,
# with a machine gun, rockets, nitro and a spare life handed over at every start; the autopilot
# fires at what blocks its way and the horn sounds every 500 frames. Between the races the car
# leaves through the exit-to-menu question, lost games go through the name entry, and at the end
# the game is left through the main menu's exit question, which writes the saves (into a
# temporary folder).
#
# Every 10 % of the run it prints the sprite count and the resident memory. It fails when a
# sanitizer reports anything (a leak included), when the game does not end cleanly, when the
# sprites in the second round of levels ever outnumber the highest count of the first round, or
# when the resident memory at the end lies more than 5 % (at least 8 MB) above the highest value
# of the first round: by then every level, screen and window has been seen once, so whatever
# the game keeps for good is in place, and memory that still grows is memory that leaks.
# AddressSanitizer's quarantine of freed memory is held to 32 MB so that it is full early on.
set -euo pipefail

usage() {
    echo "usage: scripts/soak.sh FRAMES   (at least 8000)" >&2
    exit 2
}
[ "$#" -eq 1 ] && [[ "$1" =~ ^[0-9]+$ ]] && [ "$1" -ge 8000 ] || usage
frames="$1"
every=$((frames / 10))

fail() {
    echo "soak: FAILED: $*" >&2
    exit 1
}

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy

echo "soak: building the asan preset"
cmake --preset asan >/dev/null
cmake --build --preset asan --target zarvex2-replay zarvex_assets >/dev/null ||
    fail "the asan build failed (cmake --build --preset asan shows why)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/save"
# The horn: held for 40 frames every 500.
for ((at = 250; at + 40 < frames; at += 500)); do
    printf '%d down H\n%d up H\n' "$at" "$((at + 40))"
done >"$work/horn.txt"

echo "soak: $frames frames, a report every $every"
status=0
ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:quarantine_size_mb=32" \
    LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0" \
    UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    build/asan/tools/replay/zarvex2-replay --data build/asan/Data --save-dir "$work/save" \
    --seed 4242 --race 1 --autopilot --give gun --give rockets --give nitro --give life \
    --levels 1,5,12,25,1,5,12,25 --input "$work/horn.txt" --frames "$frames" --quit \
    --report-every "$every" >"$work/out.txt" 2>"$work/err.txt" || status=$?

# The reports: frame, sprite count, peak since the last report, resident kB.
sed -n 's/^{"frame":\([0-9]*\),.*"SpriteCount":\([0-9]*\),"SpritePeak":\([0-9]*\),"rssKb":\([0-9]*\)}$/\1 \2 \3 \4/p' \
    "$work/out.txt" >"$work/reports.txt"
while read -r frame count peak rss; do
    [ "$frame" -le "$frames" ] || continue
    printf 'soak: frame %8d (%3d %%): sprites %3d (peak %3d), resident %6d MB\n' \
        "$frame" "$((frame * 100 / frames))" "$count" "$peak" "$((rss / 1024))"
done <"$work/reports.txt"

if grep -qE "Sanitizer|runtime error" "$work/err.txt"; then
    cat "$work/err.txt" >&2
    fail "a sanitizer reported the above"
fi
if [ "$status" -ne 0 ]; then
    cat "$work/err.txt" >&2
    fail "the runner ended with status $status"
fi
[ -s "$work/save/options" ] && [ -s "$work/save/hs" ] ||
    fail "the game ended without writing its saves"

# One report per tenth of the run.
reported="$(awk -v f="$frames" '$1 <= f' "$work/reports.txt" | wc -l)"
[ "$reported" -eq 10 ] || fail "expected 10 reports, got $reported"

read -r firstPeak secondPeak startRss firstRss endRss < <(awk -v f="$frames" -v e="$every" '
    $1 > f { next }
    $1 <= f / 2 && $3 > first { first = $3 }
    $1 > f / 2 && $3 > second { second = $3 }
    $1 <= f / 2 && $4 > firstRss { firstRss = $4 }
    $1 == e { start = $4 }
    { end = $4 }
    END { print first + 0, second + 0, start + 0, firstRss + 0, end + 0 }' "$work/reports.txt")
[ "$secondPeak" -le "$firstPeak" ] ||
    fail "the sprites grew: peak $firstPeak in the first round of levels, $secondPeak in the second"
margin=$((firstRss / 20))
[ "$margin" -ge 8192 ] || margin=8192
[ "$endRss" -le $((firstRss + margin)) ] ||
    fail "the resident memory grew: at most $((firstRss / 1024)) MB in the first round of levels," \
        "$((endRss / 1024)) MB at the end"

echo "soak: clean: $frames frames, no sanitizer report and no leak; sprites peak $firstPeak in" \
    "the first round of levels, $secondPeak in the second; resident memory" \
    "$((startRss / 1024)) MB at 10 %, at most $((firstRss / 1024)) MB in the first round," \
    "$((endRss / 1024)) MB at the end"

#!/usr/bin/env bash
# The game in a real window records a race while its frame rate changes, and the replay runner
# plays the recording back to the same final score.
#
#   scripts/check-replay-window.sh [BUILD]      BUILD: a build folder (build/debug by default)
#
# The game runs under Xvfb from a fresh folder whose Data links to BUILD/Data, so its saves and
# its recording stay there. xdotool drives it as a player would: into a race from the main menu,
# the gas held for twelve seconds with the steering worked and the horn blown, the pause, the
# exit question answered No, and the exit question answered Yes; every other two seconds three
# busy loops load the processors, so that the measured frame rate (and with it FrameMs and
# FrameScale) changes during the race. Then `zarvex2-replay --replay` plays the recording and must
# end with the recorded score; the frame rates the race went through are printed. Needs xvfb and
# xdotool (scripts/install-deps.sh test).
set -euo pipefail

fail() {
    echo "check-replay-window.sh: $*" >&2
    exit 1
}

# Inside Xvfb: play the race. $1 the folder to play in, $2 the game.
if [ "${1:-}" = "--drive" ]; then
    cd "$2"
    xdotool mousemove 0 0
    SDL_AUDIODRIVER=dummy "$3" >game.log 2>&1 &
    game=$!
    win=""
    for _ in $(seq 1 300); do # up to a minute on a busy machine
        win="$(xdotool search --name "Zarvex 2" 2>/dev/null | head -1 || true)"
        [ -n "$win" ] && break
        sleep 0.2
    done
    [ -n "$win" ] || fail "the game's window did not open"
    xdotool windowfocus --sync "$win"
    sleep 1
    xdotool mousemove --window "$win" 384 57 # over Start Game
    sleep 4                                  # the main menu's opening
    xdotool key Return
    sleep 1.5
    xdotool key Return # Start: the race, with its banner
    sleep 3
    busy() { for _ in 1 2 3; do timeout "$1" sh -c 'while :; do :; done' & done; }
    xdotool keydown Up
    for round in 1 2 3 4 5 6; do
        [ $((round % 2)) -eq 0 ] && busy 3
        xdotool keydown Left
        sleep 0.35
        xdotool keyup Left
        sleep 1
        xdotool keydown Right
        sleep 0.5
        xdotool keyup Right
        xdotool key h
        sleep 1
    done
    xdotool keyup Up
    xdotool key p && sleep 1 && xdotool key p && sleep 1
    xdotool key Escape && sleep 1 && xdotool key n && sleep 1
    xdotool keydown Up && sleep 2 && xdotool keyup Up
    xdotool key Escape && sleep 1 && xdotool key y && sleep 2
    kill -TERM "$game"
    wait "$game" || true
    exit 0
fi

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$root/build/debug}" && pwd)"
game="$build/zarvex2"
runner="$build/tools/replay/zarvex2-replay"
[ -x "$game" ] && [ -x "$runner" ] || fail "build zarvex2 and zarvex2-replay in $build first"
for tool in xvfb-run xdotool python3; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh test)"
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/Data"
for item in Res Music fonts.conf; do ln -s "$build/Data/$item" "$work/Data/$item"; done

xvfb-run -a -s "-screen 0 1280x1024x24" "${BASH_SOURCE[0]}" --drive "$work" "$game"
recording="$(ls "$work"/Data/Save/replays/race-*.zvr 2>/dev/null | head -1 || true)"
[ -n "$recording" ] || fail "the game kept no recording (its output: $(cat "$work/game.log"))"

states=()
for frame in $(seq 10 10 20000); do states+=(--state "$frame"); done
"$runner" --data "$build/Data" --replay "$recording" "${states[@]}" >"$work/replay.txt" ||
    fail "the replay did not end as the race did: $(tail -1 "$work/replay.txt")"
python3 - "$work/replay.txt" "$(stat -c %s "$recording")" <<'EOF'
import collections, json, sys
rates, summary = collections.Counter(), None
for line in open(sys.argv[1]):
    entry = json.loads(line)
    if "replay" in entry:
        summary = entry
    elif entry.get("ScreenState") == 6:
        rates[(entry["FrameRate"], entry["FrameMs"])] += 1
print("frame rate (FrameMs): frames seen, every 10th frame:",
      ", ".join(f"{r} ({ms} ms): {n}" for (r, ms), n in sorted(rates.items())))
print(f"{summary['frames']} frames, {sys.argv[2]} bytes; final score {summary['Score']}, "
      f"recorded {summary['recordedScore']}")
if len({ms for _, ms in rates}) < 2:
    sys.exit("check-replay-window.sh: the frame rate did not change during the race")
EOF

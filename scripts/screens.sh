#!/usr/bin/env bash
# Every screen and window of the game as a picture, for a review of how the game looks:
#   scripts/screens.sh [FOLDER] [PRESET]
# writes NN-name.png (the whole 800 x 600 surface) into FOLDER (default build/screens), from the
# PRESET build (default debug, which it builds first: the replay runner and the game's data).
# Shots whose name ends in "-window" hold only what the window shows, the surface's top-left
# 792 x 592. Every shot is made by the replay runner from a fixed seed and an input script, so
# two runs of one build give the same pictures, and a run before and after a change shows the
# change.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/build/screens}"
preset="${2:-debug}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
cd "$root"
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
# No score ever leaves the machine: the sending notice is shot before its request.
export ZARVEX2_SCORE_SERVER=http://127.0.0.1:9

cmake --build --preset "$preset" --target zarvex2-replay zarvex_assets >/dev/null
replay="build/$preset/tools/replay/zarvex2-replay"
data="build/$preset/Data"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# A build from before the runner knew --window-shot (to make the "before" pictures of a change
# in an older checkout) makes whole-surface shots instead, named "-window" all the same.
window_shot=--window-shot
if ! "$replay" --data "$data" --frames 0 --window-shot 0:"$work/probe.png" >/dev/null 2>&1; then
    echo "screens: this runner has no --window-shot; the -window shots show the whole surface" >&2
    window_shot=--shot
fi

# run NAME FRAMES [ARGS...] < SCRIPT: the game for FRAMES frames with the input script on stdin.
run() {
    local name="$1" frames="$2"
    shift 2
    cat >"$work/$name.txt"
    local args=()
    for arg in "$@"; do args+=("${arg/#--window-shot/$window_shot}"); done
    "$replay" --data "$data" --seed 7 --frames "$frames" --input "$work/$name.txt" "${args[@]}" \
        >/dev/null
}

# The menus. The main menu's opening animation is over after 46 frames.
run menus 1400 \
    --shot 120:"$out/01-main-menu.png" \
    --shot 160:"$out/02-exit-game.png" \
    --shot 260:"$out/03-start-game.png" \
    --shot 400:"$out/04-options.png" \
    --shot 540:"$out/05-high-scores.png" \
    --window-shot 540:"$out/05-high-scores-window.png" \
    --shot 600:"$out/06-clear-table.png" \
    --shot 720:"$out/07-help-1.png" \
    --shot 760:"$out/07-help-2.png" \
    --shot 800:"$out/07-help-3.png" \
    --shot 840:"$out/07-help-4.png" \
    --shot 880:"$out/07-help-5.png" \
    --shot 1040:"$out/08-start-game-car4.png" \
    --shot 1100:"$out/08-start-game-car3.png" <<'SCRIPT'
140 down Esc
141 up Esc
200 down N
201 up N
220 move 400 70
230 click
300 move 490 500
310 click
330 move 150 380
340 click
420 move 150 540
430 click
470 move 400 180
480 click
570 move 30 270
580 click
620 down N
621 up N
640 move 130 485
650 click
680 move 620 380
690 click
730 move 650 460
740 click
780 click
820 click
860 click
900 click
940 move 390 535
950 click
960 move 400 70
965 click
970 move 585 345
975 click
995 click
1015 click
1060 move 210 345
1065 click
SCRIPT

# The controls screen, reached from the options screen, and its question over it.
run controls 200 \
    --shot 120:"$out/09-controls.png" --shot 180:"$out/09-default-controls.png" <<'SCRIPT'
60 move 150 380
70 click
90 move 545 538
100 click
150 move 330 552
160 click
SCRIPT

# The race: the level banner, the HUD at levels 5, 12 and 25 with both weapons and nitro, pause
# and the exit question over the road.
run race-banner 60 --race 4 --level 1 --shot 60:"$out/10-level-banner.png" </dev/null
run race-level5 600 --race 1 --level 5 --autopilot --give rockets --give nitro \
    --shot 600:"$out/11-race-level-5.png" </dev/null
run race-level12 900 --race 2 --level 12 --autopilot --give gun --give nitro \
    --shot 400:"$out/12-race-level-12.png" \
    --window-shot 400:"$out/12-race-level-12-window.png" \
    --shot 900:"$out/13-pause.png" <<'SCRIPT'
880 down P
881 up P
SCRIPT
run race-level25 700 --race 3 --level 25 --autopilot --give rockets \
    --shot 500:"$out/14-race-level-25.png" --shot 700:"$out/15-exit-to-menu.png" <<'SCRIPT'
680 down Esc
681 up Esc
SCRIPT
# A drifting road through level 8 with parks in the pavement beside it, and the traffic's taxi.
run race-drift 1500 --race 2 --level 8 --autopilot --shot 1500:"$out/14-drift-and-parks.png" \
    </dev/null
# The end of level 1: the finish band ahead, and the progress marker at the top of its track.
run race-finish 3600 --race 5 --level 1 --autopilot \
    --shot 2900:"$out/16-finish-ahead.png" --shot 3400:"$out/16-finish-band.png" \
    --shot 3450:"$out/16-finish-band-near.png" </dev/null
# The clock running out at level 1 with the car standing: time over, and on the last life game
# over.
run time-over 10700 --race 6 --level 1 \
    --shot 5200:"$out/17-time-over.png" --shot 10600:"$out/18-game-over.png" </dev/null

# The name entry and the sending notice, from a table that any score enters.
saves="$work/saves"
mkdir -p "$saves"
printf '0\r\n1\r\n1\r\n_______\r\n\r\n' >"$saves/options"
for i in 1 2 3 4 5 6 7 8 9 10; do printf '\r\n-1\r\n'; done >"$saves/hs"
run name-entry 450 --race 1 --level 1 --save-dir "$saves" \
    --shot 360:"$out/19-name-entry.png" --shot 450:"$out/20-sending.png" <<'SCRIPT'
300 down Esc
301 up Esc
320 down Y
321 up Y
340 type Player
450 type \r
SCRIPT
echo "screens: $(ls "$out"/*.png | wc -l) pictures in $out"

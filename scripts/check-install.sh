#!/usr/bin/env bash
# Checks an installed game: the layout under ROOT (a package unpacked with `dpkg -x`, or
# `cmake --install --prefix ROOT/usr`), and the installed program started from another folder,
# headless, with XDG_DATA_HOME in a scratch folder: it must find its installed data, make its save
# folder there, and write its saves there when ended by SIGTERM, never under ROOT.
#   scripts/check-install.sh ROOT
set -euo pipefail

[ "$#" -eq 1 ] && [ -d "$1" ] || {
    echo "usage: scripts/check-install.sh ROOT" >&2
    exit 2
}
root="$(cd "$1" && pwd)"
scratch="$(mktemp -d "${TMPDIR:-/tmp}/zarvex2-check-install.XXXXXX")"
game_pid=""
cleanup() {
    if [ -n "$game_pid" ]; then kill -KILL "$game_pid" 2>/dev/null || true; fi
    rm -rf "$scratch"
}
trap cleanup EXIT

problems=0
fail() {
    echo "check-install: $*" >&2
    problems=$((problems + 1))
}

usr="$root/usr"
game="$usr/games/zarvex2"
data="$usr/share/games/zarvex2"

# The layout.
[ -x "$game" ] || fail "no program at usr/games/zarvex2"
for file in Res/Res1.dxg Res/Res2.dxg Res/Sounds.dxw Music/Menu.xm Music/Race.xm fonts.conf; do
    [ -s "$data/$file" ] || fail "no data file usr/share/games/zarvex2/$file"
done
for size in 16 32 48 64 128 256; do
    icon="$usr/share/icons/hicolor/${size}x${size}/apps/zarvex2.png"
    [ -s "$icon" ] || fail "no ${size}x${size} icon"
    # A PNG's width and height are the big-endian words at bytes 16 and 20.
    if [ -s "$icon" ]; then
        read -r width height < <(od -An -tu1 -j16 -N8 "$icon" |
            awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
        [ "$width $height" = "$size $size" ] || fail "the ${size}x${size} icon is ${width}x${height}"
    fi
done
for file in share/applications/org.zarvex.Zarvex2.desktop \
    share/metainfo/org.zarvex.Zarvex2.metainfo.xml share/man/man6/zarvex2.6.gz \
    share/doc/zarvex2/copyright; do
    [ -s "$usr/$file" ] || fail "no usr/$file"
done
gzip -t "$usr/share/man/man6/zarvex2.6.gz" 2>/dev/null || fail "the manual page is not gzipped"

# The command line.
"$game" --version | grep -q '^Zarvex 2 [0-9]' || fail "--version does not give the version"
set +e
"$game" --no-such-option 2>/dev/null
status=$?
set -e
[ "$status" -eq 2 ] || fail "an unknown argument exits with $status, not 2"

# The installed game, started from a folder without Data/.
mkdir -p "$scratch/elsewhere" "$scratch/xdg"
saves="$scratch/xdg/zarvex2/Save"
(
    cd "$scratch/elsewhere"
    exec env SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$scratch/xdg" \
        "$game" 2>"$scratch/stderr"
) &
game_pid=$!

# The game makes its save folder before it opens its display; wait for that (a generous deadline
# for a busy machine), then end it as the desktop's session does.
for _ in $(seq 600); do
    [ -d "$saves" ] && break
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
done
if [ -d "$saves" ]; then
    kill -TERM "$game_pid"
else
    fail "no save folder in XDG_DATA_HOME after 60 s"
    kill -KILL "$game_pid" 2>/dev/null || true
fi
set +e
wait "$game_pid"
status=$?
set -e
game_pid=""
[ "$status" -eq 0 ] || fail "the game ended with status $status: $(cat "$scratch/stderr")"
[ "$(head -c 3 "$saves/options" 2>/dev/null | od -An -c | tr -d ' ')" = '0\r\n' ] ||
    fail "no options file (window mode first) in XDG_DATA_HOME/zarvex2/Save"
[ "$(wc -l <"$saves/hs" 2>/dev/null)" = 20 ] || fail "no twenty-line table in XDG_DATA_HOME/zarvex2/Save"
[ ! -e "$data/Save" ] || fail "the installed game wrote into its data folder"
[ ! -e "$scratch/elsewhere/Data" ] || fail "the installed game wrote into the working directory"

if [ "$problems" -gt 0 ]; then
    echo "check-install: $problems problem(s) in $root" >&2
    exit 1
fi
echo "check-install: $root is laid out as it should be, and the game keeps its saves in XDG_DATA_HOME"

#!/usr/bin/env bash
# Installs what playing needs and is missing, builds the game and its data (nothing else: no
# tests, tools, benchmarks or server), and starts the game from this folder.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh play
cmake --preset play >/dev/null
cmake --build --preset play

# The game runs from this folder and reads Data/ here; the saves in Data/Save stay between builds.
mkdir -p Data/Res Data/Music Data/Save
cp build/play/Data/Res/* Data/Res/
cp build/play/Data/Music/* Data/Music/
cp build/play/Data/fonts.conf Data/fonts.conf
exec build/play/zarvex2 "$@"

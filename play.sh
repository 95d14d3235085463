#!/usr/bin/env bash
# Installs what is missing, builds the release, generates the game's data and starts the game.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release

# The game runs from this folder and reads Data/ here; the saves in Data/Save stay between builds.
mkdir -p Data/Res Data/Music Data/Save
cp build/release/Data/Res/* Data/Res/
cp build/release/Data/Music/* Data/Music/
cp build/release/Data/fonts.conf Data/fonts.conf
exec build/release/zarvex2 "$@"

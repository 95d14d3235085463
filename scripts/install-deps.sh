#!/usr/bin/env bash
# Installs the Debian 12 packages the game needs, skipping those already present. Needs root, or
# sudo for a normal user.
#
#   scripts/install-deps.sh play        what building and playing need (./play.sh)
#   scripts/install-deps.sh test        that and what the tests and the tools need (./test.sh);
#                                       also what the script does without an argument
#   scripts/install-deps.sh --list SET  print the set's packages, one a line, and install nothing
set -euo pipefail

# Building and playing: the compiler and build tools, SDL2 with its font and mixer libraries,
# fontconfig, libcurl (the score submission), Cairo (the asset generator draws the pictures at
# build time) and the three font families the game's faces map onto.
PLAY_PACKAGES=(
    build-essential cmake ninja-build pkg-config
    libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev libfontconfig-dev libcurl4-openssl-dev
    libcairo2-dev
    fonts-dseg fonts-bebas-neue fonts-liberation2
)

# Testing and the tools, on top: clang and its sanitizer runtime (fuzzing), clang-format and
# clang-tidy, GoogleTest, the score server's libraries (its HTTP layer, SQLite, the PostgreSQL
# client) with cpp-httplib for its tests, Chromium for the score table's browser test; the real
# PostgreSQL, nginx and systemd-analyze for the tests of the server's deployment; and the
# packaging tools (dpkg-shlibdeps comes with build-essential's dpkg-dev) with the checkers of the
# package and its desktop metadata; Xvfb and xdotool for the game in a real window driven by a
# script (scripts/check-replay-window.sh).
TEST_PACKAGES=(
    clang clang-format clang-tidy libclang-rt-14-dev python3
    libgtest-dev libgmock-dev
    libmicrohttpd-dev libsqlite3-dev libpq-dev libcpp-httplib-dev
    chromium
    postgresql nginx systemd
    fakeroot lintian desktop-file-utils appstream
    xvfb xdotool
)

usage() {
    echo "usage: scripts/install-deps.sh [play | test | --list play | --list test]" >&2
    exit 2
}

packages_of() {
    case "$1" in
        play) printf '%s\n' "${PLAY_PACKAGES[@]}" ;;
        test) printf '%s\n' "${PLAY_PACKAGES[@]}" "${TEST_PACKAGES[@]}" ;;
        *) usage ;;
    esac
}

case "${1:-test}" in
    --list)
        [ $# -eq 2 ] || usage
        packages_of "$2"
        exit 0
        ;;
    play | test)
        [ $# -le 1 ] || usage
        SET="${1:-test}"
        ;;
    *) usage ;;
esac

# The packages of a list that are not installed yet.
missing_of() {
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            echo "$package"
        fi
    done
}

mapfile -t missing_play < <(missing_of "${PLAY_PACKAGES[@]}")
missing_test=()
if [ "$SET" = test ]; then
    mapfile -t missing_test < <(missing_of "${TEST_PACKAGES[@]}")
fi
missing=("${missing_play[@]}" "${missing_test[@]}")
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=()
elif command -v sudo >/dev/null 2>&1; then
    SUDO=(sudo)
else
    echo "These packages are missing and installing them needs root or sudo: ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
# The players' set leaves out what Debian merely recommends (a second compiler, manuals, a sound
# font the game never plays): fewer packages to fetch before the first frame.
if [ ${#missing_play[@]} -gt 0 ]; then
    "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing_play[@]}"
fi
if [ ${#missing_test[@]} -gt 0 ]; then
    "${SUDO[@]}" apt-get install -y -qq "${missing_test[@]}"
fi

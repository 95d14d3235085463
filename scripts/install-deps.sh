#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing the game need, skipping those
# already present. Needs root, or sudo for a normal user.
set -euo pipefail

PACKAGES=(
    build-essential cmake ninja-build pkg-config clang clang-format clang-tidy libclang-rt-14-dev
    python3
    libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev libfontconfig-dev libcurl4-openssl-dev
    libcairo2-dev libgtest-dev libgmock-dev libcpp-httplib-dev libsqlite3-dev chromium
    fonts-dseg fonts-bebas-neue fonts-liberation2
)

missing=()
for package in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

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
"${SUDO[@]}" apt-get install -y -qq "${missing[@]}"

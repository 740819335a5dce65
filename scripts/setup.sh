#!/usr/bin/env bash
# Installs the Debian packages the project needs to build, run and test.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi

PACKAGES=(
    cmake ninja-build g++ pkg-config ccache lld
    libsdl2-dev libvorbis-dev libogg-dev libfreetype-dev libpng-dev zlib1g-dev
    libgtest-dev libgmock-dev libbenchmark-dev libpixman-1-dev
    libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev
    fonts-ipafont-gothic fontconfig
    clang libclang-rt-14-dev
    xvfb xauth xdotool
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
    echo "setup: every package is installed"
fi

#!/usr/bin/env bash
# Installs the Debian packages the build, the programs and the tests need, and only
# those that are missing, so a second run on a ready machine does nothing.
set -euo pipefail

KAVOX_PACKAGES=(
    # toolchain
    cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
    # test and benchmark frameworks
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    # libraries
    libsdbus-c++-dev libsystemd-dev nlohmann-json3-dev libstb-dev libfreetype-dev libfontconfig-dev
    libx11-dev libxext-dev libxi-dev libxkbcommon-dev libxkbcommon-x11-dev libudev-dev libpugixml-dev
    # run-time services and fonts
    dbus dbus-x11 fonts-liberation2 fonts-dejavu-core
    # x11 tests
    xvfb xdotool trayer x11-utils
)

missing=()
for pkg in "${KAVOX_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$pkg")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Install them (as root: apt-get install ${missing[*]}) and run again." >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq >/dev/null
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

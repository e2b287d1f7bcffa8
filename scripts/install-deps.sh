#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs, and only those that are missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config git python3 clang libclang-rt-14-dev
  qt6-base-dev qt6-webengine-dev qt6-charts-dev qt6-multimedia-dev libgl-dev
  libcpp-httplib-dev libsqlite3-dev libexpat1-dev
  nlohmann-json3-dev
  libsndfile1-dev libpulse-dev libavcodec-dev libavformat-dev libswresample-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb pulseaudio pulseaudio-utils dbus sox procps
  x11-utils libglib2.0-bin xdotool
  zlib1g-dev
  desktop-file-utils appstream dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  if [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != "install ok installed" ]; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"

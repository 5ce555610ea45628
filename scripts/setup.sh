#!/usr/bin/env bash
# Installs the Debian packages that Murkmoor needs to build, run and test, skipping those present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libglfw3-dev libglew-dev libglm-dev libassimp-dev libstb-dev
  libsdl2-dev libsdl2-mixer-dev libmp3lame-dev lame ffmpeg
  libgtest-dev libgmock-dev
  libgl1-mesa-dri libglx-mesa0 libgl-dev mesa-utils libegl-dev libegl-mesa0 mesa-vulkan-drivers
  libx11-dev xvfb xauth xdotool
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

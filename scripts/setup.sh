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
  libimgui-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The build compiles Dear ImGui's OpenGL 3 back-end, which libimgui-dev ships as a source file
# among its examples below /usr/share/doc. Slim images (Docker's Debian among them) tell dpkg to
# leave /usr/share/doc out: the package then counts as installed, but the file is not there.
backend=$(dpkg -L libimgui-dev | grep '/backends/imgui_impl_opengl3\.cpp$' || true)
if [ -z "$backend" ] || [ ! -f "$backend" ]; then
  cat >&2 <<EOF
setup: ${backend:-imgui_impl_opengl3.cpp of libimgui-dev} is missing.
  Murkmoor compiles Dear ImGui's OpenGL 3 back-end from this file, which libimgui-dev installs
  below /usr/share/doc. The package counts as installed, so most likely this machine's dpkg
  leaves /usr/share/doc out (a path-exclude rule in /etc/dpkg/dpkg.cfg.d/, as slim container
  images have). Let the package's folder in, then reinstall it (as root):
    echo 'path-include=/usr/share/doc/libimgui-dev/*' > /etc/dpkg/dpkg.cfg.d/zz-murkmoor-imgui
    apt-get install --reinstall libimgui-dev
EOF
  exit 1
fi

#!/usr/bin/env bash
# Installs the Debian packages that Murkmoor needs to build, run and test, skipping those present,
# and makes sure that the build folder can compile Dear ImGui's OpenGL 3 back-end.
# Usage: scripts/setup.sh [BUILD_DIR]      (build/ by default)
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$repo/build}
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi

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
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The build compiles Dear ImGui's OpenGL 3 back-end, which libimgui-dev ships as a source file
# among its examples below /usr/share/doc. Slim images (Debian's -slim, minimised Ubuntu) tell dpkg
# to leave /usr/share/doc out: the package then counts as installed, but the file is not there.
# Then the same version of the package is downloaded and that one file unpacked into the build
# folder, where CMake looks next; the machine's dpkg rules stay as they are.
backend_file=imgui_impl_opengl3.cpp
installed=$(dpkg -L libimgui-dev | grep "/backends/$backend_file\$" || true)
if [ -n "$installed" ] && [ -f "$installed" ]; then
  exit 0
fi
version=$(dpkg-query -W -f='${Version}' libimgui-dev)
fetched=$build/imgui-backend
if [ -f "$fetched/$backend_file" ] && [ "$(cat "$fetched/version" 2>/dev/null)" = "$version" ]; then
  exit 0
fi

mkdir -p "$build"
work=$(mktemp -d "$build/imgui-backend.XXXXXX")
trap 'rm -rf "$work"' EXIT
log=$work/apt.log
: >"$log"
fetch() {
  # Images often drop the package lists after installing: then they are fetched again first.
  if ! apt-cache show "libimgui-dev=$version" >/dev/null 2>&1; then
    $sudo apt-get update -qq >>"$log" 2>&1 || return 1
  fi
  (cd "$work" && apt-get download "libimgui-dev=$version") >>"$log" 2>&1 || return 1
  local deb
  deb=$(find "$work" -maxdepth 1 -name 'libimgui-dev_*.deb' | head -n 1)
  [ -n "$deb" ] || return 1
  mkdir "$work/tree" "$work/out"
  dpkg-deb --fsys-tarfile "$deb" | tar -x -m -C "$work/tree" --wildcards "*/backends/$backend_file" \
    2>>"$log" || return 1
  find "$work/tree" -name "$backend_file" -exec mv {} "$work/out/" \;
  [ -s "$work/out/$backend_file" ] || return 1
  echo "$version" >"$work/out/version"
}
if ! fetch; then
  {
    echo "setup: could not fetch libimgui-dev $version for Dear ImGui's OpenGL 3 back-end:"
    { grep -E '^(E:|Err:)|sudo' "$log" || tail -n 3 "$log"; } | tail -n 4 | sed 's/^/    /'
    cat <<EOF
  libimgui-dev is installed without ${installed:-$backend_file}:
  this machine's dpkg leaves /usr/share/doc out (a path-exclude rule in /etc/dpkg/dpkg.cfg.d/, as
  slim container images have). Setup then takes that one file from the same version of the
  package, \`apt-get download libimgui-dev=$version\`, into $fetched/.
  This needs the network and an archive that still holds this version (if it holds a newer one,
  upgrade libimgui-dev first). Run setup again once apt-get can reach it.
EOF
  } >&2
  exit 1
fi
rm -rf "$fetched"
mv "$work/out" "$fetched"
echo "setup: dpkg here leaves /usr/share/doc out; took Dear ImGui's OpenGL 3 back-end from" \
  "libimgui-dev $version into $fetched"

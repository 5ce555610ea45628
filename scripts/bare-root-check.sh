#!/usr/bin/env bash
# Proves build/gpu-bundle on a machine that has nothing but a GL driver: a minimal Debian root
# (debootstrap, minbase) holding only Mesa's EGL and llvmpipe in place of a GPU vendor's driver,
# with no glvnd loaders, no X server, no SDL, no assimp. The bundle runs there with chroot and an
# empty environment, once quick (it must pass) and once demanding a GPU (it must refuse llvmpipe).
#
# The root is kept in build/bare-root and reused; delete it to start over. Needs root (chroot).
# Usage: scripts/bare-root-check.sh [BUILD_DIR]      MIRROR=... picks the Debian mirror.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$repo/build}" && pwd)
bundle=$build/gpu-bundle
rootfs=$build/bare-root
mirror=${MIRROR:-http://deb.debian.org/debian}
suite=bookworm
# What stands in for the vendor's driver, and only what it pulls in.
driver_packages=libegl-mesa0,libgl1-mesa-dri
inside=/opt/murkmoor-bundle

fail() {
    echo "bare-root-check: FAILED: $*" >&2
    exit 1
}
now() { echo "${EPOCHREALTIME/./}"; }
seconds_since() { # microseconds since $1, as seconds with one decimal
    local d=$(($(now) - $1))
    printf '%d.%d' $((d / 1000000)) $((d % 1000000 / 100000))
}

[ "$(id -u)" -eq 0 ] || fail "needs root (debootstrap and chroot)"
[ -x "$bundle/run.sh" ] || fail "no bundle in $bundle: run make bundle first"
started=$(now)

# --- the root ---------------------------------------------------------------------------------
step=$(now)
if [ -f "$rootfs/.bare-root-complete" ]; then
    echo "Reusing the Debian root in $rootfs"
else
    if ! command -v debootstrap >/dev/null; then
        echo "Installing debootstrap"
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
    fi
    echo "Building a minimal $suite root with $driver_packages in $rootfs (a minute or two)"
    rm -rf "$rootfs.partial" "$rootfs"
    debootstrap --variant=minbase --include="$driver_packages" "$suite" "$rootfs.partial" "$mirror" \
        >"$build/bare-root.log" 2>&1 || {
        tail -n 20 "$build/bare-root.log" >&2
        fail "debootstrap did not finish (log: $build/bare-root.log)"
    }
    rm -rf "$rootfs.partial/var/cache/apt/archives/"*.deb
    touch "$rootfs.partial/.bare-root-complete"
    mv "$rootfs.partial" "$rootfs"
fi
echo "Root ready in $(seconds_since "$step") s"

# --- the root holds a driver and nothing of what the bundle brings ----------------------------
rm -rf "${rootfs:?}$inside" "$rootfs/out" "$rootfs/out2"
libdirs=("$rootfs/usr/lib" "$rootfs/usr/local/lib" "$rootfs/opt")
for name in 'libEGL.so*' 'libGL.so*' 'libGLX.so*' 'libGLdispatch.so*' 'libOpenGL.so*' \
    'libSDL2*' 'libglfw*' 'libGLEW*' 'libassimp*' 'libstb*'; do
    found=$(find "${libdirs[@]}" -name "$name" 2>/dev/null | head -n 1)
    [ -z "$found" ] || fail "the root is not bare: it has ${found#"$rootfs"}"
done
for program in Xorg Xvfb X; do
    [ ! -e "$rootfs/usr/bin/$program" ] || fail "the root has an X server (/usr/bin/$program)"
done
for package in libegl1 libglvnd0 libgl1 libopengl0 libglx0 libsdl2-2.0-0; do
    if chroot "$rootfs" dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
        fail "the root has the package $package"
    fi
done
[ -n "$(find "$rootfs/usr/lib" -name 'libEGL_mesa.so.0' | head -n 1)" ] ||
    fail "the root lacks Mesa's EGL driver (libEGL_mesa.so.0)"
[ -n "$(find "$rootfs/usr/lib" -name 'swrast_dri.so' | head -n 1)" ] ||
    fail "the root lacks Mesa's llvmpipe (swrast_dri.so)"
[ -f "$rootfs/usr/share/glvnd/egl_vendor.d/50_mesa.json" ] ||
    fail "the root lacks Mesa's EGL vendor file"
echo "The root is bare: Mesa's EGL and llvmpipe, no glvnd loaders, no X server, no SDL"

# --- the bundle, untouched by its runs --------------------------------------------------------
mkdir -p "$rootfs$inside"
cp -a "$bundle/." "$rootfs$inside/"
bundle_sum() { (cd "$rootfs$inside" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }
before=$(bundle_sum)
tmp_before=$(ls -A "$rootfs/tmp")

# /proc and /dev stay unmounted: the bundle must run without them. /dev/null comes from debootstrap.
run_inside() {
    env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 ${libs:+MURKMOOR_LIBS=$libs} \
        /usr/sbin/chroot "$rootfs" "$inside/run.sh" "$@"
}

# --- the quick run must pass ------------------------------------------------------------------
step=$(now)
libs=""
status=0
run_inside /out --quick >"$build/bare-root-run.log" 2>&1 || status=$?
quick_seconds=$(seconds_since "$step")
if [ $status -ne 0 ]; then
    tail -n 40 "$build/bare-root-run.log" >&2
    fail "run.sh /out --quick exited $status (output: $build/bare-root-run.log)"
fi
echo "run.sh /out --quick passed in $quick_seconds s"

out=$rootfs/out
for file in gl.txt bench.json bench.txt frames.tar run.log timings.txt; do
    [ -s "$out/$file" ] || fail "run.sh wrote no $file"
done
count=$(find "$out" -mindepth 1 | wc -l)
[ "$count" -le 8 ] || fail "run.sh left $count entries in its output folder (at most 8)"
grep -q '^GL context: EGL' "$out/gl.txt" || fail "gl.txt reports no EGL context: $(cat "$out/gl.txt")"
grep -q '^GL renderer: .*llvmpipe' "$out/gl.txt" || fail "gl.txt does not name llvmpipe"
grep -q 'llvmpipe' "$out/bench.json" || fail "bench.json does not name llvmpipe"
if command -v python3 >/dev/null; then
    python3 -m json.tool "$out/bench.json" >/dev/null || fail "bench.json is not JSON"
fi
grep -q 'gl-info' "$out/timings.txt" || fail "timings.txt lacks the steps' times"

frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
tar -xf "$out/frames.tar" -C "$frames"
expected=""
for key in 1 13 18 20 31 60 69 79 83 84 86 87 90; do
    expected+=$(printf 'keypoint-%02d.png\n' "$key")$'\n'
done
listed=$(tar -tf "$out/frames.tar" | sort)
[ "$listed" = "$(printf '%s' "$expected" | sort)" ] ||
    fail "frames.tar does not hold the 13 key points; it holds: $(echo $listed)"
for png in "$frames"/*.png; do
    [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] ||
        fail "$(basename "$png") is not a PNG"
done
echo "Files checked: 13 PNGs in frames.tar, llvmpipe in bench.json, an EGL context in gl.txt"

# --- demanding a GPU on llvmpipe must fail, and say why ---------------------------------------
# This run takes none of the root's libraries for the bundle's: Mesa must load beside them all.
libs=bundled
status=0
run_inside /out2 --quick --expect-gpu >"$build/bare-root-gpu.log" 2>&1 || status=$?
[ $status -ne 0 ] || fail "run.sh --expect-gpu passed on llvmpipe"
grep -q 'software renderer' "$build/bare-root-gpu.log" ||
    fail "run.sh --expect-gpu failed without naming the software renderer: $(tail -n 5 "$build/bare-root-gpu.log")"
grep -q '^GL context: EGL' "$rootfs/out2/gl.txt" ||
    fail "with only bundled libraries, EGL gave no context: $(tail -n 5 "$build/bare-root-gpu.log")"
! grep -q ": the machine's" "$rootfs/out2/run.log" ||
    fail "MURKMOOR_LIBS=bundled still took libraries of the root"
echo "run.sh /out2 --quick --expect-gpu refused llvmpipe (exit $status), every bundled library loaded:"
grep 'software renderer' "$build/bare-root-gpu.log" | head -n 2 | sed 's/^/    /'

# --- nothing left behind ----------------------------------------------------------------------
[ "$(bundle_sum)" = "$before" ] || fail "the runs changed the bundle's files"
[ "$(ls -A "$rootfs/tmp")" = "$tmp_before" ] || fail "run.sh left files in /tmp: $(ls -A "$rootfs/tmp")"

echo "Bundle proved in a bare root in $(seconds_since "$started") s"

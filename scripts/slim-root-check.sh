#!/usr/bin/env bash
# Proves the set-up on a slim container image: a minimal Debian root (debootstrap, minbase) whose
# dpkg leaves /usr/share/doc out, as Debian's -slim images do. A clean copy of the committed sources
# (git archive) goes in; there, as root, scripts/setup.sh installs the packages and brings Dear
# ImGui's OpenGL 3 back-end, which dpkg left out, into the build folder, and CMake configures and
# compiles it. Then, as a plain user: setup for a second build folder, quick the second time; and,
# with no network, setup and CMake must fail and say why. The machine's dpkg rule stays as it was.
#
# The bare minbase root is kept in build/slim-root-base and the packages apt downloads in
# build/slim-root-debs; each run starts from a fresh copy, build/slim-root (kept until the next run).
# Needs root (debootstrap, chroot) and the network. Usage: scripts/slim-root-check.sh [BUILD_DIR]
# REV=... picks the commit whose sources are tried (HEAD); MIRROR=... the Debian mirror.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mkdir -p "${1:-$repo/build}"
build=$(cd "${1:-$repo/build}" && pwd)
base=$build/slim-root-base
rootfs=$build/slim-root
debs=$build/slim-root-debs
logs=$build/slim-root-logs
mirror=${MIRROR:-http://deb.debian.org/debian}
rev=${REV:-HEAD}
suite=bookworm
rule='path-exclude=/usr/share/doc/*'
rule_file=/etc/dpkg/dpkg.cfg.d/excludes
src=/src/murkmoor
user_id=4242

fail() {
    echo "slim-root-check: FAILED: $*" >&2
    exit 1
}
now() { echo "${EPOCHREALTIME/./}"; }
seconds_since() { # microseconds since $1, as seconds with one decimal
    local d=$(($(now) - $1))
    printf '%d.%d' $((d / 1000000)) $((d % 1000000 / 100000))
}
mounts_below() { awk -v root="$1" '$2 == root || index($2, root "/") == 1 { print $2 }' /proc/self/mounts; }
unmount_all() {
    local m
    for m in $(mounts_below "$rootfs" | sort -r); do umount "$m" || umount -l "$m"; done
}

[ "$(id -u)" -eq 0 ] || fail "needs root (debootstrap and chroot)"
commit=$(git -C "$repo" rev-parse --verify "$rev^{commit}") || fail "no commit $rev in $repo"
started=$(now)

# --- the bare root, made once -----------------------------------------------------------------
step=$(now)
if [ -f "$base/.slim-root-complete" ]; then
    echo "Reusing the minimal $suite root in $base"
else
    if ! command -v debootstrap >/dev/null; then
        echo "Installing debootstrap"
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
    fi
    echo "Building a minimal $suite root in $base (a minute or two)"
    rm -rf --one-file-system "$base.partial" "$base"
    debootstrap --variant=minbase "$suite" "$base.partial" "$mirror" >"$build/slim-root-base.log" 2>&1 || {
        tail -n 20 "$build/slim-root-base.log" >&2
        fail "debootstrap did not finish (log: $build/slim-root-base.log)"
    }
    rm -rf "$base.partial/var/cache/apt/archives/"*.deb
    touch "$base.partial/.slim-root-complete"
    mv "$base.partial" "$base"
fi
echo "Bare root ready in $(seconds_since "$step") s"

# --- a fresh copy with the slim image's dpkg rule and the committed sources ---------------------
unmount_all
[ -z "$(mounts_below "$rootfs")" ] || fail "could not unmount what is mounted below $rootfs"
rm -rf --one-file-system "$rootfs" "$logs"
cp -a "$base" "$rootfs"
mkdir -p "$debs" "$logs"
trap unmount_all EXIT
echo "$rule" >"$rootfs$rule_file"
rule_sum=$(sha256sum <"$rootfs$rule_file")
cp -L /etc/resolv.conf "$rootfs/etc/resolv.conf"
# As in container images: packages start no services.
printf '#!/bin/sh\nexit 101\n' >"$rootfs/usr/sbin/policy-rc.d"
chmod +x "$rootfs/usr/sbin/policy-rc.d"
find "$debs" -name '*.deb' -exec cp -al -t "$rootfs/var/cache/apt/archives/" {} +
chroot "$rootfs" useradd -u "$user_id" -m builder
mkdir -p "$rootfs$src"
git -C "$repo" archive --format=tar "$commit" | tar -x -C "$rootfs$src"
chroot "$rootfs" chown -R "$user_id:$user_id" "$src"
mount -t proc proc "$rootfs/proc"
echo "Sources of ${commit:0:12} in $src of a fresh root, with '$rule' in $rule_file"

# Runs a shell command in the sources' folder: as root, or as the plain user (as_user=1), and
# without network (offline=1). Its output goes to the named log.
inside() {
    local log=$logs/$1.log who=0:0 home=/root net=()
    shift
    if [ "${as_user:-0}" -eq 1 ]; then who=$user_id:$user_id home=/home/builder; fi
    if [ "${offline:-0}" -eq 1 ]; then net=(unshare --net); fi
    "${net[@]}" chroot --userspec="$who" "$rootfs" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
        HOME="$home" LANG=C.UTF-8 bash -c "cd $src && $*" >"$log" 2>&1
}

# --- as root: the whole set-up, then the back-end compiled ------------------------------------
step=$(now)
status=0
inside setup bash scripts/setup.sh build || status=$?
find "$rootfs/var/cache/apt/archives" -maxdepth 1 -name '*.deb' -exec cp -aln -t "$debs/" {} +
setup_seconds=$(seconds_since "$step")
if [ $status -ne 0 ]; then
    tail -n 20 "$logs/setup.log" >&2
    fail "scripts/setup.sh exited $status after $setup_seconds s (log: $logs/setup.log)"
fi
echo "scripts/setup.sh installed the packages in $setup_seconds s"

chroot "$rootfs" dpkg-query -W -f='${Status}' libimgui-dev | grep -q 'install ok installed' ||
    fail "libimgui-dev is not installed"
[ ! -e "$rootfs/usr/share/doc/libimgui-dev/examples" ] ||
    fail "dpkg installed /usr/share/doc/libimgui-dev/examples: the rule did not hold"
[ "$(sha256sum <"$rootfs$rule_file")" = "$rule_sum" ] || fail "setup changed $rule_file"
[ "$(ls "$rootfs/etc/dpkg/dpkg.cfg.d/")" = "$(basename "$rule_file")" ] ||
    fail "setup added dpkg rules: $(ls "$rootfs/etc/dpkg/dpkg.cfg.d/")"
fetched=$rootfs$src/build/imgui-backend
version=$(chroot "$rootfs" dpkg-query -W -f='${Version}' libimgui-dev)
[ -s "$fetched/imgui_impl_opengl3.cpp" ] || fail "setup put no imgui_impl_opengl3.cpp in build/imgui-backend"
[ "$(cat "$fetched/version")" = "$version" ] ||
    fail "build/imgui-backend holds version $(cat "$fetched/version"), libimgui-dev $version is installed"
host_copy=/usr/share/doc/libimgui-dev/examples/backends/imgui_impl_opengl3.cpp
if [ -f "$host_copy" ] && [ "$(dpkg-query -W -f='${Version}' libimgui-dev 2>/dev/null)" = "$version" ]; then
    cmp -s "$host_copy" "$fetched/imgui_impl_opengl3.cpp" || fail "the unpacked back-end differs from this machine's"
    echo "The unpacked back-end of libimgui-dev $version is the same file as this machine's"
fi
echo "The rule held; setup unpacked the back-end of libimgui-dev $version into build/imgui-backend"

step=$(now)
inside configure cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo ||
    fail "CMake did not configure: $(tail -n 5 "$logs/configure.log")"
grep -q "back-end: $src/build/imgui-backend/imgui_impl_opengl3.cpp" "$logs/configure.log" ||
    fail "CMake did not take the unpacked back-end: $(grep -i 'back-end' "$logs/configure.log")"
inside compile cmake --build build -j "$(nproc)" --target imgui_opengl3_backend ||
    fail "the back-end did not compile: $(tail -n 10 "$logs/compile.log")"
echo "CMake took build/imgui-backend/imgui_impl_opengl3.cpp and compiled it in $(seconds_since "$step") s"

# --- as a plain user: a second build folder, then again, quick ------------------------------------
step=$(now)
as_user=1 inside user-setup bash scripts/setup.sh build-user ||
    fail "setup for build-user as a plain user failed: $(tail -n 5 "$logs/user-setup.log")"
cmp -s "$fetched/imgui_impl_opengl3.cpp" "$rootfs$src/build-user/imgui-backend/imgui_impl_opengl3.cpp" ||
    fail "the plain user's setup did not unpack the same back-end into build-user"
echo "As a plain user, setup unpacked it into build-user in $(seconds_since "$step") s"
step=$(now)
offline=1 as_user=1 inside user-setup-again bash scripts/setup.sh build-user ||
    fail "setup again without network failed: $(tail -n 5 "$logs/user-setup-again.log")"
[ ! -s "$logs/user-setup-again.log" ] || fail "setup again said: $(cat "$logs/user-setup-again.log")"
echo "Setup again, without network: silent, in $(seconds_since "$step") s"

# --- without network: a clear failure, nothing left behind -----------------------------------
status=0
offline=1 as_user=1 inside offline-setup bash scripts/setup.sh build-offline || status=$?
[ $status -ne 0 ] || fail "setup without network passed without the back-end"
grep -q 'apt-get download' "$logs/offline-setup.log" && grep -q '/usr/share/doc' "$logs/offline-setup.log" ||
    fail "setup without network did not say what it tried and why: $(cat "$logs/offline-setup.log")"
[ -z "$(ls -A "$rootfs$src/build-offline" 2>/dev/null)" ] ||
    fail "setup without network left $(ls -A "$rootfs$src/build-offline")"
status=0
as_user=1 inside offline-configure cmake -S . -B build-offline || status=$?
[ $status -ne 0 ] && grep -q 'scripts/setup.sh' "$logs/offline-configure.log" ||
    fail "CMake without the back-end did not name scripts/setup.sh (exit $status)"
echo "Without network, setup exited $status and said:"
sed 's/^/    /' "$logs/offline-setup.log"

echo "Slim-image set-up proved in $(seconds_since "$started") s (logs: $logs)"

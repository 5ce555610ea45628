#!/usr/bin/env bash
# Packs the capture, bench and video tools for a GPU server that has nothing but its vendor's
# driver: the tools, the shared libraries they load that such a machine lacks (the glvnd loaders
# among them, never a GL driver and never the C library), the shaders and the generated assets,
# all in one archive, and run.sh beside it. Writes build/gpu-bundle/ (at most 60 MiB).
# Usage: scripts/gpu-bundle.sh [BUILD_DIR]
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$repo/build}
bundle=$build/gpu-bundle
limit_mib=60
tools=(capture/murkmoor-capture bench/murkmoor-bench video/murkmoor-video)

fail() {
    echo "gpu-bundle: FAILED: $*" >&2
    exit 1
}

# --- the tools and the assets, built when missing ---------------------------------------------
missing=0
for tool in "${tools[@]}"; do [ -x "$build/tools/$tool" ] || missing=1; done
[ -f "$repo/res/.assets-stamp" ] && [ -f "$repo/res/Music/horrorPiano.mp3" ] || missing=1
if [ $missing -eq 1 ]; then
    echo "Building the tools and the assets"
    if [ ! -f "$build/CMakeCache.txt" ]; then
        bash "$repo/scripts/setup.sh" "$build"
        cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    fi
    cmake --build "$build" -j "$(nproc)" --target murkmoor-capture murkmoor-bench murkmoor-video \
        murkmoor_assets murkmoor_sounds
fi
build=$(cd "$build" && pwd)
[ -d "$repo/shaders" ] || fail "no shaders/ in $repo"

# --- which libraries travel -------------------------------------------------------------------
# Every machine has the C library; the GL drivers belong to the machine (NVIDIA's libraries come
# with its kernel module, Mesa's with the system). Everything else the tools load travels.
is_system_library() {
    case "$1" in
    linux-vdso.so.* | ld-linux*.so.* | libc.so.* | libm.so.* | libdl.so.* | libpthread.so.* | \
        librt.so.* | libresolv.so.* | libutil.so.* | libanl.so.* | libnsl.so.* | libmvec.so.* | \
        libBrokenLocale.so.* | libthread_db.so.* | libc_malloc_debug.so.* | libnss_*.so.*)
        return 0 ;;
    esac
    return 1
}
is_gl_driver() {
    case "$1" in
    *_nvidia.so* | libnvidia-*.so* | libcuda.so* | libEGL_mesa.so* | libGLX_mesa.so* | \
        libGLX_indirect.so* | *_dri.so | libglapi.so.* | libgallium*.so | libvulkan_*.so | \
        libxatracker.so.*)
        return 0 ;;
    esac
    return 1
}

work=$(mktemp -d "${TMPDIR:-/tmp}/murkmoor-bundle.XXXXXX")
trap 'rm -rf "$work"' EXIT
stage=$work/murkmoor
mkdir -p "$stage/bin" "$stage/lib" "$stage/lib/fallback"

libraries=()
for tool in "${tools[@]}"; do
    binary=$build/tools/$tool
    unresolved=$(env -u LD_LIBRARY_PATH ldd "$binary" | grep 'not found' || true)
    [ -z "$unresolved" ] || fail "$binary needs libraries this machine lacks: $unresolved"
    while read -r name path; do
        is_system_library "$name" && continue
        is_gl_driver "$name" && fail "$tool links the GL driver $name directly"
        libraries+=("$name=$path")
    done < <(env -u LD_LIBRARY_PATH ldd "$binary" | awk '$2 == "=>" && $3 ~ /^\// {print $1, $3}')
done
mapfile -t libraries < <(printf '%s\n' "${libraries[@]}" | sort -u)
for loader in libEGL.so.1 libGLdispatch.so.0; do
    printf '%s\n' "${libraries[@]}" | grep -q "^$loader=" || fail "the tools do not link $loader"
done

# Libraries that the machine's GL driver loads as well (the C++ runtime, libdrm, libgbm, the X and
# Wayland client libraries...): the driver may need a newer one than ours, and one process holds
# only one of each, so run.sh takes the machine's own copy unless it is older than ours.
shared_with_driver() {
    case "$1" in
    libstdc++.so.* | libgcc_s.so.* | libdrm*.so.* | libgbm.so.* | libexpat.so.* | libz.so.* | \
        libzstd.so.* | liblzma.so.* | libwayland-*.so.* | libxcb*.so.* | libX11*.so.* | \
        libXext.so.* | libXfixes.so.* | libXau.so.* | libXdmcp.so.* | libffi.so.* | libbsd.so.* | \
        libmd.so.* | libxshmfence.so.* | libelf.so.* | libsensors.so.*)
        return 0 ;;
    esac
    return 1
}
: >"$stage/lib/fallback/REALNAMES"
for entry in "${libraries[@]}"; do
    name=${entry%%=*}
    path=${entry#*=}
    if shared_with_driver "$name"; then
        cp -L "$path" "$stage/lib/fallback/$name"
        echo "$name $(basename "$(readlink -f "$path")")" >>"$stage/lib/fallback/REALNAMES"
    else
        cp -L "$path" "$stage/lib/$name"
    fi
done
for tool in "${tools[@]}"; do
    strip --strip-debug -o "$stage/bin/$(basename "$tool")" "$build/tools/$tool"
done
strip --strip-unneeded "$stage/lib/"*.so* "$stage/lib/fallback/"*.so* 2>/dev/null || true
cp -a "$repo/shaders" "$stage/shaders"
mkdir -p "$stage/res"
(cd "$repo/res" && tar -cf - --exclude='.assets-stamp' .) | (cd "$stage/res" && tar -xf -)

# The newest C library each file was linked against. run.sh compares them with the machine's: a
# library that needs a newer one than the machine has is taken from the machine, where it has one.
glibc_needed() {
    { objdump -p "$1" | grep -o 'GLIBC_2\.[0-9]*' || true; } | sed 's/GLIBC_//' | sort -u -V | tail -n 1
}
glibc=$(for binary in "$stage/bin/"*; do glibc_needed "$binary"; done | sort -V | tail -n 1)
{
    echo "tools $glibc"
    for library in "$stage/lib/"*.so* "$stage/lib/fallback/"*.so*; do
        echo "${library#"$stage/"} $(glibc_needed "$library")"
    done
} >"$stage/glibc-needs"
newest=$(awk '{print $2}' "$stage/glibc-needs" | sort -V | tail -n 1)
{
    echo "built $(date -u +%Y-%m-%dT%H:%M:%SZ) from $(git -C "$repo" rev-parse --short HEAD 2>/dev/null || echo unknown)"
    echo "needs x86-64 Linux with glibc $glibc or newer (glibc $newest runs every bundled library)"
    echo "tools: $(ls "$stage/bin" | tr '\n' ' ')"
    echo "libraries (glibc they need):"
    sed -n 's|^lib/fallback/\(.*\)|  \1 (unless the machine has as new a one)|p; s|^lib/\(.*\)|  \1|p' \
        "$stage/glibc-needs"
} >"$stage/CONTENTS"

# --- the bundle -------------------------------------------------------------------------------
rm -rf "$bundle"
mkdir -p "$bundle"
tar -C "$work" -cf - murkmoor | gzip -9 >"$bundle/murkmoor.tar.gz"
cp "$stage/CONTENTS" "$bundle/CONTENTS"
install -m 755 "$repo/scripts/gpu-bundle-run.sh" "$bundle/run.sh"
(cd "$bundle" && sha256sum murkmoor.tar.gz >murkmoor.tar.gz.sha256)

bytes=$(du -cb "$bundle"/* | tail -n 1 | cut -f 1)
mib=$(awk -v b="$bytes" 'BEGIN { printf "%.1f", b / 1048576 }')
echo "Bundle: $bundle, $mib MiB ($(find "$stage/lib" -name "*.so*" -type f | wc -l) libraries, glibc $glibc or newer)"
[ "$bytes" -le $((limit_mib * 1048576)) ] || fail "the bundle is $mib MiB, over $limit_mib MiB"

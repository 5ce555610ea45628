#!/usr/bin/env bash
# Murkmoor on a GPU server: no display, no X server, no network, nothing installed but the GPU
# vendor's driver. Unpacks the tools beside this script into a scratch folder, points them at the
# bundled libraries and at the machine's EGL driver, then reports the GL driver, times every pass
# at 1280x768 and 1920x1080, and captures the flight's key points at 1280x768.
#
# Usage: run.sh OUTDIR [--expect-gpu] [--quick]
#   --expect-gpu  fail when the GL renderer is a software one (llvmpipe and the like)
#   --quick       tiny sizes and no warm-up, to try the bundle on a software renderer
# MURKMOOR_LIBS=bundled uses every bundled library, also where the machine has its own copy.
# Writes into OUTDIR: gl.txt, bench.json, bench.txt, frames.tar (keypoint-NN.png), timings.txt,
# run.log. Scratch files go to $TMPDIR (or /tmp, or OUTDIR/..) and are removed on exit.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
keys=(1 13 18 20 31 60 69 79 83 84 86 87 90)
software_renderers='llvmpipe|softpipe|swrast|software rasterizer|lavapipe|swiftshader'

usage() {
    echo "usage: run.sh OUTDIR [--expect-gpu] [--quick]" >&2
    exit 2
}
out=""
expect_gpu=0
quick=0
for arg in "$@"; do
    case "$arg" in
    --expect-gpu) expect_gpu=1 ;;
    --quick) quick=1 ;;
    -h | --help) usage ;;
    -*) echo "run.sh: unknown option $arg" >&2; usage ;;
    *) [ -z "$out" ] || usage; out=$arg ;;
    esac
done
[ -n "$out" ] || usage
mkdir -p "$out"
out=$(cd "$out" && pwd)
products=(gl.txt bench.json bench.txt frames.tar timings.txt run.log)
for file in "${products[@]}"; do rm -f "${out:?}/$file"; done
log=$out/run.log
timings=$out/timings.txt
: >"$log"
: >"$timings"

say() { echo "$*"; echo "$*" >>"$log"; }
fail() {
    echo "run.sh: FAILED: $*" >&2
    echo "run.sh: FAILED: $*" >>"$log"
    exit 1
}
now() { echo "${EPOCHREALTIME/./}"; }
seconds() { # microseconds as seconds with one decimal
    printf '%d.%d' $(($1 / 1000000)) $(($1 % 1000000 / 100000))
}
started=$(now)

# --- a scratch folder: the bundle itself may be read-only -------------------------------------
work=""
for base in "${TMPDIR:-/tmp}" /tmp "$out/.."; do
    if [ -d "$base" ] && [ -w "$base" ] && work=$(mktemp -d "$base/murkmoor-run.XXXXXX" 2>/dev/null); then
        break
    fi
    work=""
done
[ -n "$work" ] || fail "no writable scratch folder (tried \$TMPDIR, /tmp and $out/..)"
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT TERM HUP

# Runs one step with a time limit, its messages in run.log and its standard output in a file
# (run.log when none is named), and records how long it took.
step() {
    local name=$1 limit=$2 stdout=$3
    shift 3
    local begin status=0
    begin=$(now)
    echo "== $name: $*" >>"$log"
    if [ -z "$stdout" ]; then
        timeout "$limit" "$@" >>"$log" 2>&1 || status=$?
    else
        timeout "$limit" "$@" >"$stdout" 2>>"$log" || status=$?
        cat "$stdout" >>"$log"
    fi
    local took
    took=$(seconds $(($(now) - begin)))
    echo "$name $took" >>"$timings"
    if [ $status -ne 0 ]; then
        echo "---- the end of run.log:" >&2
        tail -n 25 "$log" >&2
        [ $status -ne 124 ] || fail "$name took longer than $limit s"
        fail "$name exited with status $status (see $log)"
    fi
    say "[$name] $took s"
}

# --- unpack -----------------------------------------------------------------------------------
begin=$(now)
[ "$(uname -m)" = x86_64 ] || fail "the bundle is built for x86-64, this machine is $(uname -m)"
[ -f "$here/murkmoor.tar.gz" ] || fail "no murkmoor.tar.gz beside $0"
if command -v sha256sum >/dev/null && [ -f "$here/murkmoor.tar.gz.sha256" ]; then
    (cd "$here" && sha256sum --quiet -c murkmoor.tar.gz.sha256) >>"$log" 2>&1 ||
        fail "murkmoor.tar.gz is damaged (its checksum differs): copy the bundle again"
fi
gzip -dc "$here/murkmoor.tar.gz" | tar -xf - -C "$work" || fail "could not unpack murkmoor.tar.gz into $work"
app=$work/murkmoor
lib=$app/lib

newer() { [ "$(printf '%s\n%s\n' "$1" "$2" | sort -V | tail -n 1)" = "$1" ] && [ "$1" != "$2" ]; }
system_library() {
    local name=$1 dir found
    found=$( (ldconfig -p 2>/dev/null || true) | awk -v n="$name" '$1 == n && /x86-64/ {print $NF; exit}')
    if [ -z "$found" ]; then
        for dir in /lib/x86_64-linux-gnu /usr/lib/x86_64-linux-gnu /lib64 /usr/lib64 /usr/lib; do
            [ -e "$dir/$name" ] && { found=$dir/$name; break; }
        done
    fi
    echo "$found"
}
newest_version() { { grep -a -o -E "$2" "$1" || true; } | sort -u -V | tail -n 1; }

# The C library: the tools need the one they were linked against; a bundled library that needs a
# newer one than this machine's gives way to the machine's own copy.
glibc=$(getconf GNU_LIBC_VERSION 2>/dev/null || true)
glibc=${glibc#glibc }
tools_need=$(sed -n 's/^tools //p' "$app/glibc-needs")
if [ -n "$glibc" ]; then
    ! newer "$tools_need" "$glibc" ||
        fail "this machine's C library is glibc $glibc; the tools need glibc $tools_need or newer"
    while read -r file needs; do
        [ "$file" != tools ] && [ -n "$needs" ] && newer "$needs" "$glibc" || continue
        name=$(basename "$file")
        system=$(system_library "$name")
        [ -n "$system" ] ||
            fail "the bundled $name needs glibc $needs, this machine has $glibc and no $name of its own"
        rm -f "$app/$file"
        echo "$name: the machine's ($system; the bundled one needs glibc $needs)" >>"$log"
    done <"$app/glibc-needs"
else
    echo "glibc version unknown (no getconf): every bundled library is used" >>"$log"
fi

# Libraries the machine's GL driver loads too: the machine's own copy unless it is older than ours
# (by the version in its file name; by the newest version tag for libgcc, whose name has none).
while read -r name realname; do
    bundled=$lib/fallback/$name
    [ -e "$bundled" ] || continue
    system=$(system_library "$name")
    use_ours=1
    ours=${realname#*.so.}
    theirs=""
    if [ -n "$system" ] && [ "${MURKMOOR_LIBS:-}" != bundled ]; then
        case "$name" in
        libgcc_s.so.*)
            ours=$(newest_version "$bundled" 'GCC_[0-9]+(\.[0-9]+)+')
            theirs=$(newest_version "$system" 'GCC_[0-9]+(\.[0-9]+)+') ;;
        *)
            ours=${realname#*.so.}
            theirs=$(basename "$(readlink -f "$system")")
            theirs=${theirs#*.so.} ;;
        esac
        newer "$ours" "$theirs" || use_ours=0
    fi
    if [ $use_ours -eq 1 ]; then
        mv "$bundled" "$lib/$name"
        echo "$name: the bundled one ($ours; the machine's: ${system:-none} ${theirs:-})" >>"$log"
    else
        echo "$name: the machine's ($system, $theirs)" >>"$log"
    fi
done <"$lib/fallback/REALNAMES"

# --- the environment: bundled libraries, the machine's EGL driver, no sound device ------------
library_path=$lib
for dir in /usr/local/nvidia/lib64 /usr/local/nvidia/lib /usr/lib64/nvidia /usr/lib/nvidia; do
    [ -d "$dir" ] && library_path+=:$dir
done
export LD_LIBRARY_PATH=$library_path${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}

vendor_dirs=${__EGL_VENDOR_LIBRARY_DIRS:-}
for dir in /etc/glvnd/egl_vendor.d /usr/share/glvnd/egl_vendor.d /usr/local/share/glvnd/egl_vendor.d \
    /usr/local/nvidia/share/glvnd/egl_vendor.d /usr/local/nvidia/glvnd/egl_vendor.d; do
    [ -d "$dir" ] && case ":$vendor_dirs:" in *":$dir:"*) ;; *) vendor_dirs+=${vendor_dirs:+:}$dir ;; esac
done
vendor_files=""
IFS=: read -r -a dirs <<<"$vendor_dirs"
for dir in "${dirs[@]}"; do
    for file in "$dir"/*.json; do [ -f "$file" ] && vendor_files+=" $file"; done
done
if [ -z "$vendor_files" ] && [ -z "${__EGL_VENDOR_LIBRARY_FILENAMES:-}" ]; then
    # A driver without its vendor file (some containers mount only the libraries): describe it.
    mkdir -p "$work/egl_vendor.d"
    for driver in 10_nvidia:libEGL_nvidia.so.0 50_mesa:libEGL_mesa.so.0; do
        found=""
        IFS=: read -r -a search <<<"$LD_LIBRARY_PATH"
        for dir in "${search[@]}"; do [ -e "$dir/${driver#*:}" ] && { found=$dir/${driver#*:}; break; }; done
        [ -n "$found" ] || found=$(system_library "${driver#*:}")
        [ -n "$found" ] || continue
        printf '{"file_format_version": "1.0.0", "ICD": {"library_path": "%s"}}\n' "$found" \
            >"$work/egl_vendor.d/${driver%%:*}.json"
        vendor_files+=" $work/egl_vendor.d/${driver%%:*}.json (written for $found)"
    done
    vendor_dirs+=${vendor_dirs:+:}$work/egl_vendor.d
fi
[ -z "$vendor_dirs" ] || export __EGL_VENDOR_LIBRARY_DIRS=$vendor_dirs
export SDL_AUDIODRIVER=dummy
unset DISPLAY WAYLAND_DISPLAY

say "Murkmoor bundle: $(head -n 1 "$app/CONTENTS")"
say "EGL vendor files:${vendor_files:- none found}${__EGL_VENDOR_LIBRARY_FILENAMES:+ (and __EGL_VENDOR_LIBRARY_FILENAMES=$__EGL_VENDOR_LIBRARY_FILENAMES)}"
echo "LD_LIBRARY_PATH=$LD_LIBRARY_PATH" >>"$log"
echo "__EGL_VENDOR_LIBRARY_DIRS=${__EGL_VENDOR_LIBRARY_DIRS:-}" >>"$log"
echo "unpack $(seconds $(($(now) - begin)))" >>"$timings"

# The tools read shaders/ and res/ from their working folder and write their key point log there.
cd "$app"

# --- the GL driver ----------------------------------------------------------------------------
step gl-info 60 "$out/gl.txt" bin/murkmoor-capture --headless --gl-info
sed 's/^/    /' "$out/gl.txt"
renderer=$(sed -n 's/^GL renderer: //p' "$out/gl.txt")
[ -n "$renderer" ] || fail "murkmoor-capture --gl-info named no renderer"
if echo "$renderer" | grep -q -i -E "$software_renderers"; then
    if [ $expect_gpu -eq 1 ]; then
        fail "--expect-gpu, but the GL renderer is a software renderer: $renderer." \
            "EGL found no GPU driver. Vendor files:${vendor_files:- none}." \
            "On NVIDIA, libEGL_nvidia.so.0 must be on the library path (or in /usr/local/nvidia/lib64)" \
            "with its 10_nvidia.json, and /dev/nvidia* must be readable (containers: NVIDIA_DRIVER_CAPABILITIES=graphics)."
    fi
    say "Note: $renderer is a software renderer; the timings are not a GPU's."
fi

# --- the benchmark ----------------------------------------------------------------------------
if [ $quick -eq 1 ]; then
    bench_args=(--size 96x64 --spots 1 --warmup 0)
    capture_args=(--size 96x64 --warmup 0.1)
else
    bench_args=(--size 1280x768 --size 1920x1080)
    capture_args=(--size 1280x768)
fi
step bench 420 "$out/bench.txt" bin/murkmoor-bench --headless "${bench_args[@]}" --json "$out/bench.json"
[ -s "$out/bench.json" ] || fail "murkmoor-bench wrote no bench.json"

# --- the key points ---------------------------------------------------------------------------
mkdir -p "$work/frames"
for key in "${keys[@]}"; do
    png=$(printf 'keypoint-%02d.png' "$key")
    step "capture-$key" 120 "" bin/murkmoor-capture --headless --key "$key" "${capture_args[@]}" \
        --out "$work/frames/$png"
    [ "$(head -c 8 "$work/frames/$png" 2>/dev/null | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
        fail "murkmoor-capture --key $key wrote no PNG"
done
(cd "$work/frames" && tar -cf "$out/frames.tar" keypoint-*.png) || fail "could not write frames.tar"

total=$(($(now) - started))
echo "total $(seconds $total)" >>"$timings"
say "Done in $(seconds $total) s: $out/{gl.txt,bench.json,bench.txt,frames.tar,timings.txt,run.log}"
if [ $quick -eq 0 ] && [ $total -gt 480000000 ]; then
    say "Warning: the run took over 8 minutes; is the renderer the GPU's?"
fi

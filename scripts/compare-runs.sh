#!/usr/bin/env bash
# Compares the frames of two bundle runs, e.g. a GPU's against llvmpipe's:
#   scripts/compare-runs.sh GPU_OUT REFERENCE_OUT SHEETS_DIR
# Each OUT is a folder that run.sh wrote (its frames.tar). Prints, per key point, the mean
# absolute difference and the largest step, and writes SHEETS_DIR/keypoint-NN.png with the
# reference, the other frame and their amplified difference side by side.
set -euo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 GPU_OUT REFERENCE_OUT SHEETS_DIR" >&2
  exit 2
fi
root="$(cd "$(dirname "$0")/.." && pwd)"
compare="$root/build/tools/compare/murkmoor-compare"
[ -x "$compare" ] || { echo "build first: $compare is missing" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/other" "$work/reference" "$3"
tar -xf "$1/frames.tar" -C "$work/other"
tar -xf "$2/frames.tar" -C "$work/reference"

status=0
for frame in "$work/reference"/*.png; do
  name="$(basename "$frame")"
  if [ ! -f "$work/other/$name" ]; then
    echo "$name: missing from $1" >&2
    status=1
    continue
  fi
  printf '%s: ' "${name%.png}"
  # Frames of two drivers differ (status 1): the figures tell by how much. 2 is trouble.
  "$compare" "$frame" "$work/other/$name" --side-by-side "$3/$name" || [ $? -eq 1 ] || status=1
done
exit $status

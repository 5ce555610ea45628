#!/usr/bin/env bash
# Runs the whole suite under a virtual X server with Mesa's software renderer. Arguments after the
# build folder go to ctest, e.g. -R Shell for the tests whose names match.
set -euo pipefail
build=${1:-build}
shift $(($# > 0 ? 1 : 0))
export LIBGL_ALWAYS_SOFTWARE=1
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
# Temporary files of the suite and of the virtual X server's authority stay in the build.
export TMPDIR="$(cd "$build" && pwd)/test-work/scratch"
mkdir -p "$TMPDIR"
# The user's recorded key points must survive the suite: it runs in a folder of the build.
keypoints="$(pwd)/filename.txt"
before=$(sha256sum "$keypoints" 2>/dev/null || echo none)
status=0
xvfb-run -a -s "-noreset -screen 0 1600x1200x24" \
    ctest --test-dir "$build" --output-on-failure -j 2 --timeout 600 "$@" || status=$?
if [ "$(sha256sum "$keypoints" 2>/dev/null || echo none)" != "$before" ]; then
  echo "FAILED: the suite changed $keypoints" >&2
  exit 1
fi
exit $status

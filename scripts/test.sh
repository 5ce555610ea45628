#!/usr/bin/env bash
# Runs the whole suite under a virtual X server with Mesa's software renderer. Arguments after the
# build folder go to ctest, e.g. -R Shell for the tests whose names match.
set -euo pipefail
build=${1:-build}
shift $(($# > 0 ? 1 : 0))
export LIBGL_ALWAYS_SOFTWARE=1
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
exec xvfb-run -a -s "-noreset -screen 0 1600x1200x24" \
    ctest --test-dir "$build" --output-on-failure -j 2 --timeout 600 "$@"

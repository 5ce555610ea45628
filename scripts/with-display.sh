#!/usr/bin/env bash
# Runs a command on the current display, or on a virtual one with Mesa's software renderer when
# there is none.
set -euo pipefail
if [ -n "${DISPLAY:-}" ]; then
    exec "$@"
fi
export LIBGL_ALWAYS_SOFTWARE=1
exec xvfb-run -a -s "-noreset -screen 0 1920x1200x24" "$@"

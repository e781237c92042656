#!/usr/bin/env bash
# Starts the program under Xvfb and saves a PNG screenshot of its window.
#   screenshot.sh [OUTPUT.png]   (default docs/window.png)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$root/docs/window.png}")"
VELMORA_EXTRA_PACKAGES="xvfb xauth imagemagick fonts-dejavu-core" "$root/scripts/install-deps.sh"
"$root/scripts/build.sh" >/dev/null
# The screen is the window's size: the window opens centred, so it fills the picture.
xvfb-run -a -s "-screen 0 964x566x24" bash -c '
    "$1" & program=$!
    sleep 3
    import -window root "$2"
    kill $program' _ "$root/build/src/app/velmora" "$out"
echo "Saved $out"

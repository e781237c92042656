#!/usr/bin/env bash
# Installs what is missing, builds (release), starts a local demo store and opens the window
# with a connection profile "Demo store" for it. The demo store stops when the window closes.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" >/dev/null

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && "${QT_QPA_PLATFORM:-}" != offscreen ]]; then
    echo "No display found (DISPLAY and WAYLAND_DISPLAY are not set): the program needs a graphical desktop." >&2
    exit 1
fi

demo="$root/build/demo-store"
program="$root/build/src/app/velmora"
cleanup() { bash "$root/scripts/demo-store.sh" stop "$demo" >/dev/null 2>&1 || true; }
trap cleanup EXIT
trap 'exit 130' INT TERM
bash "$root/scripts/demo-store.sh" start "$demo"
bash "$root/scripts/set-demo-profile.sh" "$(dirname "$program")/SetVelmora.ini" "$demo/connection.ini"
"$program"

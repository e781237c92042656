#!/usr/bin/env bash
# Installs what is missing, builds (release), starts the local demo store (made on the first run,
# kept in build/demo-store) and opens the window; the settings get an up-to-date profile "Demo store"
# (other profiles stay as they are). The demo server stops when the window closes. VELMORA_DEMO_PORT sets its port (33306).
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
cleanup() { bash "$root/scripts/demo-store.sh" down "$demo" >/dev/null 2>&1 || true; }
trap cleanup EXIT
trap 'exit 130' INT TERM
VELMORA_DB_PORT="${VELMORA_DEMO_PORT:-33306}" bash "$root/scripts/demo-store.sh" up "$demo"
settings="$(dirname "$program")/SetVelmora.ini"
bash "$root/scripts/set-demo-profile.sh" "$settings" "$demo/connection.ini"
"$program"

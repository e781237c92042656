#!/usr/bin/env bash
# Runs a command in a D-Bus session of its own, beside a GNOME keyring of its own that keeps
# its files in a throwaway folder; both end with the command.
set -euo pipefail
if [[ "${1:-}" != --inside ]]; then
    exec dbus-run-session -- bash "$0" --inside "$@"
fi
shift
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/run"
# The keyring, also when the bus starts it on demand, uses the throwaway folder only; the
# command keeps the folders it was given.
keyring_env=(XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/run")
dbus-update-activation-environment "${keyring_env[@]}"
# A keyring made with an empty password would ask the desktop to confirm; there is none here.
printf 'velmora-test' | env "${keyring_env[@]}" gnome-keyring-daemon --unlock --components=secrets >/dev/null
"$@"

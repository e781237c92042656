#!/usr/bin/env bash
# Installs the Debian packages that building and running need, with --for-tests also those
# only the tests use (servers they start for themselves); skips what is there.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qt6-base-dev libgl-dev
    libmariadb-dev mariadb-server mariadb-client
    libuchardet-dev zlib1g-dev
    fonts-dejavu-core
    desktop-file-utils appstream locales
    openssl openssh-client
    qtkeychain-qt6-dev libsecret-1-0
)
# The tests start their own SSH server and desktop keyring; a machine that only runs the
# program needs neither.
[[ "${1:-}" == --for-tests ]] && packages+=(openssh-server gnome-keyring dbus-daemon dbus-bin)
[[ "${VELMORA_EXTRA_PACKAGES:-}" ]] && read -r -a extra <<<"$VELMORA_EXTRA_PACKAGES" && packages+=("${extra[@]}")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

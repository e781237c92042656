#!/usr/bin/env bash
# Runs the suite built in build/ once more under German regional settings, whose decimal mark
# is a comma, so that no test and no code quietly depends on the decimal point.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if ! locale -a | grep -qix 'de_DE.utf-\?8'; then
    sudo_cmd=()
    [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
cd "$root/build"
LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 "$@"

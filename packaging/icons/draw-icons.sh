#!/usr/bin/env bash
# Draws the program's icon in the sizes of the hicolor theme into this folder
# (ICONID-SIZE.png). Run it again after changing DrawIcon.cpp and commit the pictures.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
id="${1:-org.velmora.Velmora}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# shellcheck disable=SC2046  # pkg-config's flags are meant to split
g++ -std=c++20 -fPIC -O1 -o "$work/DrawIcon" "$here/DrawIcon.cpp" $(pkg-config --cflags --libs Qt6Gui)
for size in 16 24 32 48 64 128 256; do
    "$work/DrawIcon" "$size" "$here/$id-$size.png"
done

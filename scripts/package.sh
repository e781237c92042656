#!/usr/bin/env bash
# Installs what is missing, builds (release) and makes the Debian package build/velmora_VERSION_ARCH.deb.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" >/dev/null
cd "$root/build"
# CPack names what it made: "CPack: - package: PATH generated."
cpack -G DEB | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p'

#!/usr/bin/env bash
# Checks that every C++ source of the repository is laid out as .clang-format says; lists the
# files that are not and fails. `git ls-files '*.cpp' '*.h' | xargs clang-format -i` lays them out.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
VELMORA_EXTRA_PACKAGES="clang-format" "$root/scripts/install-deps.sh"
cd "$root"
unformatted=()
while IFS= read -r file; do
    clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done < <(git ls-files '*.cpp' '*.h')
if ((${#unformatted[@]})); then
    printf 'not laid out as .clang-format says:\n' >&2
    printf '  %s\n' "${unformatted[@]}" >&2
    exit 1
fi
echo "every source file is laid out as .clang-format says"

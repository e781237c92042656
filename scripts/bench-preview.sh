#!/usr/bin/env bash
# The review before the question (preview, slug check, undo script) of a script that changes
# every product of a demo store (100,000 products), beside one plain read of the same rows.
#   bench-preview.sh [PRODUCTS] [BRANDS]
set -euo pipefail
source "$(dirname "$0")/bench-setup.sh" bench_preview "$@"
mkdir "$work/scripts"
"$bench" "$ini" "$work/scripts"

#!/usr/bin/env bash
# Builds the statement splitter's libFuzzer target with clang and runs it for a bounded time.
#   fuzz-statement-splitter.sh [seconds]   (default 60)
# Needs clang and libclang-rt-14-dev. The corpus grows in build-fuzz/corpus; a failing
# input is written to build-fuzz/ and the script exits non-zero.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
build="$root/build-fuzz"

command -v clang++ >/dev/null || { echo "clang++ not found: apt-get install clang libclang-rt-14-dev" >&2; exit 2; }
cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel 2
mkdir -p "$build/corpus"
"$build/statement_splitter_fuzz" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -dict="$root/fuzz/statement-splitter.dict" -artifact_prefix="$build/" \
    "$build/corpus" "$root/fuzz/seeds"

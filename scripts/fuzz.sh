#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs one of them for a bounded time.
#   fuzz.sh TARGET [SECONDS]   (default 60)
#   TARGET: csv, xlsx, ods, zip, ini or statement-splitter
# Needs clang and libclang-rt-14-dev. The corpus grows in build-fuzz/corpus/TARGET, starting
# from fuzz/seeds/TARGET with the dictionary fuzz/TARGET.dict; a failing input is written to
# build-fuzz/ and the script exits non-zero.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
target="${1:?usage: fuzz.sh TARGET [SECONDS]}"
seconds="${2:-60}"
build="$root/build-fuzz"

[ -d "$root/fuzz/seeds/$target" ] || { echo "unknown target $target: see fuzz/seeds" >&2; exit 2; }
command -v clang++ >/dev/null || { echo "clang++ not found: apt-get install clang libclang-rt-14-dev" >&2; exit 2; }
cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target "${target}_fuzz" --parallel 2
mkdir -p "$build/corpus/$target"
# Qt looks for no display, and the readers' own limits keep memory below libFuzzer's. A
# quarantine of 64 MB (not 256) still holds far more freed memory than an input of 64 KiB
# frees, and spares the page faults of recycling the larger one: twice the inputs a second.
ASAN_OPTIONS="quarantine_size_mb=64${ASAN_OPTIONS:+:$ASAN_OPTIONS}" QT_QPA_PLATFORM=offscreen "$build/${target}_fuzz" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
    -timeout=30 -print_final_stats=1 -dict="$root/fuzz/$target.dict" -artifact_prefix="$build/$target-" \
    "$build/corpus/$target" "$root/fuzz/seeds/$target"

#!/usr/bin/env bash
# The price export of a demo store (100,000 products in 40 brands) through the real window,
# against the mariadb client running the same 40 brand queries in batch mode into a file,
# both on one server in one run. Prints both times, their ratio and the window's peak memory.
#   bench-export.sh [PRODUCTS] [BRANDS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
products="${1:-100000}"
brands="${2:-40}"
build="$root/build-bench"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_BENCH=ON -DVELMORA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target bench_export -j2 >/dev/null
bench="$build/bench/bench_export"

work="$(mktemp -d)"
cleanup() {
    bash "$root/scripts/demo-store.sh" stop "$work/store" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
bash "$root/scripts/demo-store.sh" start "$work/store" "$products" "$brands"

conf() { sed -n "s/^$1=//p" "$work/store/connection.ini"; }
client=(mariadb --no-defaults --default-character-set=utf8mb4 --batch -h127.0.0.1 -P"$(conf port)"
        -u"$(conf user)" -p"$(conf password)" "$(conf database)")
export QT_QPA_PLATFORM=offscreen

"$bench" queries "$work/store/connection.ini" "$work/queries.sql"
# One untimed pass, so that neither side pays for a cold buffer pool.
"${client[@]}" <"$work/queries.sql" >/dev/null

mkdir "$work/out"
"$bench" export "$work/store/connection.ini" "$work/out" | tee "$work/window.txt"

TIMEFORMAT='%R %U %S'
{ time "${client[@]}" <"$work/queries.sql" >"$work/client.tsv"; } 2>"$work/client.time"
read -r client_seconds client_user client_sys <"$work/client.time"
client_rows=$(($(wc -l <"$work/client.tsv") - $(grep -c '^SELECT' "$work/queries.sql")))
window_seconds="$(sed -n 's/^window_seconds=//p' "$work/window.txt")"

echo "client_seconds=$client_seconds"
echo "client_cpu_seconds=$(awk -v u="$client_user" -v s="$client_sys" 'BEGIN { printf "%.3f", u + s }')"
echo "client_rows=$client_rows"
echo "ratio=$(awk -v w="$window_seconds" -v c="$client_seconds" 'BEGIN { printf "%.2f", w / c }')"

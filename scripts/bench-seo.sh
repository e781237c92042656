#!/usr/bin/env bash
# SEO export benchmark: a demo store of 100,000 products with about three categories each,
# the export of every brand with every column through the window on the offscreen platform,
# and beside it the mariadb client running the same product and category statements in
# batch mode. Prints the times, the rows per second, the peak memory and the ratio.
#   bench-seo.sh [PRODUCTS] [BRANDS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
products="${1:-100000}"
brands="${2:-40}"

cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_BENCH=ON >/dev/null
cmake --build "$root/build" --target bench_seo -j2 >/dev/null

work="$(mktemp -d)"
trap 'bash "$root/scripts/demo-store.sh" stop "$work/store" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
mkdir "$work/out" "$work/tmp"
# The server's temporary tables stay in its own folder, away from other servers on the machine.
TMPDIR="$work/tmp" bash "$root/scripts/demo-store.sh" start "$work/store" "$products" "$brands"

QT_QPA_PLATFORM=offscreen "$root/build/bench/bench_seo" "$work/store/connection.ini" "$work/out" \
    "$work/client.sql" >"$work/window.txt"
grep -v '^seconds=' "$work/window.txt"
window_seconds="$(sed -n 's/^seconds=//p' "$work/window.txt")"

conf() { sed -n "s/^$1=//p" "$work/store/connection.ini"; }
statements="$(grep -c ';$' "$work/client.sql")"
/usr/bin/time -f '%e %M' -o "$work/client-time.txt" \
    mariadb --no-defaults --batch --default-character-set=utf8mb4 -h127.0.0.1 -P"$(conf port)" \
    -u"$(conf user)" -p"$(conf password)" "$(conf database)" <"$work/client.sql" >"$work/client.tsv"
read -r client_seconds client_kb <"$work/client-time.txt"
echo "mariadb client, the same $statements statements in batch mode: $client_seconds s, peak memory $client_kb kB"
awk -v w="$window_seconds" -v c="$client_seconds" \
    'BEGIN { if (c > 0) printf "window / client time: %.2f\n", w / c; else print "window / client time: client too fast to measure" }'

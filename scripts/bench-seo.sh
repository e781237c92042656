#!/usr/bin/env bash
# SEO export benchmark: a demo store of 100,000 products with about three categories each,
# the export of every brand with every column through the window on the offscreen platform,
# and beside it the mariadb client running the same product and category statements in
# batch mode. Prints the times, the rows per second, the peak memory and the ratio.
#   bench-seo.sh [PRODUCTS] [BRANDS]
set -euo pipefail
source "$(dirname "$0")/bench-setup.sh" bench_seo "$@"
mkdir "$work/out"

"$bench" "$ini" "$work/out" "$work/client.sql" >"$work/window.txt"
grep -v '^seconds=' "$work/window.txt"
window_seconds="$(sed -n 's/^seconds=//p' "$work/window.txt")"

statements="$(grep -c ';$' "$work/client.sql")"
/usr/bin/time -f '%e %M' -o "$work/client-time.txt" \
    mariadb --no-defaults --batch --default-character-set=utf8mb4 -h127.0.0.1 -P"$(conf port)" \
    -u"$(conf user)" -p"$(conf password)" "$(conf database)" <"$work/client.sql" >"$work/client.tsv"
read -r client_seconds client_kb <"$work/client-time.txt"
echo "mariadb client, the same $statements statements in batch mode: $client_seconds s, peak memory $client_kb kB"
awk -v w="$window_seconds" -v c="$client_seconds" \
    'BEGIN { if (c > 0) printf "window / client time: %.2f\n", w / c; else print "window / client time: client too fast to measure" }'

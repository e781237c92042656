#!/usr/bin/env bash
# The price export of a demo store (100,000 products in 40 brands) through the real window,
# against the mariadb client running the same 40 brand queries in batch mode into a file,
# both on one server in one run. Prints both times, their ratio and the window's peak memory.
#   bench-export.sh [PRODUCTS] [BRANDS]
set -euo pipefail
source "$(dirname "$0")/bench-setup.sh" bench_export "$@"

client=(mariadb --no-defaults --default-character-set=utf8mb4 --batch -h127.0.0.1 -P"$(conf port)"
        -u"$(conf user)" -p"$(conf password)" "$(conf database)")

"$bench" queries "$ini" "$work/queries.sql"
# One untimed pass, so that neither side pays for a cold buffer pool.
"${client[@]}" <"$work/queries.sql" >/dev/null

mkdir "$work/out"
"$bench" export "$ini" "$work/out" | tee "$work/window.txt"

TIMEFORMAT='%R %U %S'
{ time "${client[@]}" <"$work/queries.sql" >"$work/client.tsv"; } 2>"$work/client.time"
read -r client_seconds client_user client_sys <"$work/client.time"
client_rows=$(($(wc -l <"$work/client.tsv") - $(grep -c '^SELECT' "$work/queries.sql")))
window_seconds="$(sed -n 's/^window_seconds=//p' "$work/window.txt")"

echo "client_seconds=$client_seconds"
echo "client_cpu_seconds=$(awk -v u="$client_user" -v s="$client_sys" 'BEGIN { printf "%.3f", u + s }')"
echo "client_rows=$client_rows"
echo "ratio=$(awk -v w="$window_seconds" -v c="$client_seconds" 'BEGIN { printf "%.2f", w / c }')"

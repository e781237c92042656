#!/usr/bin/env bash
# The price export of a demo store (100,000 products in 40 brands) through the real window,
# against the mariadb client running the very brand statements the export sends, in batch
# mode into a file, on one server in interleaved rounds. Prints the figures of every run, their
# medians and the ratio of the median times.
#   bench-export.sh [PRODUCTS] [BRANDS] [--small-pool] [--engine InnoDB|MyISAM] [--vm-keys] [--rounds N]
set -euo pipefail
source "$(dirname "$0")/bench-setup.sh" bench_export "$@"

"$bench" queries "$ini" "$work/queries.sql"
brand_statements="$(grep -c '^SELECT' "$work/queries.sql")"

run_ours() {
    rm -rf "$work/out" && mkdir "$work/out"
    "$bench" export "$ini" "$work/out"
}
run_client() {
    client_run "$work/queries.sql" "$work/client.tsv" --batch
    echo "rows=$(($(wc -l <"$work/client.tsv") - brand_statements))"
}
bench_rounds

#!/usr/bin/env bash
# The SEO export of a demo store (100,000 products with about three categories each), every
# brand with every column of the store's texts, through the window, against the mariadb client
# running the very product and category statements the run sends, in batch mode, on one server
# in interleaved rounds. Prints the figures of every run, their medians and the ratio.
#   bench-seo.sh [PRODUCTS] [BRANDS] [--small-pool] [--engine InnoDB|MyISAM] [--vm-keys] [--rounds N]
set -euo pipefail
source "$(dirname "$0")/bench-setup.sh" bench_seo "$@"

"$bench" queries "$ini" "$work/client.sql"
echo "statements=$(grep -c ';$' "$work/client.sql")"

run_ours() {
    rm -rf "$work/out" && mkdir "$work/out"
    "$bench" export "$ini" "$work/out"
}
run_client() {
    client_run "$work/client.sql" "$work/client.tsv" --batch
}
bench_rounds

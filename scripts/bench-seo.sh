#!/usr/bin/env bash
# The SEO export of a demo store (100,000 products with about three categories each), every
# brand with every column of the store's texts, through the window: one statement for the
# products and one for their categories, against the same export as it ran with one statement
# per brand and one per product, on one server in interleaved rounds. Every run's files must be
# the same. Prints the figures of every run, their medians and the ratio (now to before).
#   bench-seo.sh [PRODUCTS] [BRANDS] [--small-pool] [--engine InnoDB|MyISAM] [--vm-keys] [--rounds N]
set -euo pipefail
source "$(dirname "$0")/bench-setup.sh" bench_seo "$@"
source "$(dirname "$0")/bench-export-rounds.sh"
export_rounds

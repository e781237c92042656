#!/usr/bin/env bash
# The price export of a demo store (100,000 products in 40 brands) through the real window, one
# statement for all brands, against the same export as it ran with one statement per brand, on
# one server in interleaved rounds. Every run's files must be the same. Prints the figures of
# every run, their medians and the ratio of the median times (now to before).
#   bench-export.sh [PRODUCTS] [BRANDS] [--small-pool] [--engine InnoDB|MyISAM] [--vm-keys] [--rounds N]
set -euo pipefail
source "$(dirname "$0")/bench-setup.sh" bench_export "$@"
source "$(dirname "$0")/bench-export-rounds.sh"
export_rounds

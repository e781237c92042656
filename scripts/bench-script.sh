#!/usr/bin/env bash
# The update script that the import makes from an edited price list of a demo store (100,000
# products: price, stock and publication statements), run by the window's manual start and by
# `mariadb --force` reading the same file, on one server in interleaved rounds, the touched
# tables restored and analyzed before every run and compared after it. Prints the figures of
# every run, their medians and the ratio.
#   bench-script.sh [PRODUCTS] [BRANDS] [--small-pool] [--engine InnoDB|MyISAM] [--vm-keys] [--rounds N]
set -euo pipefail
source "$(dirname "$0")/bench-setup.sh" bench_import "$@"
mkdir "$work/lists" "$work/creation"
"$bench" pricelist "$ini" "$work/lists/pricelist.csv"
"$bench" import "$ini" "$work/lists/pricelist.csv" "$work/creation" >/dev/null
script="$work/creation/ScriptForUpdatePrices.sql"
echo "statements=$(grep -c $'^WHERE .*;\r$' "$script") (and COMMIT)"

p="$(conf prefix)"
tables=("${p}virtuemart_products" "${p}virtuemart_product_prices")
for t in "${tables[@]}"; do
    "${client[@]}" -e "CREATE TABLE bench_$t LIKE $t; INSERT INTO bench_$t SELECT * FROM $t"
done
restore() {
    for t in "${tables[@]}"; do
        "${client[@]}" -e "TRUNCATE $t; INSERT INTO $t SELECT * FROM bench_$t"
    done
    analyze_tables
}
checksum() { "${client[@]}" -N -e "CHECKSUM TABLE ${tables[0]}, ${tables[1]}" | awk '{ printf "%s ", $2 }'; }
before="$(checksum)"
: >"$work/after"

run_ours() {
    restore
    rm -rf "$work/runner" && mkdir "$work/runner"
    "$bench" run "$ini" "$script" "$work/runner"
    checksum >>"$work/after" && echo >>"$work/after"
}
run_client() {
    restore
    client_run "$script" /dev/null --force
    echo "failed_statements=$(grep -c '^ERROR' "$work/client.err" || true)"
    checksum >>"$work/after" && echo >>"$work/after"
}
bench_rounds
[[ "$(sort -u "$work/after" | wc -l)" == 1 && "$(head -1 "$work/after")" != "$before" ]] && same=yes || same=no
echo "same_tables_after_every_run=$same"

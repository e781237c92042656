#!/usr/bin/env bash
# The update script that the import makes from an edited price list of a demo store (100,000
# products: price, stock and publication statements), run by the window's manual start as it is,
# many statements to a round trip committed in groups, and as it ran before, one statement per
# round trip each committing alone (the same script after a "SET autocommit = 1;", which makes
# the runner send every statement alone), on one server in interleaved rounds, the touched tables
# restored and analyzed before every run and compared after it. Prints the figures of every run,
# their medians and the ratio (now to before). Run it with --durable and without.
#   bench-script.sh [PRODUCTS] [BRANDS] [--small-pool] [--engine InnoDB|MyISAM] [--vm-keys] [--durable] [--rounds N]
set -euo pipefail
source "$(dirname "$0")/bench-setup.sh" bench_import "$@"
mkdir "$work/lists" "$work/creation"
"$bench" pricelist "$ini" "$work/lists/pricelist.csv"
"$bench" import "$ini" "$work/lists/pricelist.csv" "$work/creation" >/dev/null
script="$work/creation/ScriptForUpdatePrices.sql"
echo "statements=$(grep -c $'^WHERE .*;\r$' "$script") (and COMMIT)"
alone="$work/creation/alone.sql"
# After the script's byte-order mark, which the runner reads only at the start of the file.
{ printf '\xEF\xBB\xBFSET autocommit = 1;\r\n'; tail -c +4 "$script"; } >"$alone"
[[ "$(head -c 3 "$script" | od -An -tx1 | tr -d ' ')" == efbbbf ]] || { echo "the script has no byte-order mark" >&2; exit 1; }

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

run_now() {
    restore
    rm -rf "$work/runner" && mkdir "$work/runner"
    "$bench" run "$ini" "$script" "$work/runner"
    checksum >>"$work/after" && echo >>"$work/after"
}
run_before() {
    restore
    rm -rf "$work/runner" && mkdir "$work/runner"
    "$bench" run "$ini" "$alone" "$work/runner"
    checksum >>"$work/after" && echo >>"$work/after"
}
bench_rounds now before
[[ "$(sort -u "$work/after" | wc -l)" == 1 && "$(head -1 "$work/after")" != "$before" ]] && same=yes || same=no
echo "same_tables_after_every_run=$same"

#!/usr/bin/env bash
# The update script that the import makes from an edited price list of a demo store (100,000
# products: price, stock and publication statements), run by the window's manual start on the
# offscreen platform and by `mariadb --force` reading the same file, on the same server in one
# run, the touched tables restored between them. Prints both times and their ratio.
#   bench-script.sh [PRODUCTS] [BRANDS]
set -euo pipefail
source "$(dirname "$0")/bench-setup.sh" bench_import "$@"
mkdir "$work/lists"
"$bench" pricelist "$ini" "$work/lists/pricelist.csv"
client=(mariadb --no-defaults --default-character-set=utf8mb4 -h127.0.0.1 -P"$(conf port)"
        -u"$(conf user)" -p"$(conf password)" "$(conf database)")

mkdir "$work/creation" "$work/runner"
"$bench" import "$ini" "$work/lists/pricelist.csv" "$work/creation" >/dev/null
script="$work/creation/ScriptForUpdatePrices.sql"

p="$(conf prefix)"
tables=("${p}virtuemart_products" "${p}virtuemart_product_prices")
for t in "${tables[@]}"; do
    "${client[@]}" -e "CREATE TABLE bench_$t LIKE $t; INSERT INTO bench_$t SELECT * FROM $t"
done
restore() {
    for t in "${tables[@]}"; do
        "${client[@]}" -e "TRUNCATE $t; INSERT INTO $t SELECT * FROM bench_$t"
    done
}
checksum() { "${client[@]}" -N -e "CHECKSUM TABLE ${tables[0]}, ${tables[1]}" | awk '{ printf "%s ", $2 }'; }
before="$(checksum)"

# Two rounds, the runner first in one and the client first in the other, the tables restored
# before every run; the sums are compared.
run_window() {
    rm -rf "$work/runner" && mkdir "$work/runner"
    "$bench" run "$ini" "$script" "$work/runner" >"$work/runner.$1.txt"
    sed "s/^/round $1: /" "$work/runner.$1.txt"
    checksum >"$work/after.runner.$1"
}
run_client() {
    /usr/bin/time -f '%e' -o "$work/client.$1.txt" "${client[@]}" --force <"$script" >/dev/null 2>"$work/client.err"
    echo "round $1: client_seconds=$(cat "$work/client.$1.txt") client_failed_statements=$(grep -c '^ERROR' "$work/client.err" || true)"
    checksum >"$work/after.client.$1"
}
restore; run_window 1; restore; run_client 1
restore; run_client 2; restore; run_window 2

sum() { awk '{ s += $1 } END { printf "%.3f", s }'; }
runner_seconds="$(sed -n 's/^runner_seconds=//p' "$work"/runner.?.txt | sum)"
client_seconds="$(cat "$work"/client.?.txt | sum)"
echo "statements=$(grep -c $'^WHERE .*;\r$' "$script") (and COMMIT)"
echo "runner_seconds_both_rounds=$runner_seconds"
echo "client_seconds_both_rounds=$client_seconds"
echo "ratio=$(awk -v r="$runner_seconds" -v c="$client_seconds" 'BEGIN { printf "%.3f", r / c }')"
[[ "$(cat "$work"/after.* | sort -u | wc -l)" == 1 && "$(cat "$work/after.runner.1")" != "$before" ]] && same=yes || same=no
echo "same_tables_after_every_run=$same"

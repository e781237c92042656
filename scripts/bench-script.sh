#!/usr/bin/env bash
# The update script that the import makes from an edited price list of a demo store (100,000
# products: price, stock and publication statements), run by the window's manual start on the
# offscreen platform and by `mariadb --force` reading the same file, on the same server in one
# run, the touched tables restored between them. Prints both times and their ratio.
#   bench-script.sh [PRODUCTS] [BRANDS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
products="${1:-100000}"
brands="${2:-40}"
build="$root/build-bench"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_BENCH=ON -DVELMORA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target bench_import -j2 >/dev/null
bench="$build/bench/bench_import"

work="$(mktemp -d)"
cleanup() {
    bash "$root/scripts/demo-store.sh" stop "$work/store" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
bash "$root/scripts/demo-store.sh" start "$work/store" "$products" "$brands"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
ini="$work/store/connection.ini"
conf() { sed -n "s/^$1=//p" "$ini"; }
client=(mariadb --no-defaults --default-character-set=utf8mb4 -h127.0.0.1 -P"$(conf port)"
        -u"$(conf user)" -p"$(conf password)" "$(conf database)")

mkdir "$work/lists" "$work/creation" "$work/runner"
"$bench" pricelist "$ini" "$work/lists/pricelist.csv"
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

"$bench" run "$ini" "$script" "$work/runner" | tee "$work/runner.txt"
after_runner="$(checksum)"
restore

TIMEFORMAT='%R'
{ time "${client[@]}" --force <"$script" >/dev/null 2>"$work/client.err"; } 2>"$work/client.time"
after_client="$(checksum)"
client_seconds="$(cat "$work/client.time")"
runner_seconds="$(sed -n 's/^runner_seconds=//p' "$work/runner.txt")"

echo "statements=$(grep -c $'^WHERE .*;\r$' "$script") (and COMMIT)"
echo "client_seconds=$client_seconds"
echo "client_failed_statements=$(grep -c '^ERROR' "$work/client.err" || true)"
echo "ratio=$(awk -v r="$runner_seconds" -v c="$client_seconds" 'BEGIN { printf "%.3f", r / c }')"
[[ "$after_runner" == "$after_client" && "$after_runner" != "$before" ]] && same=yes || same=no
echo "same_tables_after_both=$same"

#!/usr/bin/env bash
# Script creation from a 100,000-row price list of a demo store, as CSV and as xlsx, through
# the real window (from "  Start creation script" to the closing question), beside LibreOffice's
# headless conversion of the same xlsx to CSV, all in one run. Prints times, ratios and peak memory.
#   bench-import.sh [PRODUCTS] [BRANDS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
products="${1:-100000}"
brands="${2:-40}"
build="$root/build-bench"

VELMORA_EXTRA_PACKAGES="libreoffice-calc-nogui" bash "$root/scripts/install-deps.sh"
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
export QT_QPA_PLATFORM=offscreen

mkdir "$work/lists" "$work/converted" "$work/csv" "$work/xlsx"
"$bench" pricelist "$work/store/connection.ini" "$work/lists/pricelist.csv"
# The CSV as a spreadsheet program saves it after editing: ";" separated, quoted text, UTF-8.
# This first start of LibreOffice also sets up its profile, so the timed one below finds it ready.
office=(soffice --headless "-env:UserInstallation=file://$work/office-profile")
"${office[@]}" --infilter="CSV:59,34,76,1" --convert-to xlsx --outdir "$work/lists" "$work/lists/pricelist.csv" >/dev/null 2>&1
[[ -s "$work/lists/pricelist.xlsx" ]] || { echo "LibreOffice made no xlsx" >&2; exit 1; }

"$bench" import "$work/store/connection.ini" "$work/lists/pricelist.csv" "$work/csv" | sed 's/^import_/csv_/' | tee "$work/csv.txt"
"$bench" import "$work/store/connection.ini" "$work/lists/pricelist.xlsx" "$work/xlsx" | sed 's/^import_/xlsx_/' | tee "$work/xlsx.txt"

TIMEFORMAT='%R'
{ time "${office[@]}" --convert-to 'csv:Text - txt - csv (StarCalc):59,34,76,1' --outdir "$work/converted" \
    "$work/lists/pricelist.xlsx" >/dev/null 2>&1; } 2>"$work/office.time"
[[ -s "$work/converted/pricelist.csv" ]] || { echo "LibreOffice made no CSV" >&2; exit 1; }
office_seconds="$(cat "$work/office.time")"

value() { sed -n "s/^$2=//p" "$work/$1.txt"; }
echo "list_rows=$(($(wc -l <"$work/lists/pricelist.csv") - 1))"
echo "office_xlsx_to_csv_seconds=$office_seconds"
for kind in csv xlsx; do
    echo "${kind}_speedup=$(awk -v o="$office_seconds" -v s="$(value "$kind" "${kind}_seconds")" 'BEGIN { printf "%.1f", o / s }')"
done
cmp -s "$work/csv/ScriptForUpdatePrices.sql" "$work/xlsx/ScriptForUpdatePrices.sql" && same=yes || same=no
echo "same_script_from_both=$same"

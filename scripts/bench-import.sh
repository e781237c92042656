#!/usr/bin/env bash
# Script creation from a 100,000-row price list of a demo store, as CSV and as xlsx, through
# the real window (from "  Start creation script" to the closing question, the review included),
# and alone to the finished script with the memory it took above the idle program, beside
# LibreOffice's headless conversion of the same xlsx to CSV, all in one run. Prints times, ratios
# and peak memory.
#   bench-import.sh [PRODUCTS] [BRANDS]
set -euo pipefail
BENCH_PACKAGES="libreoffice-calc-nogui" source "$(dirname "$0")/bench-setup.sh" bench_import "$@"
mkdir "$work/lists"
"$bench" pricelist "$ini" "$work/lists/pricelist.csv"

# The same list as xlsx, the CSV read as ";" separated with quoted text in UTF-8. This first
# start of LibreOffice also sets up its profile, so that the timed ones below find it ready.
office=(soffice --headless "-env:UserInstallation=file://$work/office-profile")
"${office[@]}" --infilter="CSV:59,34,76,1" --convert-to xlsx --outdir "$work/lists" "$work/lists/pricelist.csv" >/dev/null 2>&1
[[ -s "$work/lists/pricelist.xlsx" ]] || { echo "LibreOffice made no xlsx" >&2; exit 1; }

# Three rounds, each file once and the conversion once, so that a busy moment of the shared
# machine does not decide the figures: the medians are compared.
for round in 1 2 3; do
    for kind in csv xlsx; do
        rm -rf "$work/$kind" && mkdir "$work/$kind"
        "$bench" import "$ini" "$work/lists/pricelist.$kind" "$work/$kind" >"$work/$kind.$round.txt"
        sed "s/^import_/${kind}_/; s/^/round $round: /" "$work/$kind.$round.txt"
        rm -rf "$work/$kind" && mkdir "$work/$kind"
        "$bench" create "$ini" "$work/lists/pricelist.$kind" "$work/$kind" >"$work/$kind-create.$round.txt"
        sed "s/^create_/${kind}_create_/; s/^/round $round: /" "$work/$kind-create.$round.txt"
    done
    rm -rf "$work/converted" && mkdir "$work/converted"
    /usr/bin/time -f '%e %M' -o "$work/office.$round.txt" "${office[@]}" \
        --convert-to 'csv:Text - txt - csv (StarCalc):59,34,76,1' --outdir "$work/converted" \
        "$work/lists/pricelist.xlsx" >/dev/null 2>&1
    [[ -s "$work/converted/pricelist.csv" ]] || { echo "LibreOffice made no CSV" >&2; exit 1; }
    read -r office_round office_memory <"$work/office.$round.txt"
    echo "round $round: office_xlsx_to_csv_seconds=$office_round office_peak_memory=$office_memory kB"
done

median() { sort -n | sed -n 2p; }
seconds() { for round in 1 2 3; do sed -n 's/^import_seconds=//p' "$work/$1.$round.txt"; done | median; }
create_seconds() { for round in 1 2 3; do sed -n 's/^create_seconds=//p' "$work/$1-create.$round.txt"; done | median; }
office_seconds="$(cut -d' ' -f1 "$work"/office.?.txt | median)"
echo "list_rows=$(($(wc -l <"$work/lists/pricelist.csv") - 1))"
echo "statements=$(sed -n 's/^import_statements=//p' "$work/csv.1.txt")"
echo "office_xlsx_to_csv_seconds_median=$office_seconds"
for kind in csv xlsx; do
    s="$(seconds "$kind")"
    echo "${kind}_seconds_median=$s"
    echo "${kind}_peak_memory=$(sed -n 's/^import_peak_memory=//p' "$work/$kind.1.txt")"
    echo "${kind}_to_the_finished_script_seconds_median=$(create_seconds "$kind")"
    echo "${kind}_to_the_finished_script_memory_above_idle=$(sed -n 's/^create_peak_above_idle_memory=//p' "$work/$kind-create.1.txt")"
    echo "${kind}_times_faster_than_office=$(awk -v o="$office_seconds" -v s="$s" 'BEGIN { printf "%.1f", o / s }')"
done
cmp -s "$work/csv/ScriptForUpdatePrices.sql" "$work/xlsx/ScriptForUpdatePrices.sql" && same=yes || same=no
echo "same_script_from_both=$same"

# The same list matched by its trade numbers (and brands) instead of IDPART, three rounds.
for round in 1 2 3; do
    rm -rf "$work/match" && mkdir "$work/match"
    "$bench" match "$ini" "$work/lists/pricelist.csv" "$work/match" | sed "s/^/round $round: /"
done

#!/usr/bin/env bash
# Writes pricelist.xlsx, pricelist.ods and pricelist.xls from pricelist.csv with LibreOffice,
# so the import is tested on the same rows as an office suite saves them.
set -euo pipefail
cd "$(dirname "$0")"
profile="$(mktemp -d)"
trap 'rm -rf "$profile"' EXIT
for format in xlsx ods xls; do
    soffice --headless "-env:UserInstallation=file://$profile" --infilter="CSV:59,34,76,1" \
        --convert-to "$format" --outdir . pricelist.csv
done

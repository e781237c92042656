#!/usr/bin/env bash
# Writes sample.ods, sample.xlsx and sample.xls from sample.fods with LibreOffice, so that
# the readers are tested on files as an office suite saves them.
set -euo pipefail
cd "$(dirname "$0")"
profile="$(mktemp -d)"
trap 'rm -rf "$profile"' EXIT
for format in ods xlsx xls; do
    soffice --headless "-env:UserInstallation=file://$profile" --convert-to "$format" --outdir . sample.fods
done

#!/usr/bin/env bash
# Writes the connection profile "Demo store" into a settings file (replacing an older one of that name).
#   set-demo-profile.sh SETTINGS_FILE CONNECTION_INI
set -euo pipefail
ini="$1"
conf() { sed -n "s/^$1=//p" "$2"; }
name="Demo store"
touch "$ini"
# Drop the old profile section, keep everything else.
awk -v sec="[SetConnectionFor{$name}]" '
    /^\[/ { skip = ($0 == sec) }
    !skip { print }' "$ini" >"$ini.tmp"
if ! grep -q '^\[SetConnection\]' "$ini.tmp"; then
    printf '[SetConnection]\r\nNameOfConnection=\r\n' >>"$ini.tmp"
fi
if ! grep -q "\[$name\]" "$ini.tmp"; then
    awk -v entry="[$name]" '
        /^\[/ { in_list = ($0 ~ /^\[SetConnection\]/) }
        in_list && /^NameOfConnection=/ { sub(/\r?$/, ""); $0 = $0 entry "\r" }
        { print }' "$ini.tmp" >"$ini.tmp2" && mv "$ini.tmp2" "$ini.tmp"
fi
{
    printf '[SetConnectionFor{%s}]\r\n' "$name"
    printf 'NameOfConnection=%s\r\nTypeStore=0\r\nServer=%s\r\nPort=%s\r\nDatabase=%s\r\n' \
        "$name" "$(conf host "$2")" "$(conf port "$2")" "$(conf database "$2")"
    printf 'PrefixTable=%s\r\nUserName=%s\r\nPassword=%s\r\n' \
        "$(conf prefix "$2")" "$(conf user "$2")" "$(conf password "$2")"
} >>"$ini.tmp"
mv "$ini.tmp" "$ini"

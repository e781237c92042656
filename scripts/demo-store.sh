#!/usr/bin/env bash
# A local demo store: a MariaDB server on 127.0.0.1 with a VirtueMart 2.0 catalogue.
#   demo-store.sh start DIR [PRODUCTS] [BRANDS]  - server in DIR, database velmora_demo, prefix jos_,
#                                                  language en_gb; DIR/connection.ini tells how to connect
#   demo-store.sh up DIR                        - the same, but reuses the store that an earlier up left in DIR
#   demo-store.sh down DIR                      - stops the server and keeps the store for the next up
#   demo-store.sh stop DIR                      - stops the server and removes the store
# VELMORA_DEMO_ENGINE makes the tables MyISAM instead of InnoDB; VELMORA_DEMO_KEYS=vm gives the
# link tables VirtueMart 2.0's own keys (demo/vm-keys.sql) instead of the demo's.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
action="$1"
dir="$2"
products="${3:-2000}"
brands="${4:-40}"
database=velmora_demo
prefix=jos_
language=en_gb
engine="${VELMORA_DEMO_ENGINE:-InnoDB}"
keys=()
[[ "${VELMORA_DEMO_KEYS:-demo}" == vm ]] && keys=("$here/demo/vm-keys.sql")

describe() {
    printf 'database=%s\nprefix=%s\nlanguage=%s\n' "$database" "$prefix" "$language" >>"$dir/connection.ini"
}

case "$action" in
up)
    if [[ -d "$dir/data/$database" ]]; then
        bash "$here/test-mariadb.sh" resume "$dir"
        describe
        echo "Demo store on 127.0.0.1:$(sed -n 's/^port=//p' "$dir/connection.ini")"
    else
        "$0" start "$dir" "$products" "$brands"
    fi
    ;;
down)
    bash "$here/test-mariadb.sh" stop-keep "$dir"
    ;;
start)
    bash "$here/test-mariadb.sh" start "$dir" >/dev/null
    conf() { sed -n "s/^$1=//p" "$dir/connection.ini"; }
    client=(mariadb --no-defaults --default-character-set=utf8mb4 -h127.0.0.1 -P"$(conf port)" -u"$(conf user)" -p"$(conf password)")
    "${client[@]}" -e "CREATE DATABASE $database CHARACTER SET utf8mb4"
    sed -e "s/@PREFIX@/$prefix/g" -e "s/@LANG@/$language/g" -e "s/@PRODUCTS@/$products/g" -e "s/@BRANDS@/$brands/g" \
        -e "s/ENGINE=InnoDB/ENGINE=$engine/" \
        "$here/demo/store-schema.sql" "$here/demo/store-data.sql" "${keys[@]}" | "${client[@]}" "$database"
    describe
    echo "Demo store with $products products in $brands brands ($engine, ${VELMORA_DEMO_KEYS:-demo} keys) on 127.0.0.1:$(conf port)"
    ;;
stop)
    bash "$here/test-mariadb.sh" stop "$dir"
    ;;
*)
    echo "usage: $0 start|up|down|stop DIR [PRODUCTS] [BRANDS]" >&2
    exit 2
    ;;
esac

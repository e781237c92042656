#!/usr/bin/env bash
# Starts or stops a throwaway MariaDB server for the tests.
#   test-mariadb.sh start DIR   - new data folder in DIR, server on 127.0.0.1 at a free port,
#                                 DIR/connection.ini tells host, port, user and password
#   test-mariadb.sh resume DIR  - starts the server again on the data folder a start left (kept by stop-keep)
#   test-mariadb.sh stop DIR    - stops it by its pid and removes the data folder
#   test-mariadb.sh stop-keep DIR - stops it and keeps the data
# VELMORA_DB_PORT asks for a fixed port instead of a free one; VELMORA_DB_POOL sets the InnoDB
# buffer pool (64M unless given). VELMORA_DB_FORCED_CHARSET (say gbk) makes the server impose that
# character set on every connection, whatever the client asks for. VELMORA_DB_TLS (a folder with
# ca.pem, server.pem and server.key) makes it take encrypted connections only, with that certificate.
set -euo pipefail
export PATH="$PATH:/usr/sbin:/sbin"
action="$1"
dir="$(mkdir -p "$2" && cd "$2" && pwd)"
user=velmora_test
password='Test-Pa55'

port_free() { ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

stop_server() {
    [[ -f "$dir/pid" ]] || return 0
    local pid; pid="$(cat "$dir/pid")"
    kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 1 200); do
        [[ -e "/proc/$pid" ]] || break
        [[ "$(awk '{print $3}' "/proc/$pid/stat" 2>/dev/null)" == Z ]] && break
        sleep 0.05
    done
    rm -f "$dir/pid"
}

charset_options=(--character-set-server=utf8mb4 --collation-server=utf8mb4_general_ci)
[[ -n "${VELMORA_DB_FORCED_CHARSET:-}" ]] &&
    charset_options=(--character-set-server="$VELMORA_DB_FORCED_CHARSET" --skip-character-set-client-handshake)

tls_options=()
[[ -n "${VELMORA_DB_TLS:-}" ]] &&
    tls_options=(--ssl-ca="$VELMORA_DB_TLS/ca.pem" --ssl-cert="$VELMORA_DB_TLS/server.pem"
                 --ssl-key="$VELMORA_DB_TLS/server.key" --require-secure-transport=ON)

start_server() {
    for attempt in $(seq 1 20); do
        port="${VELMORA_DB_PORT:-$((20000 + RANDOM % 20000))}"
        if ! port_free "$port"; then
            [[ -n "${VELMORA_DB_PORT:-}" ]] && { echo "Port $port on 127.0.0.1 is in use" >&2; exit 1; }
            continue
        fi
        mariadbd --no-defaults --datadir="$dir/data" --user=root --bind-address=127.0.0.1 --port="$port" \
            --socket="$dir/sock" --pid-file="$dir/pid" --skip-name-resolve --skip-log-bin \
            "${charset_options[@]}" "${tls_options[@]}" \
            --innodb-log-file-size=8M --innodb-buffer-pool-size="${VELMORA_DB_POOL:-64M}" --innodb-flush-log-at-trx-commit="${VELMORA_DB_FLUSH:-2}" \
            --innodb-doublewrite=0 --performance-schema=OFF </dev/null >"$dir/server.log" 2>&1 &
        for _ in $(seq 1 100); do
            mariadb-admin --no-defaults --socket="$dir/sock" -uroot ping >/dev/null 2>&1 && break 2
            kill -0 $! 2>/dev/null || break
            sleep 0.1
        done
    done
    mariadb-admin --no-defaults --socket="$dir/sock" -uroot ping >/dev/null
}

write_connection_file() {
    printf '[server]\nhost=127.0.0.1\nport=%s\nuser=%s\npassword=%s\nsocket=%s\n' \
        "$port" "$user" "$password" "$dir/sock" >"$dir/connection.ini"
}

case "$action" in
start)
    stop_server
    rm -rf "$dir/data"
    mkdir -p "$dir/data"
    mariadb-install-db --no-defaults --datadir="$dir/data" --user=root \
        --auth-root-authentication-method=normal --skip-test-db >"$dir/install.log" 2>&1
    start_server
    mariadb --no-defaults --socket="$dir/sock" -uroot <<SQL
CREATE USER '$user'@'127.0.0.1' IDENTIFIED BY '$password';
GRANT ALL PRIVILEGES ON *.* TO '$user'@'127.0.0.1';
DELETE FROM mysql.global_priv WHERE User='root' AND Host<>'localhost';
FLUSH PRIVILEGES;
SQL
    write_connection_file
    echo "MariaDB test server on 127.0.0.1:$port"
    ;;
resume)
    stop_server
    start_server
    write_connection_file
    ;;
stop)
    stop_server
    rm -rf "$dir/data" "$dir/connection.ini"
    ;;
stop-keep)
    stop_server
    ;;
*)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac

# The start that the benchmarks share, sourced by them with TARGET and the script's arguments:
#   [PRODUCTS] [BRANDS] [--small-pool] [--engine InnoDB|MyISAM] [--vm-keys] [--durable] [--rounds N]
# installs what they need (extra Debian packages in BENCH_PACKAGES), builds the bench program
# TARGET, and starts a demo store of PRODUCTS products in BRANDS brands (100,000 in 40) in a
# fresh work folder, removed on exit. The server's buffer pool holds the whole store unless
# --small-pool keeps it at 64 MB (the disk-bound case); --vm-keys gives the link tables
# VirtueMart 2.0's own keys; --durable makes the server flush its log at every commit (the
# server's default and the usual setting on hosting) rather than once a second. Every table is analyzed after the load.
# Sets root, bench, work, ini, rounds, client (the mariadb command) and conf KEY; defines
# analyze_tables, client_run, record and bench_rounds (see below).
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-bench"

target="$1"
shift
pool=2G
engine=InnoDB
keys=demo
flush=2
rounds=5
sizes=()
while (($#)); do
    case "$1" in
    --small-pool) pool=64M ;;
    --engine) engine="$2"; shift ;;
    --vm-keys) keys=vm ;;
    --durable) flush=1 ;;
    --rounds) rounds="$2"; shift ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) sizes+=("$1") ;;
    esac
    shift
done
[[ "$engine" == InnoDB || "$engine" == MyISAM ]] || { echo "--engine takes InnoDB or MyISAM" >&2; exit 2; }

VELMORA_EXTRA_PACKAGES="time ${BENCH_PACKAGES:-}" bash "$root/scripts/install-deps.sh"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_BENCH=ON -DVELMORA_BUILD_TESTS=OFF \
    "${launcher[@]}" >/dev/null
cmake --build "$build" --target "$target" -j2 >/dev/null
bench="$build/bench/$target"

work="$(mktemp -d)"
cleanup() {
    bash "$root/scripts/demo-store.sh" stop "$work/store" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
# The server's temporary tables stay in its own folder, away from other servers on the machine.
mkdir "$work/tmp"
TMPDIR="$work/tmp" VELMORA_DB_POOL="$pool" VELMORA_DB_FLUSH="$flush" VELMORA_DEMO_ENGINE="$engine" VELMORA_DEMO_KEYS="$keys" \
    bash "$root/scripts/demo-store.sh" start "$work/store" "${sizes[0]:-100000}" "${sizes[1]:-40}"
echo "buffer pool $pool, innodb_flush_log_at_trx_commit=$flush, $rounds rounds"
ini="$work/store/connection.ini"
conf() { sed -n "s/^$1=//p" "$ini"; }
client=(mariadb --no-defaults --default-character-set=utf8mb4 -h127.0.0.1 -P"$(conf port)"
        -u"$(conf user)" -p"$(conf password)" "$(conf database)")
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The bench programs read the server's processor time from /proc with this.
export BENCH_SERVER_PID="$(cat "$work/store/pid")"

# A table emptied and refilled keeps the statistics of the empty one until it is analyzed,
# which can give a plan many times slower: every load and restore is followed by this.
analyze_tables() {
    local tables
    tables="$("${client[@]}" -N -e "SHOW TABLES" | paste -sd,)"
    "${client[@]}" -e "ANALYZE TABLE $tables" >/dev/null
}
analyze_tables

server_cpu() { awk -v t="$(getconf CLK_TCK)" '{ printf "%.2f", ($14 + $15) / t }' "/proc/$BENCH_SERVER_PID/stat"; }

# client_run INPUT OUTPUT [MARIADB OPTIONS]: the mariadb client reads INPUT into OUTPUT; prints
# the run's figures as the bench programs do (seconds, cpu_seconds, server_cpu_seconds).
client_run() {
    local input="$1" output="$2" before after
    shift 2
    before="$(server_cpu)"
    local TIMEFORMAT='%3R %3U %3S'
    { time "${client[@]}" "$@" <"$input" >"$output" 2>"$work/client.err"; } 2>"$work/client.time" || true
    after="$(server_cpu)"
    read -r real user sys <"$work/client.time"
    echo "seconds=$real"
    awk -v u="$user" -v s="$sys" 'BEGIN { printf "cpu_seconds=%.3f\n", u + s }'
    awk -v a="$after" -v b="$before" 'BEGIN { printf "server_cpu_seconds=%.2f\n", a - b }'
}

# record SIDE ROUND: keeps the KEY=VALUE figures of one run (standard input) and prints them.
record() {
    local line
    local -a shown=()
    while IFS= read -r line; do
        [[ "$line" == *=* ]] || continue
        echo "$1 ${line%%=*} ${line#*=}" >>"$work/figures"
        shown+=("$line")
    done
    echo "round $2 $1: ${shown[*]}"
}

# bench_rounds [A B]: one untimed run of each side, then ROUNDS interleaved rounds (A, B, A, B ...)
# through the functions run_A and run_B that the script defines (each prints the KEY=VALUE
# figures of one run), then the median of every figure per side and the ratio of the median
# times, A's to B's. The sides are "ours" and "client" unless named.
bench_rounds() {
    local a="${1:-ours}" b="${2:-client}"
    "run_$a" warm-up >/dev/null
    "run_$b" warm-up >/dev/null
    : >"$work/figures"
    for round in $(seq 1 "$rounds"); do
        "run_$a" "$round" | record "$a" "$round"
        "run_$b" "$round" | record "$b" "$round"
    done
    awk -v a="$a" -v b="$b" '
        { values[$1 " " $2] = values[$1 " " $2] " " $3; if (!($2 in seen)) { seen[$2] = 1; keys[++n] = $2 } }
        function median(list,   v, k, i, j, t) {
            k = split(list, v, " ")
            for (i = 2; i <= k; ++i) for (j = i; j > 1 && v[j - 1] + 0 > v[j] + 0; --j) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
            return k % 2 ? v[(k + 1) / 2] : (v[k / 2] + v[k / 2 + 1]) / 2
        }
        END {
            for (i = 1; i <= n; ++i)
                for (side = 0; side < 2; ++side) {
                    name = side ? b : a
                    if ((name " " keys[i]) in values)
                        printf "%s_%s_median=%s\n", name, keys[i], median(values[name " " keys[i]])
                }
            o = median(values[a " seconds"]); c = median(values[b " seconds"])
            if (c > 0) printf "ratio=%.3f\n", o / c
        }' "$work/figures"
}

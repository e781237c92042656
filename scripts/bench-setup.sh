# The start that the benchmarks share, sourced by them with TARGET [PRODUCTS] [BRANDS]:
# installs what they need (extra Debian packages in BENCH_PACKAGES), builds the bench program
# TARGET, and starts a demo store of PRODUCTS products in BRANDS brands (100,000 in 40) in a
# fresh work folder, removed on exit. Sets root, bench, work, ini and conf KEY.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-bench"

VELMORA_EXTRA_PACKAGES="time ${BENCH_PACKAGES:-}" bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_BENCH=ON -DVELMORA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target "$1" -j2 >/dev/null
bench="$build/bench/$1"

work="$(mktemp -d)"
cleanup() {
    bash "$root/scripts/demo-store.sh" stop "$work/store" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
# The server's temporary tables stay in its own folder, away from other servers on the machine.
mkdir "$work/tmp"
TMPDIR="$work/tmp" bash "$root/scripts/demo-store.sh" start "$work/store" "${2:-100000}" "${3:-40}"
ini="$work/store/connection.ini"
conf() { sed -n "s/^$1=//p" "$ini"; }
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

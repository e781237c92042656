# The start that the import benchmarks share, sourced by them: installs what they need,
# builds bench_import, starts a demo store of PRODUCTS products in BRANDS brands in a fresh
# work folder (removed on exit) and writes an edited price list of it, lists/pricelist.csv.
# Sets root, bench, work and ini. Extra Debian packages come in BENCH_PACKAGES.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-bench"

VELMORA_EXTRA_PACKAGES="time ${BENCH_PACKAGES:-}" bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_BENCH=ON -DVELMORA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target bench_import -j2 >/dev/null
bench="$build/bench/bench_import"

work="$(mktemp -d)"
cleanup() {
    bash "$root/scripts/demo-store.sh" stop "$work/store" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
bash "$root/scripts/demo-store.sh" start "$work/store" "${1:-100000}" "${2:-40}"
ini="$work/store/connection.ini"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR" "$work/lists"
"$bench" pricelist "$ini" "$work/lists/pricelist.csv"

# Sourced by the export benchmarks after bench-setup.sh: export_rounds runs the bench program's
# "export" (now) and "before" modes into a fresh folder in interleaved rounds, keeps a checksum
# of every file each run wrote, and says at the end whether all runs wrote the same files.
: >"$work/files"
export_run() {
    rm -rf "$work/out" && mkdir "$work/out"
    "$bench" "$1" "$ini" "$work/out"
    (cd "$work/out" && sha256sum -- * | sha256sum | cut -d' ' -f1) >>"$work/files"
}
run_now() { export_run export; }
run_before() { export_run before; }
export_rounds() {
    bench_rounds now before
    [[ "$(sort -u "$work/files" | wc -l)" == 1 ]] && echo "same_files_in_every_run=yes" || echo "same_files_in_every_run=no"
}

# Sourced by the export benchmarks after bench-setup.sh: note_files FOLDER keeps a checksum of
# every file a run wrote; print_same_files says whether all runs wrote the same files.
: >"$work/files"
note_files() {
    (cd "$1" && sha256sum -- * | sha256sum | cut -d' ' -f1) >>"$work/files"
}
print_same_files() {
    [[ "$(sort -u "$work/files" | wc -l)" == 1 ]] && echo "same_files_in_every_run=yes" || echo "same_files_in_every_run=no"
}

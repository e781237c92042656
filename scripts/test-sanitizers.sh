#!/usr/bin/env bash
# Builds the suite with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan and runs
# all of it; then builds the tests that run on more than one thread with ThreadSanitizer into
# build-tsan and runs them: the xlsx reader's (shared strings on a second thread) and the
# window's tests of the four jobs (each on a thread of its own). Any finding fails the run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh" --for-tests

configure() { # folder, sanitizer flags
    cmake -S "$root" -B "$root/$1" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
        -DCMAKE_CXX_FLAGS="$2 -fno-omit-frame-pointer" -DCMAKE_EXE_LINKER_FLAGS="$2" >/dev/null
}

configure build-asan "-fsanitize=address,undefined -fno-sanitize-recover=undefined"
cmake --build "$root/build-asan" --parallel "$(nproc)"
(
    cd "$root/build-asan"
    export ASAN_OPTIONS=detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1
    export UBSAN_OPTIONS=print_stacktrace=1
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 1200 "$@"
)

threaded=(XlsxReaderTest PriceExportWindowTest SeoRunTest ImportPageTest ScriptRunWindowTest)
configure build-tsan "-fsanitize=thread"
cmake --build "$root/build-tsan" --parallel "$(nproc)" --target "${threaded[@]}"
(
    cd "$root/build-tsan"
    # The tests start the converter and test servers as processes while the job's thread lives.
    TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:die_after_fork=0:suppressions=$root/scripts/sanitizers/tsan.supp" \
        QT_QPA_PLATFORM=offscreen \
        ctest --output-on-failure --timeout 1200 -R "^($(IFS='|'; echo "${threaded[*]}"))\$"
)

#!/usr/bin/env bash
# Runs ctest in a build folder with a CUPS server, an offscreen Qt and a
# private home so that no test touches the user's own settings.
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
"$here/start-cups.sh" >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" XDG_RUNTIME_DIR="$scratch/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen TOBRINA_EXPECT_PRINTER=1
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/lsan.supp}
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"

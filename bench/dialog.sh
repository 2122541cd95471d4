#!/usr/bin/env bash
# Benchmarks what velprint's dialog costs.
#
#   bench/dialog.sh [RUNS]     median, minimum and maximum of RUNS (51) runs of
#                              opening the example PPD and loading both panel
#                              bundles, making the dialog and showing every tab,
#                              one accepted and one refused choice, and a
#                              dry-run Print; on examples/Velmark-CL7200.ppd
#
# Installs what is missing, builds the Release tree build-bench/ (bench/build.sh)
# and runs build-bench/bench/dialog_bench off screen. The figures depend on the
# machine: this is no test, and CI does not run it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
build=build-bench
bench/build.sh
exec timeout 300 "$build/bench/dialog_bench" "$@"

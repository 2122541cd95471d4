#!/usr/bin/env bash
# Benchmarks what the panels cost a print dialog.
#
#   bench/panels.sh [RUNS]     median, minimum and maximum of RUNS (51) runs of
#                              making the colour panel, loading and filling its
#                              view and windows, restoring the marked choices and
#                              the summary; of making, showing and printing with
#                              the user-authentication panel; and of 1000
#                              credential scramble round trips; on
#                              examples/Velmark-CL7200.ppd
#
# Installs what is missing, builds the Release tree build-bench/ (bench/build.sh)
# and runs build-bench/bench/panel_bench off screen. The figures depend on the
# machine: this is no test, and CI does not run it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
build=build-bench
bench/build.sh
exec timeout 300 "$build/bench/panel_bench" "$@"

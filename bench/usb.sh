#!/usr/bin/env bash
# Benchmarks one query of a USB queue in the tool and libusb.
#
#   bench/usb.sh [RUNS [DECOYS]]       first query, then median, minimum and
#                                      maximum of RUNS (101) queries, the queue's
#                                      printer behind DECOYS (8) others
#
# Installs what is missing, builds the Release tree build-bench/ (bench/build.sh)
# and runs build-bench/bench/usb_bench under umockdev-wrapper, against printers
# faked in an umockdev testbed. The figures depend on the machine: this is no
# test, and CI does not run it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
build=build-bench
bench/build.sh
exec timeout 300 umockdev-wrapper "$build/bench/usb_bench" "$@"

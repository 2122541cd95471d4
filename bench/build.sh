#!/usr/bin/env bash
# Builds the benchmarks' tree, build-bench/: installs what is missing, then a
# Release build with -DQUEUECONFIG_BENCH=ON and without the tests. Run by
# bench/run.sh, bench/dnssd.sh and bench/usb.sh.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
scripts/install-deps.sh
# GCC 12 at -O3 warns falsely (-Wrestrict) inside std::string's operator+.
scripts/build.sh build-bench -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-Wno-restrict \
    -DQUEUECONFIG_BENCH=ON -DQUEUECONFIG_TESTS=OFF -DQUEUECONFIG_WERROR=ON >/dev/null

#!/usr/bin/env bash
# Benchmarks how long a DNS-SD queue's port takes to find its printer.
#
#   bench/dnssd.sh [RUNS [DECOYS]]     median, minimum and maximum of RUNS (21) ports
#                                      among DECOYS (8) other printer services
#
# Installs what is missing, builds the Release tree build-bench/ (as bench/run.sh
# does) and runs build-bench/bench/dnssd_bench, which moves itself into a network
# of its own, starts avahi-daemon on a private D-Bus bus there and announces the
# services with avahi-publish. The figures depend on the machine: this is no
# test, and CI does not run it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
build=build-bench
scripts/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
# GCC 12 at -O3 warns falsely (-Wrestrict) inside std::string's operator+.
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-Wno-restrict \
    -DQUEUECONFIG_BENCH=ON -DQUEUECONFIG_TESTS=OFF -DQUEUECONFIG_WERROR=ON >/dev/null
cmake --build "$build" -j "$jobs" >/dev/null
exec "$build/bench/dnssd_bench" "$@"

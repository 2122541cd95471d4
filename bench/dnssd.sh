#!/usr/bin/env bash
# Benchmarks how long a DNS-SD queue's port takes to find its printer.
#
#   bench/dnssd.sh [RUNS [DECOYS]]     median, minimum and maximum of RUNS (21) ports
#                                      among DECOYS (8) other printer services
#
# Installs what is missing, builds the Release tree build-bench/ (bench/build.sh)
# and runs build-bench/bench/dnssd_bench, which moves itself into a network
# of its own, starts avahi-daemon on a private D-Bus bus there and announces the
# services with avahi-publish. The figures depend on the machine: this is no
# test, and CI does not run it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
build=build-bench
bench/build.sh
exec "$build/bench/dnssd_bench" "$@"

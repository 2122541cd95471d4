#!/usr/bin/env bash
# Benchmarks queueconfig's PPD rewriting on a big PPD.
#
#   bench/run.sh [RUNS [PROCESS-RUNS]]     medians of RUNS (11) in-process runs and
#                                          of PROCESS-RUNS (3) whole-process runs
#
# Installs what is missing, builds a Release tree in build-bench/ (with
# -DQUEUECONFIG_BENCH=ON, without the tests), generates a synthetic PPD of about
# 750 KB with 40 installable options and its printer's description into a
# temporary folder, and runs build-bench/bench/rewrite_bench on them. It prints
# the PPD's size and option count; the baseline (one ppdOpenFile + ppdClose and
# one line-by-line copy of the file); the in-process rewrite (DoInit and
# SaveAutoConfigwithJobID against printer-sim on 127.0.120.x) as its total, the
# time inside the socket calls and the remainder; the number of queries and the
# round trip of one query; the ratio remainder / baseline and whether it is
# within 1.5x; the wall time of the staged tool, idle tick of ~1 s included; and
# the load average, since other work on the machine moves the medians (each row
# also shows its minimum, which moves less). The figures depend on the machine:
# this is no test, and CI does not run it.
#
# Port 161 needs root: without it the run goes into a network namespace of its
# own (unshare), whose loopback the simulator and the tool share.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
build=build-bench

if [ "${1:-}" != "--in-namespace" ]; then
    bench/build.sh
    if [ "$(id -u)" -ne 0 ]; then
        exec unshare --user --map-root-user --net "$0" --in-namespace "$@"
    fi
else
    shift
    ip link set lo up
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/make_big_ppd" "$work/big.ppd" "$work/big.desc"
"$build/bench/rewrite_bench" "$work/big.ppd" "$work/big.desc" "$@"

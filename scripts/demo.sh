#!/usr/bin/env bash
# The main job on its built-in default: the example queue against the printer
# simulator. Installs what is missing, builds, starts tools/printer-sim on a
# free loopback address with examples/Velmark-CL5400-HX2.printer, and runs
#   queueconfig socket://ADDRESS examples/Velmark-CL5400.ppd
# with the example support folder, so the colour and tone files apply. The
# rewritten PPD goes to standard output, its difference from the original and
# the exit status to standard error; both are kept in build/demo/.
#
#   scripts/demo.sh                      the default run
#   scripts/demo.sh DEVICE-URI PPD-FILE  queueconfig on another queue (no simulator)
#
# Port 161 needs root: without it the run goes into a network namespace of its
# own (unshare), whose loopback the simulator and the tool share.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

if [ "${1:-}" != "--in-namespace" ]; then
    scripts/install-deps.sh
    scripts/build.sh build >/dev/null
    if [ $# -ge 2 ]; then
        echo "queueconfig $1 $2" >&2
        status=0
        build/stage/bin/queueconfig "$1" "$2" || status=$?
        echo "queueconfig exited with status $status" >&2
        exit "$status"
    fi
    if [ "$(id -u)" -ne 0 ]; then
        exec unshare --user --map-root-user --net "$0" --in-namespace
    fi
else
    ip link set lo up
fi

ppd=examples/Velmark-CL5400.ppd
printer=examples/Velmark-CL5400-HX2.printer
out=build/demo
mkdir -p "$out"

build/tools/printer-sim/printer-sim --description "$printer" \
    --address-range 127.0.0.2-127.0.0.254 --log "$out/printer.log" >"$out/printer.ready" &
sim=$!
trap 'kill "$sim" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    grep -q '^ready ' "$out/printer.ready" && break
    kill -0 "$sim" 2>/dev/null || { echo "the printer simulator did not start" >&2; exit 1; }
    sleep 0.1
done
address=$(sed -n 's/^ready //p' "$out/printer.ready")
[ -n "$address" ] || { echo "the printer simulator did not get ready" >&2; exit 1; }

echo "printer simulator: $printer at $address" >&2
echo "queueconfig socket://$address $ppd" >&2
status=0
QUEUECONFIG_SUPPORT_DIR="$top/examples/support" \
    build/stage/bin/queueconfig "socket://$address" "$ppd" >"$out/Velmark-CL5400.ppd" || status=$?
cat "$out/Velmark-CL5400.ppd"
{
    echo
    echo "== what queueconfig changed ($out/Velmark-CL5400.diff)"
    diff -u "$ppd" "$out/Velmark-CL5400.ppd" | tee "$out/Velmark-CL5400.diff" || true
    echo "queueconfig exited with status $status"
} >&2
exit "$status"

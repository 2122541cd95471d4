#!/usr/bin/env bash
# The main job on its built-in default: queueconfig for the example queue.
# Installs what is missing, builds, and runs the tool; the rewritten PPD goes
# to standard output, messages to standard error, and the exit status is shown.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

scripts/install-deps.sh
scripts/build.sh build >/dev/null

uri=${1:-socket://127.0.0.250}
ppd=${2:-examples/Velmark-CL5400.ppd}
echo "queueconfig $uri $ppd" >&2
status=0
build/stage/bin/queueconfig "$uri" "$ppd" || status=$?
echo "queueconfig exited with status $status" >&2

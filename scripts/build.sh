#!/usr/bin/env bash
# Configures and builds one build tree: scripts/build.sh DIR [CMAKE-OPTIONS...]
set -euo pipefail
dir=$1
shift
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S "$top" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$dir" -j "$jobs"

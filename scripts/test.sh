#!/usr/bin/env bash
# Every check of the project: formatting, then all tests in a plain build
# (warnings are errors) and again in a build with AddressSanitizer and
# UndefinedBehaviorSanitizer. Exits non-zero on the first failure.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
jobs=$(nproc 2>/dev/null || echo 2)

scripts/install-deps.sh

echo "== clang-format"
scripts/check-format.sh

echo "== plain build"
scripts/build.sh build -DQUEUECONFIG_WERROR=ON
ctest --test-dir build -j "$jobs" --output-on-failure

echo "== sanitizer build"
scripts/build.sh build-asan -DQUEUECONFIG_WERROR=ON -DQUEUECONFIG_SANITIZE=ON
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$top/tests/lsan-suppressions.txt
ctest --test-dir build-asan -j "$jobs" --output-on-failure

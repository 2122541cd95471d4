#!/usr/bin/env bash
# Runs the tool on every real PPD of Debian's PPD packages (openprinting-ppds,
# printer-driver-postscript-hp, hplip-data: about 8000), outside CI:
#
#   scripts/ppd-corpus.sh [BUILD-DIR]        (default: build; as root, for the
#                                              simulated printers' UDP port 161)
#
# It extracts every PPD into a temporary folder, then runs the corpus checks of
# tests/corpus on all of them, many runs at once:
#   - queueconfig file:///dev/null PPD must end with status 0 and write the PPD
#     unchanged, byte for byte;
#   - for each PPD whose InstallableOptions group has "*?" PostScript queries, a
#     simulated printer (127.0.110.x) answers every query with a choice of its
#     option; the answers must replace those options' default lines, and
#     cupstestppd must accept the output whenever it accepts the input.
# Then it prints a summary: PPDs, byte-identical ones, PPDs checked with
# cupstestppd and how many it accepted before and after, the PPDs whose output
# cupstestppd rejects for the printer's answers themselves (the same defaults
# written in the input's own line form are rejected too), and every failure
# with the PPD's URI. Exits 1 when anything failed.
#
# It builds BUILD-DIR with scripts/build.sh only when the tool or the test is
# missing there, and installs the tool into BUILD-DIR/test-install as ctest does.
# A plain build is the one to use: the sanitizer makes libcups's parse of the
# largest PPDs very slow. QC_CORPUS_JOBS=N sets how many runs go at once
# (default 96; each mostly waits on the tool's one-second timer);
# QC_KEEP_CORPUS=1 keeps the extracted PPDs and the log.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
build=${1:-build}
started=$(date +%s)

scripts/install-deps.sh
if [ ! -x "$build/stage/bin/queueconfig" ] || [ ! -x "$build/tests/corpus/corpus_tests" ]; then
    scripts/build.sh "$build" >/dev/null
fi
cmake --install "$build" --prefix "$build/test-install" >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/ppd-corpus.XXXXXX")
if [ "${QC_KEEP_CORPUS:-0}" = 1 ]; then
    echo "keeping $work"
else
    trap 'rm -rf "$work"' EXIT
fi

echo "== extracting every PPD"
python3 tests/corpus/ppd_archive.py list | cut -f1 >"$work/all.txt"
python3 tests/corpus/ppd_archive.py extract "$work/all.txt" "$work/ppds"
echo "$(wc -l <"$work/all.txt") PPDs in $work/ppds"

echo "== running the checks"
status=0
QC_CORPUS_JOBS=${QC_CORPUS_JOBS:-96} QC_CORPUS_DIR="$work/ppds" "$build/tests/corpus/corpus_tests" >"$work/log" 2>&1 || status=$?

echo "== summary"
sed -n 's/^\[ corpus \] //p' "$work/log"
echo "failures:"
grep -E ' \| ' "$work/log" | grep -v -e '^URI | failure$' -e '^\[ corpus \]' || echo "  none"
grep -E '^\[  (FAILED|PASSED) ' "$work/log" || true
if [ "$status" -ne 0 ] && ! grep -v '^\[ corpus \]' "$work/log" | grep -q ' | '; then
    echo "corpus_tests exited with status $status; its output:"
    tail -n 40 "$work/log"
fi
echo "wall time: $(($(date +%s) - started)) s"
exit $((status != 0))

#!/usr/bin/env python3
"""Chooses the sample of real PPDs that CI checks the tool against and writes it
to tests/corpus/sample.txt (or the file given as the one argument):

  scripts/ppd-corpus-sample.py [OUTPUT]

Needs the PPD packages of scripts/install-deps.sh. The choice is fixed by the
packages alone: every PPD is listed once (tests/corpus/ppd_archive.py list),
sorted by maker as the driver names it, driver and URI; of each maker every
STEP-th PPD is taken, at least MIN_PER_MAKER (all of a smaller maker's), evenly
spread over its list. To that come every PPD that libcups cannot open and, for
each kind of file that tests the tool's byte-for-byte copy (CR LF line ends, no
line end after the last line, bytes outside ASCII), at least EDGE_CASES of that
kind, again evenly spread.
"""

import ctypes
import math
import os
import subprocess
import sys
import tempfile

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(TOP, "tests", "corpus"))
sys.dont_write_bytecode = True  # no __pycache__ in the source tree
import ppd_archive  # noqa: E402

STEP = 20
MIN_PER_MAKER = 6
EDGE_CASES = 12
PACKAGES = ("openprinting-ppds", "printer-driver-postscript-hp", "hplip-data")


def evenly(items, count):
    """`count` of `items` (all when fewer), first included, evenly spaced."""
    if count >= len(items):
        return list(items)
    return [items[math.floor(i * len(items) / count)] for i in range(count)]


def libcups_opener():
    cups = ctypes.CDLL("libcups.so.2")
    cups.ppdOpenFile.restype = ctypes.c_void_p
    cups.ppdOpenFile.argtypes = [ctypes.c_char_p]
    cups.ppdClose.argtypes = [ctypes.c_void_p]

    def opens(path):
        ppd = cups.ppdOpenFile(os.fsencode(path))
        if ppd:
            cups.ppdClose(ppd)
        return bool(ppd)

    return opens


def kinds_of(data):
    kinds = []
    if b"\r\n" in data:
        kinds.append("CR LF line ends")
    if not data.endswith(b"\n"):
        kinds.append("no final line end")
    if any(byte > 0x7F for byte in data):
        kinds.append("bytes outside ASCII")
    return kinds


def classify(entries):
    """{(driver, uri): [kinds]} of every PPD, "libcups cannot open it" among them."""
    opens = libcups_opener()
    with tempfile.TemporaryDirectory() as folder:
        list_path = os.path.join(folder, "all.txt")
        with open(list_path, "w", encoding="utf-8") as out:
            out.writelines("%s %s\n" % (d, uri) for d, uri, _ in entries)
        ppd_archive.extract(ppd_archive.read_list(list_path), folder)
        kinds = {}
        for driver, uri, _ in entries:
            path = os.path.join(folder, ppd_archive.relative_path(driver, uri))
            with open(path, "rb") as ppd:
                found = kinds_of(ppd.read())
            if not opens(path):
                found.append("libcups cannot open it")
            kinds[(driver, uri)] = found
        return kinds


def choose(entries, kinds):
    by_maker = {}
    for driver, uri, maker in entries:
        by_maker.setdefault(maker, []).append((driver, uri))
    chosen = set()
    for maker in sorted(by_maker):
        items = sorted(by_maker[maker])
        count = max(math.ceil(len(items) / STEP), min(len(items), MIN_PER_MAKER))
        chosen.update(evenly(items, count))
    names = sorted({k for found in kinds.values() for k in found})
    for kind in names:
        having = sorted(e for e, found in kinds.items() if kind in found)
        wanted = len(having) if kind == "libcups cannot open it" else EDGE_CASES
        already = [e for e in having if e in chosen]
        if len(already) < wanted:
            chosen.update(evenly(having, wanted))
    return chosen, by_maker, names


def package_versions():
    done = subprocess.run(["dpkg-query", "-W", "-f=${Package} ${Version}\\n", *PACKAGES],
                          capture_output=True, text=True, check=True)
    return done.stdout.split("\n")[:-1]


def header(chosen, by_maker, kinds, names, total):
    makers = {m: sum(1 for e in items if e in chosen) for m, items in by_maker.items()}
    lines = [
        "Real PPDs that CI runs the tool on (tests/corpus): %d of the %d PPDs of" % (
            len(chosen), total),
        "  " + ", ".join(package_versions()) + ".",
        "Chosen by scripts/ppd-corpus-sample.py, which rewrites this file; regenerate with",
        "  scripts/ppd-corpus-sample.py",
        "Of each maker (as the driver lists it) every %dth PPD in sorted order, at least %d," % (
            STEP, MIN_PER_MAKER),
        "plus every PPD that libcups cannot open and at least %d of each kind of file below." % (
            EDGE_CASES),
    ]
    line = "Per maker:"
    for maker in sorted(by_maker):
        item = " %s %d/%d," % (maker, makers[maker], len(by_maker[maker]))
        if len(line) + len(item) > 96:
            lines.append(line)
            line = " "
        line += item
    lines.append(line.rstrip(","))
    for kind in names:
        having = [e for e, found in kinds.items() if kind in found]
        lines.append("%s: %d/%d" % (kind, sum(1 for e in having if e in chosen), len(having)))
    lines.append("One PPD a line: DRIVER URI (the URI that `/usr/lib/cups/driver/DRIVER cat` takes).")
    return "".join("# %s\n" % line for line in lines)


def main(argv):
    if len(argv) > 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    output = argv[1] if len(argv) == 2 else os.path.join(TOP, "tests", "corpus", "sample.txt")
    entries = ppd_archive.list_all()
    kinds = classify(entries)
    chosen, by_maker, names = choose(entries, kinds)
    with open(output, "w", encoding="utf-8") as out:
        out.write(header(chosen, by_maker, kinds, names, len(entries)))
        out.writelines("%s %s\n" % e for e in sorted(chosen))
    print("%s: %d PPDs" % (output, len(chosen)))
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv))
    except ppd_archive.CorpusError as error:
        print("ppd-corpus-sample.py: %s" % error, file=sys.stderr)
        sys.exit(1)

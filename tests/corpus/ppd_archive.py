#!/usr/bin/env python3
"""Lists and extracts the real PPDs that Debian's PPD packages pack into CUPS
driver programs under /usr/lib/cups/driver.

  ppd_archive.py list                 every PPD once: "DRIVER URI<TAB>MAKER", sorted
  ppd_archive.py extract LIST OUTDIR  the PPDs that LIST names ("DRIVER URI" a line,
                                      '#' comments), into OUTDIR, with OUTDIR/manifest.tsv
                                      ("PATH<TAB>DRIVER URI" a line, in LIST order)

The drivers are pyppd archives: `DRIVER cat URI` decompresses the whole archive
up to the PPD on every call, several seconds for a late PPD of a large archive.
extract therefore runs the driver's own index loader once per driver and cuts
every wanted PPD out of one streaming pass over its archive, as `cat` does; it
checks the result against `DRIVER cat` for one PPD of each driver. A driver that
is no pyppd archive is asked with `cat` for each PPD.
"""

import base64
import concurrent.futures
import lzma
import os
import shlex
import subprocess
import sys

DRIVER_DIR = "/usr/lib/cups/driver"
# The drivers of openprinting-ppds, printer-driver-postscript-hp and hplip-data.
DRIVERS = ("hplip-data", "openprinting-ppds", "postscript-hp")
CHUNK = 16 << 20


class CorpusError(Exception):
    pass


def driver_path(driver):
    return os.path.join(DRIVER_DIR, driver)


def archive_key(uri):
    """The archive's key of a URI, normalised as the driver's cat does: the
    driver name and the listing index ("N/") do not count."""
    key = uri.split(":")[-1]
    return "0/" + key[key.find("/") + 1:]


def relative_path(driver, uri):
    return os.path.join(driver, archive_key(uri)[2:])


def run_driver(driver, *args):
    done = subprocess.run([driver_path(driver), *args], capture_output=True, check=False)
    if done.returncode != 0:
        raise CorpusError("%s %s failed (%d): %s" % (driver, " ".join(args), done.returncode,
                                                      done.stderr.decode(errors="replace")))
    return done.stdout


def list_driver(driver):
    """(uri, maker) of each PPD of one driver, one URI per archive key: a PPD
    listed under several device IDs appears once, by its first URI."""
    seen = {}
    for line in run_driver(driver, "list").decode("utf-8", errors="replace").splitlines():
        fields = shlex.split(line)
        if len(fields) < 3:
            raise CorpusError("%s list: unexpected line %r" % (driver, line))
        uri, maker = fields[0], fields[2]
        key = archive_key(uri)
        if key not in seen or uri < seen[key][0]:
            seen[key] = (uri, maker)
    return sorted(seen.values())


def list_all():
    """(driver, uri, maker) of every PPD of every driver, sorted."""
    missing = [d for d in DRIVERS if not os.access(driver_path(d), os.X_OK)]
    if missing:
        raise CorpusError("missing drivers (run scripts/install-deps.sh): " + " ".join(missing))
    return [(d, uri, maker) for d in DRIVERS for uri, maker in list_driver(d)]


def read_list(path):
    """(driver, uri) of each line of a sample list."""
    entries = []
    with open(path, encoding="utf-8") as lines:
        for number, line in enumerate(lines, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            driver, _, uri = line.partition(" ")
            if not uri or driver not in DRIVERS:
                raise CorpusError("%s:%d: expected 'DRIVER URI', one of %s" %
                                  (path, number, ", ".join(DRIVERS)))
            entries.append((driver, uri))
    return entries


def load_archive(driver):
    """The driver's index (key -> [start, length, ...]) and its compressed
    archive, or None when the driver is no pyppd archive."""
    path = driver_path(driver)
    with open(path, "rb") as source:
        code = source.read()
    if b"def load():" not in code or b"ppds_compressed_b64" not in code:
        return None
    # Not "__main__": the driver's own main() must not run.
    namespace = {"__name__": "pyppd_archive", "__file__": path}
    exec(compile(code, path, "exec"), namespace)
    index = namespace["load"]()
    archive = index.pop("ARCHIVE", None)
    if archive is None:
        return None
    return index, base64.b64decode(archive.encode("ascii"))


def cut_from_archive(index, archive, wanted):
    """{key: bytes} for every key of `wanted`, in one decompression pass."""
    missing = [k for k in wanted if k not in index]
    if missing:
        raise CorpusError("not in the archive: " + ", ".join(sorted(missing)[:5]))
    spans = sorted((index[k][0], index[k][1], k) for k in wanted)
    decompressor = lzma.LZMADecompressor()
    pending = archive
    buffer, base, found = bytearray(), 0, {}
    for start, length, key in spans:
        end = start + length
        while base + len(buffer) < end:
            if decompressor.eof:
                raise CorpusError("archive ends before %s" % key)
            buffer += decompressor.decompress(pending, max_length=CHUNK)
            pending = b""
            if decompressor.needs_input and not decompressor.eof and base + len(buffer) < end:
                raise CorpusError("archive is cut before %s" % key)
        found[key] = bytes(buffer[start - base:end - base])
        # Spans are in order: nothing before this start is wanted again.
        del buffer[:start - base]
        base = start
    return found


def extract_driver(driver, uris):
    """{uri: bytes} of one driver's wanted PPDs."""
    loaded = load_archive(driver)
    if loaded is None:
        return {uri: run_driver(driver, "cat", uri) for uri in uris}
    index, archive = loaded
    keys = {archive_key(uri) for uri in uris}
    found = cut_from_archive(index, archive, keys)
    # The driver's own cat is the reference: the cheapest PPD (the earliest
    # in the archive) must come out of both the same.
    first = min(uris, key=lambda uri: index[archive_key(uri)][0])
    if run_driver(driver, "cat", first) != found[archive_key(first)]:
        raise CorpusError("%s: %s differs from the driver's cat" % (driver, first))
    return {uri: found[archive_key(uri)] for uri in uris}


def extract(entries, outdir):
    by_driver = {}
    for driver, uri in entries:
        by_driver.setdefault(driver, []).append(uri)
    # lzma and the driver processes let the drivers' passes run side by side.
    with concurrent.futures.ThreadPoolExecutor(max_workers=len(by_driver) or 1) as pool:
        futures = {d: pool.submit(extract_driver, d, uris) for d, uris in by_driver.items()}
        contents = {d: f.result() for d, f in futures.items()}
    with open(os.path.join(outdir, "manifest.tsv"), "w", encoding="utf-8") as manifest:
        for driver, uri in entries:
            relative = relative_path(driver, uri)
            target = os.path.join(outdir, relative)
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(target, "wb") as ppd:
                ppd.write(contents[driver][uri])
            manifest.write("%s\t%s %s\n" % (relative, driver, uri))


def main(argv):
    if len(argv) == 2 and argv[1] == "list":
        for driver, uri, maker in list_all():
            print("%s %s\t%s" % (driver, uri, maker))
        return 0
    if len(argv) == 4 and argv[1] == "extract":
        os.makedirs(argv[3], exist_ok=True)
        # A run that fails half-way must not leave an older manifest behind.
        manifest = os.path.join(argv[3], "manifest.tsv")
        if os.path.exists(manifest):
            os.remove(manifest)
        extract(read_list(argv[2]), argv[3])
        return 0
    print(__doc__.strip(), file=sys.stderr)
    return 2


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv))
    except CorpusError as error:
        print("ppd_archive.py: %s" % error, file=sys.stderr)
        sys.exit(1)

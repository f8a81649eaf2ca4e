"""Packaging benchmark: builds a directory of session-like files with a fixed seed and, on the
same bytes, times the Package road (the Windows executable under Wine), raw zlib level 6 (in the
same executable under Wine, and natively here, to separate Wine's own overhead), Python's zipfile
(ZIP_DEFLATED, level 6) and Info-ZIP's zip -6 -r. Prints medians of 3 runs, sizes, the packaging
process's peak working set and the ratios against the targets.

    bench/zip_package [MiB ...]      (default: 64 256; the build directory is $LUMITER_BUILD_DIR or build/)

Run through bench/zip_package, which gives Wine its environment.
"""

import os
import random
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import time
import zipfile
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.environ.get("LUMITER_BUILD_DIR", os.path.join(ROOT, "build"))
EXE = os.path.join(BUILD, "bench", "zip_package.exe")
RUNS = 3
SEED = 20261210
MiB = 1 << 20


def records(rng, size, record_size):
    """Fixed-size binary records whose numbers change slowly from one record to the next."""
    values = [rng.randrange(1 << 20) for _ in range(6)]
    out = bytearray()
    stamp = 1_700_000_000
    padding = bytes(record_size - 8 - 6 * 4)
    while len(out) < size:
        stamp += 10
        for i in range(len(values)):
            values[i] = max(0, values[i] + rng.randrange(-40, 41))
        out += struct.pack("<Q6I", stamp, *values) + padding
    return bytes(out[:size])


def log(rng, size):
    words = ["capture", "instance", "dialog", "step", "host", "cpu", "memory", "database", "done", "read"]
    lines = []
    total = 0
    second = 0
    while total < size:
        second += rng.randrange(1, 4)
        line = "%02d:%02d:%02d %s %s %d of %d\r\n" % (
            second // 3600 % 24, second // 60 % 60, second % 60, rng.choice(words), rng.choice(words),
            rng.randrange(1000), rng.randrange(1000, 5000))
        lines.append(line)
        total += len(line)
    return "".join(lines).encode()[:size]


def make_directory(path, size_mib):
    """Session files: binary records of two widths, text logs and some incompressible blocks."""
    rng = random.Random(SEED)
    os.makedirs(path)
    total = size_mib * MiB
    kinds = [("cpu", 0.30), ("wlh", 0.35), ("log", 0.25), ("bin", 0.10)]
    files_per_kind = max(2, size_mib // 8)
    for kind, share in kinds:
        for i in range(files_per_kind):
            size = int(total * share / files_per_kind)
            if kind == "cpu":
                data = records(rng, size, 96)
            elif kind == "wlh":
                data = records(rng, size, 412)
            elif kind == "log":
                data = log(rng, size)
            else:
                data = rng.randbytes(size)
            with open(os.path.join(path, "SAP_PRD_%02d.%s" % (i, kind)), "wb") as f:
                f.write(data)


def data_directory(size_mib):
    path = os.path.join(BUILD, "bench-data", "zip_package-%d" % size_mib)
    if not os.path.isdir(path):
        print("building %s" % path, flush=True)
        make_directory(path + ".part", size_mib)
        os.rename(path + ".part", path)
    return path


def files_of(directory):
    return [os.path.join(directory, n) for n in sorted(os.listdir(directory)) if not n.endswith(".zip")]


def wine_path(path):
    return "Z:" + path.replace("/", "\\")


def run_exe(mode, directory, output):
    result = subprocess.run(["wine", EXE, mode, wine_path(directory), wine_path(output)], check=True,
                            stdout=subprocess.PIPE, text=True)
    line = result.stdout.strip().splitlines()[-1]
    return {key: float(value) for key, value in (item.split("=") for item in line.split())}


def native_zlib(directory, output):
    start = time.perf_counter()
    total = 0
    with open(output, "wb") as out:
        for path in files_of(directory):
            compressor = zlib.compressobj(6, zlib.DEFLATED, -15, 8)
            with open(path, "rb") as f:
                while chunk := f.read(65536):
                    data = compressor.compress(chunk)
                    out.write(data)
                    total += len(data)
            data = compressor.flush()
            out.write(data)
            total += len(data)
    return time.perf_counter() - start, total


def python_zipfile(directory, output):
    start = time.perf_counter()
    with zipfile.ZipFile(output, "w", zipfile.ZIP_DEFLATED, compresslevel=6) as z:
        for path in files_of(directory):
            z.write(path, path.lstrip("/"))
    return time.perf_counter() - start, os.path.getsize(output)


def info_zip(directory, output):
    start = time.perf_counter()
    subprocess.run(["zip", "-6", "-r", "-q", output, "."], cwd=directory, check=True)
    return time.perf_counter() - start, os.path.getsize(output)


def headers_size(directory):
    """Local and central headers and the end record of the archive the Package road writes."""
    return sum(30 + 46 + 2 * len(path.lstrip("/").encode()) for path in files_of(directory)) + 22


def check_archive(archive, directory):
    result = subprocess.run(["unzip", "-tq", archive], stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    if result.returncode != 0:
        sys.exit("the packaged archive fails unzip -t:\n" + result.stdout)
    with zipfile.ZipFile(archive) as z:
        if len(z.infolist()) != len(files_of(directory)):
            sys.exit("the packaged archive lacks entries")


def bench(size_mib, scratch):
    directory = data_directory(size_mib)
    source = sum(os.path.getsize(p) for p in files_of(directory))
    out = lambda name: os.path.join(scratch, name)
    package, wine_zlib, here_zlib, pyzip, infozip = [], [], [], [], []
    for run in range(RUNS):
        for f in os.listdir(scratch):
            os.remove(out(f))
        package.append(run_exe("package", directory, out("package.zip")))
        wine_zlib.append(run_exe("zlib", directory, out("zlib.bin")))
        here_zlib.append(native_zlib(directory, out("native.bin")))
        pyzip.append(python_zipfile(directory, out("python.zip")))
        infozip.append(info_zip(directory, out("infozip.zip")))
    check_archive(out("package.zip"), directory)

    med = lambda values: statistics.median(values)
    t_package = med([r["seconds"] for r in package])
    t_wine_zlib = med([r["seconds"] for r in wine_zlib])
    t_native_zlib = med([t for t, _ in here_zlib])
    t_python = med([t for t, _ in pyzip])
    t_infozip = med([t for t, _ in infozip])
    archive = int(package[-1]["bytes"])
    raw = int(wine_zlib[-1]["bytes"])
    expected = raw + headers_size(directory)
    peak = max(r["peak_working_set"] for r in package)
    start = min(r["start_working_set"] for r in package)

    print("zip_package: %d MiB in %d files (%d bytes), median of %d runs" % (size_mib, len(files_of(directory)),
                                                                             source, RUNS))
    print("  Package road (Wine):      %7.3f s  %11d bytes" % (t_package, archive))
    print("  raw zlib 6 (Wine):        %7.3f s  %11d bytes (+ headers %d = %d)" % (t_wine_zlib, raw, expected - raw,
                                                                                  expected))
    print("  raw zlib 6 (native):      %7.3f s  %11d bytes" % (t_native_zlib, here_zlib[-1][1]))
    print("  Python zipfile 6:         %7.3f s  %11d bytes" % (t_python, pyzip[-1][1]))
    print("  Info-ZIP zip -6 -r:       %7.3f s  %11d bytes" % (t_infozip, infozip[-1][1]))
    print("  Wine's own overhead on zlib: %.3f (Wine / native)" % (t_wine_zlib / t_native_zlib))
    # Under Wine the process holds its own working set before the library does anything.
    added = peak - start
    print("  peak working set: %.1f MiB, of which Wine's process at start %.1f MiB and packaging %.1f MiB" % (
        peak / MiB, start / MiB, added / MiB))
    ratio_time = t_package / t_wine_zlib
    ratio_size = archive / expected - 1
    verdict = lambda ok: "met" if ok else "MISSED"
    print("  target time <= 1.10 x raw zlib (Wine): %.3f, %s" % (ratio_time, verdict(ratio_time <= 1.10)))
    print("  target faster than Python zipfile: %.3f of its time, %s" % (t_package / t_python,
                                                                         verdict(t_package < t_python)))
    print("  target size within 0.5%% of raw zlib + headers: %+.3f%%, %s" % (100 * ratio_size,
                                                                           verdict(abs(ratio_size) <= 0.005)))
    print("  target peak working set < 16 MiB: the library's %.1f MiB, %s (the process's %.1f MiB, %s)" % (
        added / MiB, verdict(added < 16 * MiB), peak / MiB, verdict(peak < 16 * MiB)))
    print(flush=True)


def main():
    if not os.path.isfile(EXE):
        sys.exit("build the benchmark first: cmake --build %s --target zip_package" % BUILD)
    sizes = [int(a) for a in sys.argv[1:]] or [64, 256]
    scratch = tempfile.mkdtemp(prefix="zip_package-")
    try:
        for size in sizes:
            bench(size, scratch)
    finally:
        shutil.rmtree(scratch)


if __name__ == "__main__":
    main()

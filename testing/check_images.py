#!/usr/bin/env python3
"""Checks the image files a test executable saved into a directory with other readers:
ImageMagick's identify and convert, PIL, and the JPEG library's own cjpeg and djpeg (Windows
builds, run under Wine). ours.ppm holds the pixels of ours-24.bmp and ours.jpg;
ours-decoded.ppm is the test's own decode of ours.jpg; ours-1/4/8.bmp hold a red and blue
check pattern."""

import io
import os
import subprocess
import sys
import tempfile

from PIL import Image

failures = []


def fail(name, what):
    failures.append(f"{name}: {what}")


def check_pattern(name, rgb, width, height):
    for y in range(height):
        for x in range(width):
            want = (0, 0, 255) if (x // 4 + y // 3) % 2 else (255, 0, 0)
            if rgb.getpixel((x, y)) != want:
                fail(name, f"pixel {x},{y} is {rgb.getpixel((x, y))}, not {want}")
                return


def magick_rgb(path):
    out = subprocess.run(["convert", path, "ppm:-"], check=True, stdout=subprocess.PIPE).stdout
    return Image.open(io.BytesIO(out)).convert("RGB")


def worst(a, b):
    return max(abs(p - q) for p, q in zip(a.tobytes(), b.tobytes()))


def wine_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def main(directory, jpeg_tools):
    reference = Image.open(os.path.join(directory, "ours.ppm")).convert("RGB")
    for bits in (1, 4, 8, 24):
        name = f"ours-{bits}.bmp"
        path = os.path.join(directory, name)
        with open(path, "rb") as f:
            data = f.read()
        if data[:2] != b"BM" or int.from_bytes(data[2:6], "little") != len(data):
            fail(name, "type or file size field wrong")
        table = 4 << bits if bits <= 8 else 0
        if int.from_bytes(data[10:14], "little") != 54 + table:
            fail(name, "bits offset wrong")
        fmt = subprocess.run(["identify", "-format", "%m %w %h", path], stdout=subprocess.PIPE, text=True).stdout
        if not fmt.startswith("BMP") or fmt.split()[1:] != ["37", "23"]:
            fail(name, f"identify says {fmt!r}")
        if int.from_bytes(data[28:30], "little") != bits:
            fail(name, "depth field wrong")
        for reader, rgb in (("PIL", Image.open(path).convert("RGB")), ("convert", magick_rgb(path))):
            if bits == 24:
                if rgb.tobytes() != reference.tobytes():
                    fail(name, f"{reader} reads other pixels")
            else:
                check_pattern(f"{name} ({reader})", rgb, 37, 23)

    ours = os.path.join(directory, "ours.jpg")
    with tempfile.TemporaryDirectory() as tmp:
        made = os.path.join(tmp, "cjpeg.jpg")
        decoded = os.path.join(tmp, "djpeg.ppm")
        subprocess.run(["wine", os.path.join(jpeg_tools, "cjpeg.exe"), "-outfile", wine_path(made),
                        wine_path(os.path.join(directory, "ours.ppm"))], check=True, stderr=subprocess.DEVNULL)
        subprocess.run(["wine", os.path.join(jpeg_tools, "djpeg.exe"), "-ppm", "-outfile", wine_path(decoded),
                        wine_path(ours)], check=True, stderr=subprocess.DEVNULL)
        with open(made, "rb") as a, open(ours, "rb") as b:
            if a.read() != b.read():
                fail("ours.jpg", "differs from cjpeg's output for the same pixels")
        our_decode = Image.open(os.path.join(directory, "ours-decoded.ppm")).convert("RGB")
        if Image.open(decoded).convert("RGB").tobytes() != our_decode.tobytes():
            fail("ours-decoded.ppm", "differs from djpeg's decode")
        for reader, rgb in (("PIL", Image.open(ours).convert("RGB")), ("convert", magick_rgb(ours))):
            if rgb.size != (37, 23) or worst(rgb, our_decode) > 2:
                fail("ours.jpg", f"{reader} decodes it more than 2 away from ours")

    for failure in failures:
        print(failure)
    print(f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))

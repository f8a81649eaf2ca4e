#!/usr/bin/env python3
"""Writes image files made by other programs (ImageMagick and PIL) into a directory for a test
executable to load. Beside each file a ".rgb" file holds the pixels as PIL reads them back (top
row first, three bytes a pixel) and a ".size" file the width and height; files the loader must
refuse are named "bad-*". The directory is emptied first."""

import os
import shutil
import subprocess
import sys

from PIL import Image

COLOURS = [(255, 0, 0), (0, 160, 0), (0, 0, 255), (255, 255, 255)]
WIDTH, HEIGHT = 19, 7


def pattern():
    image = Image.new("RGB", (WIDTH, HEIGHT))
    for y in range(HEIGHT):
        for x in range(WIDTH):
            image.putpixel((x, y), COLOURS[(x // 3 + y // 2) % 4])
    return image


def expect(path):
    with Image.open(path) as image:
        rgb = image.convert("RGB")
        with open(path + ".rgb", "wb") as f:
            f.write(rgb.tobytes())
        with open(path + ".size", "w") as f:
            f.write(f"{rgb.width} {rgb.height}\n")


def main(directory):
    shutil.rmtree(directory, ignore_errors=True)
    os.makedirs(directory)
    source = os.path.join(directory, "pattern.png")
    pattern().save(source)
    magick = {
        "magick-default.bmp": ["BMP:"],
        "magick-bmp3.bmp": ["BMP3:"],
        "magick-bmp2.bmp": ["BMP2:"],
        "magick-rle8.bmp": ["-type", "Palette", "-compress", "RLE", "BMP3:"],
        "magick-grey.jpg": ["-colorspace", "Gray", "JPG:"],
        "magick-progressive.jpg": ["-interlace", "JPEG", "JPG:"],
    }
    for name, options in magick.items():
        path = os.path.join(directory, name)
        subprocess.run(["convert", source] + options[:-1] + [options[-1] + path], check=True)
        expect(path)
    base = pattern()
    pil = {
        "pil-rgb.bmp": base,
        "pil-p.bmp": base.convert("P", palette=Image.ADAPTIVE, colors=4),
        "pil-1.bmp": base.convert("1", dither=Image.NONE),
        "pil-rgb.jpg": base,
    }
    for name, image in pil.items():
        path = os.path.join(directory, name)
        image.save(path)
        expect(path)
    subprocess.run(["convert", source, "-colorspace", "CMYK", "JPG:" + os.path.join(directory, "bad-cmyk.jpg")],
                   check=True)
    open(os.path.join(directory, "bad-empty.jpg"), "wb").close()
    os.remove(source)


if __name__ == "__main__":
    main(sys.argv[1])

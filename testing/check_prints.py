#!/usr/bin/env python3
"""Checks the PostScript files a test executable printed into a directory with Ghostscript: each
file is rendered to text page by page, and beside each file a ".check" file gives what to expect:
the page count ("pages") and, for each page n, texts that page must hold ("pagen", separated by
"|")."""

import glob
import os
import subprocess
import sys
import tempfile

from checked_files import check_directory


def read_expectations(path):
    expected = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            key, _, value = line.strip().partition("=")
            if key:
                expected[key] = value
    return expected


def check(printed):
    failures = []
    expected = read_expectations(printed + ".check")
    with tempfile.TemporaryDirectory() as work:
        pattern = os.path.join(work, "page%d.txt")
        result = subprocess.run(["gs", "-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-sDEVICE=txtwrite",
                                 "-sOutputFile=" + pattern, printed],
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, errors="replace")
        if result.returncode != 0:
            failures.append(f"{printed}: Ghostscript failed: {result.stdout.strip()}")
            return failures
        pages = sorted(glob.glob(os.path.join(work, "page*.txt")),
                       key=lambda p: int(os.path.basename(p)[4:-4]))
        if "pages" in expected and len(pages) != int(expected["pages"]):
            failures.append(f"{printed}: {len(pages)} pages rendered, {expected['pages']} expected")
        for number, page in enumerate(pages, start=1):
            with open(page, encoding="utf-8", errors="replace") as f:
                text = f.read()
            for wanted in filter(None, expected.get(f"page{number}", "").split("|")):
                if wanted not in text:
                    failures.append(f"{printed}: page {number} lacks {wanted!r}; it reads {text.strip()!r}")
    return failures


def main():
    return check_directory(sys.argv[1], "*.ps", "printed", check)


if __name__ == "__main__":
    sys.exit(main())

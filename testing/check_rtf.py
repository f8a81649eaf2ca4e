#!/usr/bin/env python3
"""Reads the rich text files a test executable wrote into a directory with unrtf: each file is
converted to HTML, and each line of the ".check" file beside it is a regular expression that the
HTML must match (so that "<b>(<[^>]*>)*word" says the word is bold)."""

import re
import subprocess
import sys

from checked_files import check_directory


def check(path):
    with open(path + ".check", encoding="utf-8") as f:
        patterns = [line.rstrip("\n") for line in f if line.strip()]
    result = subprocess.run(["unrtf", "--html", path], stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            text=True, errors="replace")
    if result.returncode != 0:
        return [f"{path}: unrtf failed: {result.stdout.strip()}"]
    return [f"{path}: the HTML lacks {pattern!r}; it reads {result.stdout.strip()!r}"
            for pattern in patterns if not re.search(pattern, result.stdout, re.DOTALL)]


def main():
    return check_directory(sys.argv[1], "*.rtf", "rich text", check)


if __name__ == "__main__":
    sys.exit(main())

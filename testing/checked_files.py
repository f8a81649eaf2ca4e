"""The loop the file checks share: every file of a kind in a directory that has a ".check" file
beside it is checked; the failures are printed and decide the exit code."""

import glob
import os


def check_directory(directory, pattern, kind, check):
    """check(path) returns the failures of one file as a list of texts."""
    files = sorted(glob.glob(os.path.join(directory, pattern)))
    if not files:
        print(f"no {kind} files in {directory}")
        return 1
    failures = []
    for path in files:
        if os.path.exists(path + ".check"):
            failures.extend(check(path))
    for failure in failures:
        print(failure)
    print(f"{len(files)} {kind} files checked, {len(failures)} failures")
    return 1 if failures else 0

#!/usr/bin/env python3
"""Packs the release folder into its zip, the same byte for byte wherever and whenever one
commit is built, and writes the zip's SHA256SUMS line.

    make_zip.py [--source DIR] [--sums FILE] FOLDER ZIP

The zip holds FOLDER itself (its name is the top folder of every entry), folders before
their contents and names in code point order. Every entry has the same time: that of
SOURCE_DATE_EPOCH when it is set, else the last commit's in the git tree DIR, else
1980-01-01, the earliest a zip can hold. Times are written as UTC, permissions are fixed
(0644, 0755 for folders and .exe files), no owner, no extra fields.
"""

import argparse
import hashlib
import os
import subprocess
import sys
import time
import zipfile

EARLIEST = 315532800  # 1980-01-01 00:00:00 UTC


def source_date_epoch(source):
    """The time every entry gets, and where it comes from."""
    value = os.environ.get("SOURCE_DATE_EPOCH", "").strip()
    if value:
        return int(value), "SOURCE_DATE_EPOCH"
    if source:
        try:
            out = subprocess.run(["git", "-C", source, "log", "-1", "--format=%ct"],
                                 capture_output=True, text=True, check=True).stdout.strip()
            return int(out), "the last commit"
        except (OSError, subprocess.CalledProcessError, ValueError):
            pass
    return EARLIEST, "no commit: the fixed time"


def entries(folder):
    """(name in the zip, path on disk or None for a folder), in a fixed order."""
    base = os.path.dirname(os.path.abspath(folder))
    for dirpath, dirnames, filenames in os.walk(os.path.abspath(folder)):
        dirnames.sort()
        rel = os.path.relpath(dirpath, base).replace(os.sep, "/")
        yield rel + "/", None
        for name in sorted(filenames):
            yield rel + "/" + name, os.path.join(dirpath, name)


def write_zip(folder, target, epoch):
    stamp = time.gmtime(max(epoch, EARLIEST))[:6]
    partial = target + ".partial"
    with zipfile.ZipFile(partial, "w") as archive:
        for name, path in entries(folder):
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.create_system = 3  # Unix, so that the permissions below are read
            if path is None:
                info.external_attr = (0o40755 << 16) | 0x10  # 0x10: the MS-DOS folder bit
                archive.writestr(info, b"")
                continue
            mode = 0o755 if name.lower().endswith(".exe") else 0o644
            info.external_attr = (0o100000 | mode) << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as f:
                archive.writestr(info, f.read(), compresslevel=9)
    os.replace(partial, target)


def write_sums(target, sums):
    with open(target, "rb") as f:
        digest = hashlib.sha256(f.read()).hexdigest()
    partial = sums + ".partial"
    with open(partial, "w", encoding="ascii", newline="\n") as f:
        f.write(f"{digest}  {os.path.basename(target)}\n")
    os.replace(partial, sums)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", help="the git tree whose last commit gives the time")
    parser.add_argument("--sums", help="the SHA256SUMS file to write for the zip")
    parser.add_argument("folder")
    parser.add_argument("zip")
    args = parser.parse_args()
    if not os.path.isdir(args.folder):
        sys.exit(f"make_zip: {args.folder} is not a folder")
    epoch, origin = source_date_epoch(args.source)
    write_zip(args.folder, args.zip, epoch)
    if args.sums:
        write_sums(args.zip, args.sums)
    stamp = time.strftime("%Y-%m-%d %H:%M:%S UTC", time.gmtime(max(epoch, EARLIEST)))
    print(f"make_zip: {args.zip}, entries dated {stamp} ({origin})")


if __name__ == "__main__":
    main()

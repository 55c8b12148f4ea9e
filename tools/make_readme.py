#!/usr/bin/env python3
"""Writes the guide that ships with the program, data/readme.txt (Shift-JIS, CR LF), and
data/LICENSE.txt (CR LF), from docs/readme.ja.txt and LICENSE (UTF-8, LF).
With --check, only says whether the shipped files are up to date (exit 1 when not)."""

import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PAIRS = ((os.path.join("docs", "readme.ja.txt"), os.path.join("data", "readme.txt"), "cp932"),
         ("LICENSE", os.path.join("data", "LICENSE.txt"), "ascii"))


def shipped(source, encoding):
    text = open(os.path.join(ROOT, source), encoding="utf-8").read()
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode(encoding)


def main():
    check = "--check" in sys.argv[1:]
    stale = []
    for source, target, encoding in PAIRS:
        data = shipped(source, encoding)
        path = os.path.join(ROOT, target)
        current = open(path, "rb").read() if os.path.exists(path) else None
        if current == data:
            continue
        if check:
            stale.append(target)
        else:
            open(path, "wb").write(data)
            print("wrote", target)
    if stale:
        print("not up to date (run tools/make_readme.py):", " ".join(stale))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Writes src/model/texts.h, the program's fixed texts as Shift-JIS (code page 932) byte
constants (a group headed "(UTF-8)" as UTF-8), from src/model/texts.txt (UTF-8, readable).
With --check, only says whether texts.h is up to date (exit 1 when not)."""

import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE = os.path.join("src", "model", "texts.txt")
TARGET = os.path.join("src", "model", "texts.h")
WIDTH = 100


def literal(data):
    """C string literals for the bytes, split where a hexadecimal escape would run into a
    hexadecimal digit, and wrapped to fit the line."""
    pieces, current, after_escape = [], "", False
    for byte in data:
        char = chr(byte)
        if byte >= 0x80 or byte < 0x20:
            piece = "\\x%02X" % byte
            after_escape = True
        else:
            piece = {"\\": "\\\\", '"': '\\"'}.get(char, char)
            if after_escape and char in "0123456789abcdefABCDEF":
                pieces.append(current)
                current = ""
            after_escape = False
        if len(current) + len(piece) > WIDTH - 8:
            pieces.append(current)
            current = ""
        current += piece
    pieces.append(current)
    return pieces


def header(source):
    lines = ["// The program's fixed texts as Shift-JIS bytes (code page 932), those of error",
             "// reports in UTF-8. Written by tools/make_texts.py from texts.txt: change them there.",
             "#pragma once", "", "namespace haripon {", "", "// clang-format off"]
    encoding = "cp932"
    for number, line in enumerate(source.splitlines(), 1):
        if not line.strip() or (line.startswith("#") and not line.startswith("## ")):
            continue
        if line.startswith("## "):
            lines += ["", "// " + line[3:]]
            # A group whose heading says "(UTF-8)" is written in UTF-8.
            encoding = "utf-8" if "(UTF-8)" in line else "cp932"
            continue
        match = re.fullmatch(r"(k[A-Za-z0-9]+) = (.+)", line)
        if not match:
            sys.exit("%s:%d: not a text: %s" % (SOURCE, number, line))
        name, text = match.groups()
        if text.endswith("\\"):
            sys.exit("%s:%d: a text may not end in a backslash" % (SOURCE, number))
        pieces = ['"%s"' % piece for piece in literal(text.encode(encoding))]
        lines.append("// " + text)
        declaration = "inline constexpr char %s[] = " % name
        if len(declaration) + len(" ".join(pieces)) + 1 <= WIDTH:
            lines.append(declaration + " ".join(pieces) + ";")
        else:
            lines.append(declaration.rstrip())
            lines += ["    " + piece for piece in pieces]
            lines[-1] += ";"
    lines += ["// clang-format on", "", "}  // namespace haripon", ""]
    return "\n".join(lines).encode("utf-8")


def main():
    data = header(open(os.path.join(ROOT, SOURCE), encoding="utf-8").read())
    path = os.path.join(ROOT, TARGET)
    current = open(path, "rb").read() if os.path.exists(path) else None
    if current == data:
        return 0
    if "--check" in sys.argv[1:]:
        print("not up to date (run tools/make_texts.py):", TARGET)
        return 1
    open(path, "wb").write(data)
    print("wrote", TARGET)
    return 0


if __name__ == "__main__":
    sys.exit(main())

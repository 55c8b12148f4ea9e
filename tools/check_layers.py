#!/usr/bin/env python3
"""Checks that every #include in src/ runs down the layers, never up: a folder may include
its own headers and those of the folders below it in LAYERS, so there can be no circles.
In src/platform/core, only a file named for Windows (*_win.*) may include <windows.h>."""
import pathlib
import re
import sys

# From the top down.
LAYERS = ["tools", "app", "editor", "reminder", "memo", "theme", "model", "platform/win32",
          "platform/core"]

src = pathlib.Path(__file__).resolve().parent.parent / "src"


def layer_of(path):
    for rank, folder in enumerate(LAYERS):
        if path == folder or path.startswith(folder + "/"):
            return rank
    return None


problems = []
for file in sorted(src.rglob("*")):
    if file.suffix not in (".h", ".cpp"):
        continue
    own = layer_of(file.parent.relative_to(src).as_posix())
    if own is None:
        problems.append(f"{file.relative_to(src)}: in no layer")
        continue
    portable = file.parent == src / "platform" / "core" and not file.stem.endswith("_win")
    for number, line in enumerate(file.read_text(encoding="utf-8").splitlines(), 1):
        if portable and re.match(r"\s*#\s*include\s+<windows\.h>", line):
            problems.append(f"{file.relative_to(src)}:{number}: portable, includes <windows.h>")
        match = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
        if not match or "/" not in match.group(1):
            continue
        target = layer_of(match.group(1).rsplit("/", 1)[0])
        if target is None or target < own:
            problems.append(f"{file.relative_to(src)}:{number}: includes {match.group(1)}")

for problem in problems:
    print(problem)
sys.exit(1 if problems else 0)

#!/usr/bin/env python3
"""Checks that every #include in src/ runs down the layers, never up: a folder may include
its own headers and those of the folders below it in LAYERS. Within a folder, no include
circle: a unit (x.h and x.cpp) depends on the units whose headers its files include, and no
unit may depend on itself that way. In src/platform/core, only a file named for Windows
(*_win.*) may include <windows.h>.

    check_layers.py [SRC]   SRC: the source tree to check (this repository's src/ by default)
"""
import pathlib
import re
import sys

# From the top down.
LAYERS = ["tools", "app", "editor", "reminder", "memo", "theme", "model", "platform/win32",
          "platform/core"]

def layer_of(path):
    for rank, folder in enumerate(LAYERS):
        if path == folder or path.startswith(folder + "/"):
            return rank
    return None


def unit_of(path):
    return path.with_suffix("").as_posix()


def circles(uses):
    """The sets of units that depend on each other, each set all the units of one tangle."""
    def reached_from(unit):
        seen, todo = set(), [unit]
        while todo:
            for used in uses.get(todo.pop(), ()):
                if used not in seen:
                    seen.add(used)
                    todo.append(used)
        return seen

    reached = {unit: reached_from(unit) for unit in uses}
    return {frozenset(other for other in reached[unit] if unit in reached.get(other, ()))
            for unit in uses if unit in reached[unit]}


def check(src):
    problems = []
    uses = {}
    for file in sorted(src.rglob("*")):
        if file.suffix not in (".h", ".cpp"):
            continue
        folder = file.parent.relative_to(src).as_posix()
        own = layer_of(folder)
        if own is None:
            problems.append(f"{file.relative_to(src)}: in no layer")
            continue
        unit = unit_of(file.relative_to(src))
        uses.setdefault(unit, set())
        portable = folder == "platform/core" and not file.stem.endswith("_win")
        for number, line in enumerate(file.read_text(encoding="utf-8").splitlines(), 1):
            if portable and re.match(r"\s*#\s*include\s+<windows\.h>", line):
                problems.append(f"{file.relative_to(src)}:{number}: portable, includes <windows.h>")
            match = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
            if not match:
                continue
            included = match.group(1)
            if "/" not in included:
                included = f"{folder}/{included}"
            if unit_of(pathlib.PurePosixPath(included)) != unit:
                uses[unit].add(unit_of(pathlib.PurePosixPath(included)))
            target = layer_of(included.rsplit("/", 1)[0])
            if target is None or target < own:
                problems.append(f"{file.relative_to(src)}:{number}: includes {match.group(1)}")

    found = circles(uses)
    for circle in sorted(found, key=sorted):
        problems.append("include circle: " + ", ".join(sorted(circle)))
    return problems


if __name__ == "__main__":
    root = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else \
        pathlib.Path(__file__).resolve().parent.parent / "src"
    problems = check(root)
    for problem in problems:
        print(problem)
    sys.exit(1 if problems else 0)

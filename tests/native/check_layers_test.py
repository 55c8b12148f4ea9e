#!/usr/bin/env python3
"""tools/check_layers.py on made-up trees: two units of a folder that include each other fail
it, named; the same units used one way pass."""
import pathlib
import subprocess
import sys
import tempfile

checker = pathlib.Path(__file__).resolve().parents[2] / "tools" / "check_layers.py"


def run(files):
    with tempfile.TemporaryDirectory() as root:
        for name, text in files.items():
            path = pathlib.Path(root, name)
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(text)
        return subprocess.run([sys.executable, checker, root], capture_output=True, text=True)


one_way = {"model/a.h": '#include "model/b.h"\n', "model/b.h": "", "model/b.cpp": '#include "b.h"\n'}
circle = {**one_way, "model/b.cpp": '#include "b.h"\n#include "model/a.h"\n'}
found = run(circle)
if found.returncode != 1 or "include circle: model/a, model/b" not in found.stdout:
    sys.exit(f"the circle was not found: {found.returncode} {found.stdout!r}")
passed = run(one_way)
if passed.returncode != 0:
    sys.exit(f"a tree without a circle failed: {passed.stdout!r}")

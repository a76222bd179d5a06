#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""scripts/check-layers on scratch trees: a tree of good includes passes, and
each kind of bad include added to it fails, named by file, line and reason.

usage: check_layers_test.py CHECK_LAYERS
"""
import pathlib
import subprocess
import sys
import tempfile

GOOD = {
    "engine/card.h": "#include <cstdint>\n",
    "table/game.h": '#include <vector>\n\n#include "engine/card.h"\n',
    "table/game.cpp": '#include "table/game.h"\n#include "game.h"\n',
}
# The file added, its line, and what the report must say of it.
BAD = [
    ("engine/rules.cpp", "#include <table/game.h>\n",
     "engine/rules.cpp:1: <table/game.h>: a project header in angle brackets"),
    ("table/draw.cpp", '#include "../ui/pokerf.h"\n',
     'table/draw.cpp:1: "../ui/pokerf.h" climbs out of its folder'),
    ("records/store.cpp", "#include <QString>\n",
     "records/store.cpp:1: Qt header <QString> in plain C++"),
]


def run(check: str, files: dict) -> subprocess.CompletedProcess:
    with tempfile.TemporaryDirectory() as folder:
        root = pathlib.Path(folder)
        for name, text in files.items():
            (root / name).parent.mkdir(parents=True, exist_ok=True)
            (root / name).write_text(text, encoding="utf-8")
        return subprocess.run([sys.executable, check, folder], capture_output=True, text=True)


def main() -> int:
    check = sys.argv[1]
    failures = []
    good = run(check, GOOD)
    if good.returncode != 0:
        failures.append(f"good tree failed:\n{good.stdout}{good.stderr}")
    for name, line, expected in BAD:
        bad = run(check, {**GOOD, name: line})
        print(bad.stdout, end="")
        if bad.returncode != 1 or expected not in bad.stdout:
            failures.append(f"{name} ({line.strip()}) not reported as {expected!r}:\n"
                            f"{bad.stdout}{bad.stderr}")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Fails when a source folder includes a folder above its own, or names the program's state.

Layers, bottom to top: common and resources, script, engine, integration, ui, shell. A folder
includes only itself and the folders below it; only the shell owns the state record."""
import pathlib
import re
import sys

RANK = {"common": 0, "resources": 0, "script": 1, "engine": 2, "integration": 3, "ui": 4,
        "shell": 5}
STATE_OWNER = "shell"
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^/"]+)/')
STATE = re.compile(r"\bg_setup\b")


def problems(root: pathlib.Path):
    for path in sorted(root.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        folder = path.relative_to(root).parts[0]
        if folder not in RANK:
            continue
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if match and RANK.get(match.group(1), -1) > RANK[folder]:
                yield f"{path}:{number}: {folder} includes {match.group(1)}: {line.strip()}"
            if folder != STATE_OWNER and STATE.search(line):
                yield f"{path}:{number}: {folder} names the shell's state: {line.strip()}"


def main() -> int:
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src")
    found = list(problems(root))
    for problem in found:
        print(problem)
    print(f"{len(found)} layer violations in {root}")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Fails when a source folder includes a folder above its own, or names the program's state.

Layers, bottom to top: common and resources, script, engine, integration, ui, shell. A folder
includes only itself and the folders below it; only the shell owns the state record."""
import pathlib
import re
import sys

RANK = {"common": 0, "resources": 0, "script": 1, "engine": 2, "integration": 3, "ui": 4,
        "shell": 5, "uninstall": 5}
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


def self_test() -> int:
    """The check finds an upward include and the state named below the shell, and passes a
    tree without them."""
    import tempfile
    with tempfile.TemporaryDirectory() as folder:
        root = pathlib.Path(folder)
        for name, text in {
            "engine/Good.cpp": '#include "engine/Good.h"\n#include "script/Model.h"\n',
            "shell/Owner.cpp": '#include "ui/Page.h"\nSetupState g_setup;\n',
        }.items():
            (root / name).parent.mkdir(parents=True, exist_ok=True)
            (root / name).write_text(text)
        if list(problems(root)):
            print("self-test: a sound tree was reported")
            return 1
        (root / "engine/Bad.cpp").write_text('#include "ui/Page.h"\nint x = g_setup.y;\n')
        found = list(problems(root))
        if len(found) != 2:
            print(f"self-test: expected 2 problems, found {found}")
            return 1
    print("self-test passed")
    return 0


def main() -> int:
    if sys.argv[1:] == ["--self-test"]:
        return self_test()
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src")
    found = list(problems(root))
    for problem in found:
        print(problem)
    print(f"{len(found)} layer violations in {root}")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())

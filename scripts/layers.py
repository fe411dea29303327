#!/usr/bin/env python3
"""Lists the #includes of src/ that run against the layers.

The Windows shell's folders form layers, each using only those below it:
src/win32, then settings/win32, overlay/win32, panel/win32, app/win32. A core
folder sits at the layer of its own win32 folder (the foundation folders at
the bottom, with src/win32), and never includes a win32 folder. Inside
src/overlay the folders must not include each other in a loop.

Prints every include that goes up a layer, every core file that includes a
win32 folder and every loop between overlay folders; exits 1 when there is
any. Run from the repository's root: python3 scripts/layers.py
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent / "src"
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)

# The layer of each top folder: its win32 folder's place in the shell.
FOUNDATION = {"common", "text", "units", "canvas"}
LAYER = {"settings": 1, "lang": 1, "overlay": 2, "panel": 3, "app": 4}


def folder_of(path):
    """src-relative folder of a file or an include: 'overlay/draw', 'win32'."""
    return str(pathlib.PurePosixPath(path).parent)


def layer_of(folder):
    top = folder.split("/")[0]
    if top == "win32":
        return 0
    if top in FOUNDATION:
        return 0
    return LAYER.get(top)


def is_shell(folder):
    return folder == "win32" or folder.endswith("/win32")


def main():
    up, core_to_shell, edges = [], [], {}
    for file in sorted(ROOT.rglob("*")):
        if file.suffix not in {".h", ".cpp", ".inc"}:
            continue
        here = folder_of(file.relative_to(ROOT).as_posix())
        for target in INCLUDE.findall(file.read_text(encoding="utf-8", errors="replace")):
            there = folder_of(target)
            if not (ROOT / target).exists() or there == here:
                continue
            line = f"{file.relative_to(ROOT)} -> {target}"
            if not is_shell(here) and is_shell(there):
                core_to_shell.append(line)
            mine, theirs = layer_of(here), layer_of(there)
            if mine is not None and theirs is not None and theirs > mine:
                up.append(line)
            if here.startswith("overlay/") and there.startswith("overlay/"):
                edges.setdefault(here, set()).add(there)
    loops = set()
    for start in edges:
        stack = [(start, [start])]
        while stack:
            node, path = stack.pop()
            for nxt in edges.get(node, ()):
                if nxt == start:
                    cycle = path[path.index(min(path)):] + path[: path.index(min(path))]
                    loops.add(" -> ".join(cycle + [cycle[0]]))
                elif nxt not in path:
                    stack.append((nxt, path + [nxt]))
    for title, lines in (("up a layer", up), ("core to win32", core_to_shell), ("overlay folder loops", sorted(loops))):
        print(f"{title}: {len(lines)}")
        for line in lines:
            print(f"  {line}")
    return 1 if up or core_to_shell or loops else 0


if __name__ == "__main__":
    sys.exit(main())

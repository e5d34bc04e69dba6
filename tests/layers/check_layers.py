#!/usr/bin/env python3
"""Checks that every include of the sources runs down the layers.

    check_layers.py SOURCE_DIR LAYER...

Each LAYER argument names the folders of one layer, separated by spaces,
from the bottom up, as cmake/Layers.cmake lists them. A source (.h or .cpp
in a layer's folder) may include headers of its own folder and of the
layers below it: not of a layer beside it or above it, and not of a folder
that is no layer. The core, up to the store, includes nothing of Qt.
Headers CMake generates (trelvan/) may be included anywhere. Prints each
offending file and include, and exits with 1 when there is any.
"""

import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
GENERATED = "trelvan/"
QT_FREE_UP_TO = "store"


def main():
    root = pathlib.Path(sys.argv[1])
    rank = {}
    for position, layer in enumerate(sys.argv[2:]):
        for folder in layer.split():
            rank[folder] = position
    if QT_FREE_UP_TO not in rank:
        sys.exit(f"check_layers.py: no layer {QT_FREE_UP_TO} among the arguments")
    # The longest folder first, so that app/programs/ is not taken for app/.
    folders = sorted(rank, key=len, reverse=True)

    def folder_of(path):
        return next((f for f in folders if path.startswith(f + "/")), None)

    problems = []
    for folder in sorted(rank):
        for source in sorted((root / folder).glob("*")):
            if source.suffix not in (".h", ".cpp"):
                continue
            name = source.relative_to(root).as_posix()
            lines = source.read_text(encoding="utf-8").splitlines()
            for number, line in enumerate(lines, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                quote, header = match.groups()
                closing = ">" if quote == "<" else '"'
                where = f"{name}:{number}: #include {quote}{header}{closing}"
                if quote == "<":
                    if rank[folder] <= rank[QT_FREE_UP_TO] and header.startswith("Q"):
                        problems.append(f"{where}: Qt in a layer without Qt")
                    continue
                if header.startswith(GENERATED):
                    continue
                target = folder_of(header)
                if target is None:
                    problems.append(f"{where}: a header of no layer")
                elif target != folder and rank[target] >= rank[folder]:
                    side = "beside" if rank[target] == rank[folder] else "above"
                    problems.append(f"{where}: {target} lies {side} {folder}")
    for problem in problems:
        print(problem)
    print(f"check_layers.py: {len(problems)} include(s) against the layers")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

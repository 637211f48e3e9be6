#!/usr/bin/env python3
"""The folder graph of the product's includes: which folder includes which, and whether any edge
points up the layers or closes a cycle between files. Prints the edges with their counts; exits 1
when an include goes up or files include one another round in a circle.

Layers, from the bottom: platform, model, sun and driver, document, bridge (the core's MQTT
adapter), then the Qt side: platform/qt, widgets, documentwindow, app, and the programs in tools/
on top. A folder may
include its own layer and any below it."""
import os
import re
import sys

LAYERS = {
    "platform": 0, "model": 1, "sun": 2, "driver": 2, "document": 3, "bridge": 4,
    "platform/qt": 5, "widgets": 6, "documentwindow": 7, "app": 8,
    "tools/cli": 9, "tools/helper": 9, "tools/emulator": 9, "tools/screenshots": 9,
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def folder_of(path):
    folder = os.path.dirname(path)
    return folder if folder in LAYERS else None


def main():
    top = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..")
    files = {}
    for folder in LAYERS:
        for name in sorted(os.listdir(os.path.join(top, folder))):
            if name.endswith((".h", ".cpp")):
                path = f"{folder}/{name}"
                files[path] = INCLUDE.findall(open(os.path.join(top, path), encoding="utf-8").read())
    edges, upward = {}, []
    for path, includes in files.items():
        for included in includes:
            target = folder_of(included)
            if target is None:
                continue
            source = folder_of(path)
            if source != target:
                edges[(source, target)] = edges.get((source, target), 0) + 1
            if LAYERS[target] > LAYERS[source]:
                upward.append(f"{path} includes {included}")

    # A cycle among files: a header reached again from itself through the includes.
    def reaches(start):
        seen, stack = set(), [start]
        while stack:
            for included in files.get(stack.pop(), []):
                if included == start:
                    return True
                if included in files and included not in seen:
                    seen.add(included)
                    stack.append(included)
        return False

    cycles = [path for path in files if path.endswith(".h") and reaches(path)]
    for (source, target), count in sorted(edges.items()):
        print(f"{source} -> {target}  ({count})")
    for line in upward:
        print(f"UP: {line}")
    for path in cycles:
        print(f"CYCLE: {path} includes itself through others")
    return 1 if upward or cycles else 0


sys.exit(main())

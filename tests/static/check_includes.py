#!/usr/bin/env python3
"""The include graph between the product's folders: no cycle, nothing in shared/ or framework/ includes
from a deliverable's folder, and the tray includes nothing of the mouse hook's (it binds the hook at run
time through shared/MouseHookExports.h). setup/'s subfolders count as folders of their own.

check_includes.py SOURCE_DIR"""
import os
import re
import sys

FOLDERS = ["framework", "shared", "hook", "tray", "kbdhook", "mixer",
           "setup/engine", "setup/install", "setup/wizard", "setup/controls", "setup"]
BASE = {"framework", "shared"}
FORBIDDEN = {("tray", "hook")}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def folder_of(path):
    """The folder a repository path belongs to, or None outside the product."""
    for folder in FOLDERS:
        if path.startswith(folder + "/"):
            return folder
    return None


def graph(top):
    edges = {}
    for folder in FOLDERS:
        root = os.path.join(top, folder)
        for directory, subfolders, files in os.walk(root):
            for name in files:
                if not name.endswith((".h", ".cpp", ".rc")):
                    continue
                path = os.path.relpath(os.path.join(directory, name), top).replace(os.sep, "/")
                if folder_of(path) != folder:
                    continue
                with open(os.path.join(top, path), encoding="latin-1") as source:
                    for included in INCLUDE.findall(source.read()):
                        target = folder_of(included)
                        if target and target != folder:
                            edges.setdefault(folder, {}).setdefault(target, []).append(path + " -> " + included)
    return edges


def cycle(edges):
    """One cycle as a list of folders, or None."""
    state = {}
    stack = []

    def visit(node):
        state[node] = 1
        stack.append(node)
        for target in sorted(edges.get(node, {})):
            if state.get(target) == 1:
                return stack[stack.index(target):] + [target]
            if target not in state:
                found = visit(target)
                if found:
                    return found
        stack.pop()
        state[node] = 2
        return None

    for node in FOLDERS:
        if node not in state:
            found = visit(node)
            if found:
                return found
    return None


def main():
    edges = graph(sys.argv[1])
    faults = []
    for source, targets in sorted(edges.items()):
        for target, lines in sorted(targets.items()):
            if (source in BASE and target not in BASE) or (source, target) in FORBIDDEN:
                faults.append("%s must not include from %s: %s" % (source, target, "; ".join(lines)))
    found = cycle(edges)
    if found:
        faults.append("cycle: " + " -> ".join(found))
    for source, targets in sorted(edges.items()):
        print("%-15s -> %s" % (source, ", ".join(sorted(targets))))
    for fault in faults:
        print("FAULT: " + fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

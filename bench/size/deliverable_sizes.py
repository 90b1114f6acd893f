#!/usr/bin/env python3
"""Sizes of the shipped i686 deliverables against their goals: deliverable_sizes.py PRODUCT_BIN_DIR

Prints each file's size, its code and data (everything but the resource section, which holds the pictures
and dialogs at their stated sizes and depths), and the ratio of the file to its goal. hoppet.dll is mapped
into every GUI program on the 9x family, so it has the tightest goal.
"""
import os
import struct
import sys

GOALS = [("hoppet.dll", 64), ("VORRIN.DLL", 32), ("TAMSEL.DLL", 32), ("Quelmar.exe", 256)]


def resource_bytes(content):
    """Raw size of the .rsrc section, from the PE section table."""
    pe = struct.unpack_from("<I", content, 0x3C)[0]
    sections, _, _, _, optional_size = struct.unpack_from("<HIIIH", content, pe + 6)
    table = pe + 24 + optional_size
    for i in range(sections):
        name, _, _, raw_size = struct.unpack_from("<8sIII", content, table + 40 * i)
        if name.rstrip(b"\0") == b".rsrc":
            return raw_size
    return 0


def main(folder):
    print("%-12s %9s %9s %9s %8s" % ("file", "KiB", "code KiB", "goal KiB", "ratio"))
    missed = 0
    for name, goal in GOALS:
        path = os.path.join(folder, name)
        try:
            with open(path, "rb") as image:
                content = image.read()
        except OSError as error:
            print("%-12s missing (%s)" % (name, error.strerror))
            missed += 1
            continue
        size = len(content) / 1024.0
        code = (len(content) - resource_bytes(content)) / 1024.0
        ratio = size / goal
        print("%-12s %9.1f %9.1f %9d %7.2fx%s" % (name, size, code, goal, ratio, "" if ratio <= 1 else "  over"))
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "build/i686/bin"))

#!/usr/bin/env python3
"""Each deliverable links one definition of each external name.

  check_definitions.py BUILD_DIR TARGET... [--nm TOOL] [--objdump TOOL]

For each TARGET of the product tree BUILD_DIR, reads the link command CMake wrote for it (link.txt and the
response files it names) and takes the object files and the project's own static libraries, in link order.
An external name that two of their members define is a fault even when the link succeeds: the linker keeps
the first and silently drops the other, so code written against the dropped one runs the kept one. COMDAT
definitions (inline functions, templates) are merged by design and do not count.

Prints one line per deliverable and exits 1 when any links a name twice.
"""
import argparse
import glob
import os
import re
import shlex
import subprocess
import sys

DEFINED = set("TDBR")   # code, data, zero-filled data, read-only data


def link_inputs(build, target):
    found = glob.glob(os.path.join(build, "**", "CMakeFiles", target + ".dir", "link.txt"), recursive=True)
    if len(found) != 1:
        sys.exit("%s: no single link command under %s" % (target, build))
    link = found[0]
    workdir = os.path.abspath(os.path.dirname(os.path.dirname(os.path.dirname(link))))
    # The objects go through CMake's archive (the ar line's response file), the libraries follow on the
    # compiler's line; both in the order the linker reads them.
    words = []
    for line in open(link):
        parts = shlex.split(line)
        if parts and re.search(r"(-ar|g\+\+|gcc|ld)(-win32|-posix)?$", parts[0]):
            words += parts[1:]
    build = os.path.abspath(build)
    inputs = []
    for word in words:
        names = [word]
        if word.startswith("@"):
            names = shlex.split(open(os.path.join(workdir, word[1:])).read())
        for name in names:
            if name.startswith("-"):
                continue
            path = os.path.normpath(os.path.join(workdir, name))
            if path.endswith("objects.a"):
                continue   # CMake's archive of the objects listed in objects1
            if re.search(r"\.(obj|o|a)$", path) and path.startswith(build + os.sep) \
                    and os.path.isfile(path) and path not in inputs:
                inputs.append(path)
    return inputs


def run(tool, path, args):
    return subprocess.run([tool] + args + [path], capture_output=True, text=True, check=True).stdout


def comdat_names(objdump, path):
    names = set()
    member = path
    for line in run(objdump, path, ["-h"]).splitlines():
        m = re.match(r"^(\S.*?):\s+file format", line)
        if m and path.endswith(".a"):
            member = path + ":" + os.path.basename(m.group(1))
        for name in re.findall(r"\(COMDAT (\S+) \d+\)", line):
            names.add((member, name))
    return names


def definitions(nm, objdump, path):
    comdat = comdat_names(objdump, path)
    result = []
    for line in run(nm, path, ["-A", "-g", "--defined-only"]).splitlines():
        m = re.match(r"^(.*?):\s*[0-9a-fA-F]+\s+(\S)\s+(\S+)$", line)
        if not m or m.group(2) not in DEFINED:
            continue
        where, name = m.group(1), m.group(3)
        member = where if where == path else path + ":" + os.path.basename(where.split(":")[-1])
        if (member, name) not in comdat:
            result.append((name, member))
    return result


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("targets", nargs="+")
    parser.add_argument("--nm", default="i686-w64-mingw32-nm")
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    args = parser.parse_args()
    failed = False
    for target in args.targets:
        seen = {}
        for path in link_inputs(args.build, target):
            for name, member in definitions(args.nm, args.objdump, path):
                seen.setdefault(name, []).append(os.path.relpath(member, args.build))
        twice = {name: where for name, where in seen.items() if len(where) > 1}
        if twice:
            failed = True
            print("FAIL %s: %d names defined more than once" % (target, len(twice)))
            for name in sorted(twice):
                print("  %s: %s" % (name, ", ".join(twice[name])))
        else:
            print("ok   %s: every external name defined once (%d names)" % (target, len(seen)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Static checks of a built Windows deliverable (DLL or EXE) with MinGW's objdump.

  check_pe.py FILE [--exports NAME...] [--shared-section NAME...] [--system-imports-only]
              [--version-resource] [--objdump TOOL]

--exports             the export table holds exactly these names (no more, no fewer)
--shared-section      a section of this name exists and is DATA and SHARED (objdump -h flags)
--system-imports-only every imported DLL is one of the system DLLs below (case-insensitive)
--version-resource    the file carries a version resource (UTF-16 "VS_VERSION_INFO")

Prints one line per check and exits 1 when any check fails.
"""
import argparse
import re
import subprocess
import sys

SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "ole32.dll",
    "oleaut32.dll", "comctl32.dll", "comdlg32.dll", "winmm.dll", "msvcrt.dll", "version.dll",
    "shlwapi.dll",
}


def run_objdump(tool, option, path):
    result = subprocess.run([tool, option, path], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                            universal_newlines=True)
    if result.returncode != 0:
        raise RuntimeError("%s %s %s failed: %s" % (tool, option, path, result.stderr.strip()))
    return result.stdout


def export_names(private_headers):
    """Names of the '[Ordinal/Name Pointer] Table' in objdump -p output."""
    names = []
    in_table = False
    for line in private_headers.splitlines():
        if line.startswith("[Ordinal/Name Pointer] Table"):
            in_table = True
            continue
        if in_table:
            match = re.match(r"\s*\[\s*\d+\]\s+(?:\+base\[\s*\d+\]\s+[0-9a-fA-F]+\s+)?(\S+)\s*$", line)
            if not match:
                break
            names.append(match.group(1))
    return names


def imported_dlls(private_headers):
    return [m.group(1) for m in re.finditer(r"^\s*DLL Name:\s*(\S+)", private_headers, re.M)]


def section_flags(section_headers, name):
    """The flag words of the section called name in objdump -h output, or None when it is missing."""
    lines = section_headers.splitlines()
    for index, line in enumerate(lines):
        fields = line.split()
        if len(fields) >= 2 and fields[0].isdigit() and fields[1] == name and index + 1 < len(lines):
            return {flag.strip() for flag in lines[index + 1].split(",")}
    return None


def main(argv):
    parser = argparse.ArgumentParser(description="Static checks of a built Windows deliverable.")
    parser.add_argument("file")
    parser.add_argument("--exports", nargs="*", metavar="NAME")
    parser.add_argument("--shared-section", nargs="+", default=[], metavar="NAME")
    parser.add_argument("--system-imports-only", action="store_true")
    parser.add_argument("--version-resource", action="store_true")
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    args = parser.parse_args(argv)

    failures = []

    def report(ok, what):
        print(("ok    " if ok else "FAIL  ") + what)
        if not ok:
            failures.append(what)

    try:
        with open(args.file, "rb") as image:
            content = image.read()
        private_headers = run_objdump(args.objdump, "-p", args.file)
        section_headers = run_objdump(args.objdump, "-h", args.file)
    except (OSError, RuntimeError) as error:
        print("FAIL  %s: %s" % (args.file, error))
        return 1

    if args.exports is not None:
        found = export_names(private_headers)
        expected = sorted(args.exports)
        report(sorted(found) == expected and len(found) == len(set(found)),
               "exports: expected %s, found %s" % (expected, sorted(found)))

    for name in args.shared_section:
        flags = section_flags(section_headers, name)
        report(flags is not None and "DATA" in flags and "SHARED" in flags,
               "section %s: %s" % (name, "missing" if flags is None else ", ".join(sorted(flags))))

    if args.system_imports_only:
        dlls = imported_dlls(private_headers)
        others = [dll for dll in dlls if dll.lower() not in SYSTEM_DLLS]
        report(not others, "imports %s%s" % (", ".join(dlls) or "(none)",
                                            "; not system DLLs: " + ", ".join(others) if others else ""))

    if args.version_resource:
        report("VS_VERSION_INFO".encode("utf-16-le") in content, "version resource")

    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

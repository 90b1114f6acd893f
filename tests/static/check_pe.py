#!/usr/bin/env python3
"""Static checks of a built Windows deliverable (DLL or EXE) with MinGW's objdump.

  check_pe.py FILE [--exports NAME...] [--shared-section NAME...] [--system-imports-only]
              [--version-resource] [--imports LIST] [--stdcall NAME=BYTES...] [--cdecl NAME...]
              [--objdump TOOL]

--exports             the export table holds exactly these names (no more, no fewer)
--shared-section      a section of this name exists and is DATA and SHARED (objdump -h flags)
--system-imports-only every imported DLL is one of the system DLLs below (case-insensitive)
--version-resource    the file carries a version resource (UTF-16 "VS_VERSION_INFO")
--imports             the imported functions are exactly those of LIST (one DLL!Function a line; "#" starts
                      a note), none of them is missing on Windows 95 or NT 4.0 (OLDEST_LACK below), and no
                      wide-character function is imported but those that work on the 9x family
--shipped             PE headers name Windows 4.0 as the oldest system and subsystem; the file is stripped
                      and links to its separate debug file
--stdcall, --cdecl    the export returns with "ret BYTES" (stdcall) or a plain "ret" (cdecl), read from its
                      machine code (following a jump thunk)

Prints one line per check and exits 1 when any check fails.
"""
import argparse
import re
import struct
import subprocess
import sys

SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "ole32.dll",
    "oleaut32.dll", "comctl32.dll", "comdlg32.dll", "winmm.dll", "msvcrt.dll", "version.dll",
    "shlwapi.dll",
}

# Functions that Windows 95 or Windows NT 4.0 (or both) lack: the loader refuses a file that imports one.
OLDEST_LACK = set("""
GetTickCount64 AddVectoredExceptionHandler RemoveVectoredExceptionHandler AddVectoredContinueHandler
RemoveVectoredContinueHandler GetModuleHandleExA GetModuleHandleExW InitializeSRWLock AcquireSRWLockExclusive
AcquireSRWLockShared ReleaseSRWLockExclusive ReleaseSRWLockShared TryAcquireSRWLockExclusive
TryAcquireSRWLockShared InitializeConditionVariable SleepConditionVariableCS SleepConditionVariableSRW
WakeConditionVariable WakeAllConditionVariable InitOnceExecuteOnce InitOnceBeginInitialize InitOnceComplete
InitOnceInitialize FlsAlloc FlsFree FlsGetValue FlsSetValue InitializeCriticalSectionEx
InitializeCriticalSectionAndSpinCount SetCriticalSectionSpinCount TryEnterCriticalSection GetHandleInformation
SetHandleInformation SwitchToThread SignalObjectAndWait GetFileSizeEx SetFilePointerEx GetFileAttributesExA
GetSystemTimePreciseAsFileTime GetNativeSystemInfo GetProcessId GetThreadId CreateEventExA CreateEventExW
CreateMutexExA CreateMutexExW CreateSemaphoreExA CreateSemaphoreExW CreateWaitableTimerExA
CreateWaitableTimerExW VerifyVersionInfoA VerifyVersionInfoW GlobalMemoryStatusEx IsDebuggerPresent
CreateWaitableTimerA CreateWaitableTimerW OpenWaitableTimerA SetWaitableTimer CancelWaitableTimer
SendInput GetGUIThreadInfo TrackMouseEvent GetAncestor MonitorFromPoint MonitorFromWindow MonitorFromRect
GetMonitorInfoA GetMonitorInfoW EnumDisplayMonitors GradientFill AlphaBlend TransparentBlt
SetLayeredWindowAttributes UpdateLayeredWindow PrintWindow AllowSetForegroundWindow LockSetForegroundWindow
GetLastInputInfo
""".split())

# Wide-character functions that do work on the 9x family (the rest are stubs that fail there).
WIDE_ON_9X = {
    "MultiByteToWideChar", "WideCharToMultiByte", "lstrlenW", "TextOutW", "ExtTextOutW",
    "GetTextExtentPoint32W", "GetTextExtentPointW", "MessageBoxW", "MessageBoxExW", "GetCharWidthW",
    "EnumResourceLanguagesW", "FindResourceW", "FindResourceExW", "GetCommandLineW", "wcslen",
}


def is_wide(function):
    return len(function) > 1 and function.endswith("W") and (function[-2].islower() or function[-2].isdigit())


def imported_functions(private_headers):
    """DLL!Function for every import (DLL names lower case), from objdump -p."""
    functions = []
    dll = None
    in_imports = False
    for line in private_headers.splitlines():
        if line.startswith("The Import Tables"):
            in_imports = True
            continue
        if line.startswith("There is an export table") or line.startswith("The Export Tables"):
            in_imports = False
        if not in_imports:
            continue
        match = re.match(r"\s*DLL Name:\s*(\S+)", line)
        if match:
            dll = match.group(1).lower()
            continue
        fields = line.split()
        if dll and len(fields) == 3 and re.fullmatch(r"[0-9a-fA-F]+", fields[0]) and fields[1].isdigit():
            functions.append("%s!%s" % (dll, fields[2]))
    return functions


def read_list(path):
    entries = []
    with open(path) as listing:
        for line in listing:
            entry = line.split("#", 1)[0].strip()
            if entry:
                dll, _, function = entry.partition("!")
                entries.append("%s!%s" % (dll.lower(), function))
    return entries


def export_addresses(private_headers):
    """Export name -> virtual address, from objdump -p."""
    image_base = int(re.search(r"^ImageBase\s+([0-9a-fA-F]+)", private_headers, re.M).group(1), 16)
    rvas = {}
    in_table = False
    for line in private_headers.splitlines():
        if line.startswith("Export Address Table --"):
            in_table = True
            continue
        if in_table:
            match = re.match(r"\s*\[\s*(\d+)\]\s+\+base\[\s*\d+\]\s+([0-9a-fA-F]+)", line)
            if not match:
                break
            rvas[int(match.group(1))] = int(match.group(2), 16)
    addresses = {}
    in_table = False
    for line in private_headers.splitlines():
        if line.startswith("[Ordinal/Name Pointer] Table"):
            in_table = True
            continue
        if in_table:
            match = re.match(r"\s*\[\s*(\d+)\]\s+(\S+)\s*$", line)
            if not match:
                break
            addresses[match.group(2)] = image_base + rvas[int(match.group(1))]
    return addresses


def return_of(tool, path, address, hops=0):
    """The first return instruction reached from address, following an unconditional jump at the start."""
    out = run_objdump_args(tool, ["-d", "--no-show-raw-insn", "--start-address=0x%x" % address,
                                  "--stop-address=0x%x" % (address + 4096), path])
    first = True
    for line in out.splitlines():
        match = re.match(r"\s*[0-9a-f]+:\s+(\S+)\s*(.*)$", line)
        if not match:
            continue
        mnemonic, operands = match.group(1), match.group(2).strip()
        if first and mnemonic == "jmp" and hops < 3:
            target = re.match(r"(?:\*)?0x([0-9a-f]+)$", operands)
            if target and not operands.startswith("*"):
                return return_of(tool, path, int(target.group(1), 16), hops + 1)
        first = False
        if mnemonic.startswith("ret"):
            return mnemonic, operands
    return None, None


def run_objdump_args(tool, args):
    result = subprocess.run([tool] + args, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                            universal_newlines=True)
    if result.returncode != 0:
        raise RuntimeError("%s %s failed: %s" % (tool, " ".join(args), result.stderr.strip()))
    return result.stdout


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
    parser.add_argument("--imports", metavar="LIST")
    parser.add_argument("--shipped", action="store_true")
    parser.add_argument("--stdcall", nargs="+", default=[], metavar="NAME=BYTES")
    parser.add_argument("--cdecl", nargs="+", default=[], metavar="NAME")
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

    if args.imports:
        found = imported_functions(private_headers)
        listed = read_list(args.imports)
        new = sorted(set(found) - set(listed))
        gone = sorted(set(listed) - set(found))
        report(not new and not gone, "imported functions as listed in %s%s%s" % (
            args.imports, "; not listed: " + ", ".join(new) if new else "",
            "; listed but not imported: " + ", ".join(gone) if gone else ""))
        late = sorted(f for f in found if f.split("!", 1)[1] in OLDEST_LACK)
        report(not late, "no function that 95 or NT 4.0 lacks%s" % ("; found: " + ", ".join(late) if late else ""))
        wide = sorted(f for f in found if is_wide(f.split("!", 1)[1]) and f.split("!", 1)[1] not in WIDE_ON_9X)
        report(not wide, "no wide-character function but those that work on 9x%s" %
               ("; found: " + ", ".join(wide) if wide else ""))

    if args.stdcall or args.cdecl:
        addresses = export_addresses(private_headers)
        expected = [(name, "ret", "$0x%x" % int(n)) for name, n in (item.split("=") for item in args.stdcall)]
        expected += [(name, "ret", "") for name in args.cdecl]
        for name, mnemonic, operand in expected:
            if name not in addresses:
                report(False, "%s: not exported" % name)
                continue
            seen, operands = return_of(args.objdump, args.file, addresses[name])
            ok = seen is not None and seen.startswith(mnemonic) and operands == operand
            report(ok, "%s returns with %s %s (seen: %s %s)" % (name, mnemonic, operand or "(no operand)",
                                                              seen, operands))

    if args.shipped:
        fields = dict(re.findall(r"^(\w+)\s+(\S+)\s*$", private_headers, re.M))
        versions = [fields.get(k) for k in ("MajorOSystemVersion", "MinorOSystemVersion",
                                            "MajorSubsystemVersion", "MinorSubsystemVersion")]
        report(versions == ["4", "0", "4", "0"], "oldest system and subsystem 4.0 (seen %s)" % versions)
        pe = struct.unpack_from("<I", content, 0x3C)[0]
        symbols = struct.unpack_from("<I", content, pe + 4 + 12)[0]   # COFF header: NumberOfSymbols
        report(symbols == 0 and section_flags(section_headers, ".gnu_debuglink") is not None
               and section_flags(section_headers, ".debug_info") is None,
               "stripped, with a link to its debug file")

    if args.version_resource:
        report("VS_VERSION_INFO".encode("utf-16-le") in content, "version resource")

    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

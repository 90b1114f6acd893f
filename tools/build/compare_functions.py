#!/usr/bin/env python3
"""Compares the machine code of named functions in two builds of one i686 file.

compare_functions.py OLD.dll NEW.dll SYMBOL...   (each file's debug file beside it as FILE.debug)

Each function is disassembled from its symbol to the next one; addresses inside the image are written as
symbol+offset, so code that merely moved, or calls and data that moved, compare equal. Prints one line per
symbol and fails when one differs or is missing."""
import bisect
import re
import subprocess
import sys


def symbols(debug):
    listing = subprocess.run(["i686-w64-mingw32-nm", "-n", debug], capture_output=True, text=True).stdout
    found = []
    for line in listing.splitlines():
        fields = line.split()
        if len(fields) == 3:
            found.append((int(fields[0], 16), fields[2]))
    return found


def disassemble(image, wanted):
    table = symbols(image + ".debug")
    starts = [address for address, _ in table]

    def name(address):
        index = bisect.bisect_right(starts, address) - 1
        if address < 0x10000000 or address > 0xF0000000 or index < 0:
            return hex(address)   # a constant, not an address in the image
        return "%s+%#x" % (table[index][1], address - table[index][0])

    for index, (address, symbol) in enumerate(table):
        if symbol != wanted or index + 1 >= len(table):
            continue
        listing = subprocess.run(["i686-w64-mingw32-objdump", "-d", "--no-show-raw-insn",
                                  "--start-address=%#x" % address, "--stop-address=%#x" % table[index + 1][0], image],
                                 capture_output=True, text=True).stdout
        code = []
        for line in listing.splitlines():
            match = re.match(r"\s*[0-9a-f]+:\s*(.*)", line)
            if match:
                instruction = re.sub(r"\b([0-9a-f]{6,8}) <[^>]*>", lambda m: name(int(m.group(1), 16)), match.group(1))
                code.append(re.sub(r"0x([0-9a-f]{6,8})\b", lambda m: name(int(m.group(1), 16)), instruction))
        return code
    return None


def main():
    old, new, wanted = sys.argv[1], sys.argv[2], sys.argv[3:]
    status = 0
    for symbol in wanted:
        before, after = disassemble(old, symbol), disassemble(new, symbol)
        if before is None or after is None:
            print("%s: missing" % symbol)
            status = 1
        elif before != after:
            print("%s: DIFFERENT" % symbol)
            status = 1
        else:
            print("%s: identical (%d instructions)" % (symbol, len(before)))
    return status


if __name__ == "__main__":
    sys.exit(main())

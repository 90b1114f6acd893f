#!/bin/sh
# Wine's 32-bit loader for this machine, installed by wine32-setup.sh where Wine looks for it
# (DIR/root/usr/lib/wine/wine). The kernel runs no i386 program, so the real i386 loader runs under qemu's
# user-mode emulation (DIR/qemu, qemu 8 or newer); WINELOADERNOEXEC keeps Wine from re-executing itself
# outside qemu, so every 32-bit process Wine starts (also from a 64-bit one) comes back through here.
root=$(cd "$(dirname "$0")/../../.." && pwd)
export WINELOADERNOEXEC=1
exec "$root/../qemu/usr/bin/qemu-i386" -L "$root" -0 "$root/usr/lib/wine/wine" \
     -E LD_PRELOAD="$root/usr/lib/wine/wine32-preload.so" "$root/usr/lib/wine/wine32.elf" "$@"

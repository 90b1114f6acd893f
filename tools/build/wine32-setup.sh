#!/bin/bash
# Sets up, once, the emulated 32-bit Wine that runs the i686 lane: tools/build/wine32-setup.sh DIR makes
# DIR/root (as root user: it runs apt-get). Reused once made; a lock keeps runs started together apart.
#
# The kernel of these machines runs no i386 program, so Debian's i386 Wine runs under qemu's user-mode
# emulation. Its packages are fetched with an apt state of their own (architecture i386) and unpacked with
# dpkg -x into DIR/root: the system's dpkg never hears of i386 and /usr/bin/wine stays the 64-bit Wine.
# In DIR/root/usr/lib/wine:
#   wine                 wine32-loader.sh: runs the i386 loader (wine32.elf) under DIR/qemu's qemu-i386
#   wine64               a copy of the system's 64-bit loader: started from here, 64-bit Wine finds its
#                        32-bit sibling (the script) beside it and starts 32-bit programs through it
#   wine32-preload.so    built from wine32-preload.c: address ranges reserved up front, and the trap number
#                        of fault signals filled in where qemu leaves it out
# DIR/qemu holds qemu's user-mode emulator from Debian's bookworm-backports (package qemu-user, static
# binaries), fetched with another private apt state: Debian 12's own qemu 7.2 keeps one descriptor table
# for all threads of a process (qemu issue 1405), so a Wine thread picks up another thread's TEB selector
# and multi-threaded programs die at random. Any qemu from 8.0 on is accepted.
set -e
dir=$1
[ -n "$dir" ] || { echo "usage: $0 DIR" >&2; exit 2; }
root="$dir/root"
apt="$dir/apt"
# The marker names the set-up's version: a tree set up by an older version (qemu 7.2) is made again.
setupVersion=2
ready() { [ "$(cat "$dir/.ferrowin-ready" 2>/dev/null)" = "$setupVersion" ]; }
ready && exit 0
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)   # apt takes relative folders as relative to /
root="$dir/root"
apt="$dir/apt"
exec 9>"$dir/.setup.lock"
flock 9
ready && exit 0

here=$(cd "$(dirname "$0")" && pwd)
packages="wine32 libwine fonts-wine libxrender1 libxrandr2 libxi6 libxcursor1 libxcomposite1 libxfixes3
          libxinerama1 libxxf86vm1"
aptOptions=(-o APT::Architecture=i386 -o APT::Architectures::=i386
            -o Dir::State::Lists="$apt/lists" -o Dir::State::status="$apt/status"
            -o Dir::Cache::archives="$apt/archives" -o Dir::Cache::pkgcache="$apt/pkgcache.bin"
            -o Dir::Cache::srcpkgcache="$apt/srcpkgcache.bin")
echo "setting up the emulated 32-bit Wine in $dir (once)"
rm -rf "$root"
mkdir -p "$apt/lists/partial" "$apt/archives/partial" "$root"
[ -f "$apt/status" ] || : > "$apt/status"
apt-get "${aptOptions[@]}" update -qq
# With an empty status file every dependency is fetched, down to the i386 C library.
apt-get "${aptOptions[@]}" install -y -qq --download-only --no-install-recommends $packages >/dev/null
debs=("$apt"/archives/*.deb)
[ -f "${debs[0]}" ] || { echo "the i386 packages could not be fetched" >&2; exit 1; }
for deb in "${debs[@]}"; do dpkg -x "$deb" "$root"; done

# What the packages' scripts and the dynamic loader's cache would do on an i386 system.
printf '/lib/i386-linux-gnu\n/usr/lib/i386-linux-gnu\n' > "$root/etc/ld.so.conf"
ldconfig -r "$root"
# libwine marks its zlib1.dll as a Wine builtin after installation.
zlibIn="$root/usr/i686-w64-mingw32/lib/zlib1.dll"
zlibOut="$root/usr/lib/i386-linux-gnu/wine/i386-windows/zlib1.dll"
if [ -f "$zlibIn" ]; then
  { head -c 64 "$zlibIn"; printf 'Wine builtin DLL'; head -c 16 /dev/zero; tail -c +97 "$zlibIn"; } > "$zlibOut"
fi

# qemu 8 or newer from bookworm-backports, unpacked into DIR/qemu; the system's packages stay as they are.
qemuApt="$dir/qemu-apt"
rm -rf "$dir/qemu"
mkdir -p "$qemuApt/lists/partial" "$qemuApt/archives/partial" "$qemuApt/etc" "$dir/qemu"
[ -f "$qemuApt/status" ] || : > "$qemuApt/status"
echo "deb http://deb.debian.org/debian bookworm-backports main" > "$qemuApt/etc/sources.list"
qemuOptions=(-o Dir::Etc::sourcelist="$qemuApt/etc/sources.list" -o Dir::Etc::sourceparts=-
             -o Dir::State::Lists="$qemuApt/lists" -o Dir::State::status="$qemuApt/status"
             -o Dir::Cache::archives="$qemuApt/archives" -o Dir::Cache::pkgcache="$qemuApt/pkgcache.bin"
             -o Dir::Cache::srcpkgcache="$qemuApt/srcpkgcache.bin")
apt-get "${qemuOptions[@]}" update -qq
(cd "$qemuApt/archives" && rm -f qemu-user_*.deb &&
   apt-get "${qemuOptions[@]}" -o APT::Sandbox::User=root download qemu-user >/dev/null)
qemuDebs=("$qemuApt"/archives/qemu-user_*.deb)
[ -f "${qemuDebs[0]}" ] || { echo "qemu-user could not be fetched from bookworm-backports" >&2; exit 1; }
dpkg -x "${qemuDebs[0]}" "$dir/qemu"
rm -f "$qemuApt"/archives/*.deb
qemu="$dir/qemu/usr/bin/qemu-i386"
qemuMajor=$("$qemu" --version | sed -n 's/^qemu-i386 version \([0-9]*\)\..*/\1/p')
[ "${qemuMajor:-0}" -ge 8 ] || { echo "$qemu is older than qemu 8 (threads would corrupt each other)" >&2; exit 1; }
echo "$("$qemu" --version | head -n 1)"

lib="$root/usr/lib/wine"
# No stack protector: the fault handler wrapper runs before Wine has set up the thread's %gs.
gcc -m32 -O2 -fPIC -ffreestanding -fno-stack-protector -nostdlib -shared -o "$lib/wine32-preload.so" \
    "$here/wine32-preload.c"
mv "$lib/wine" "$lib/wine32.elf"
cp "$here/wine32-loader.sh" "$lib/wine"
chmod +x "$lib/wine"
cp /usr/lib/wine/wine64 "$lib/wine64"
# The 64-bit side's own libraries, found relative to the copied loader.
mkdir -p "$root/usr/lib/x86_64-linux-gnu"
ln -sfn /usr/lib/x86_64-linux-gnu/wine "$root/usr/lib/x86_64-linux-gnu/wine"
rm -rf "$apt/archives"/*.deb
echo "$setupVersion" > "$dir/.ferrowin-ready"

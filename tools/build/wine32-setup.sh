#!/bin/bash
# Sets up, once, the emulated 32-bit Wine that runs the i686 lane: tools/build/wine32-setup.sh DIR makes
# DIR/root (as root user: it runs apt-get). Reused once made; a lock keeps runs started together apart.
#
# The kernel of these machines runs no i386 program, so Debian's i386 Wine runs under qemu's user-mode
# emulation. Its packages are fetched with an apt state of their own (architecture i386) and unpacked with
# dpkg -x into DIR/root: the system's dpkg never hears of i386 and /usr/bin/wine stays the 64-bit Wine.
# In DIR/root/usr/lib/wine:
#   wine                 wine32-loader.sh: runs the i386 loader (wine32.elf) under qemu-i386-static
#   wine64               a copy of the system's 64-bit loader: started from here, 64-bit Wine finds its
#                        32-bit sibling (the script) beside it and starts 32-bit programs through it
#   wine32-preload.so    built from wine32-preload.c: without it each process start takes about a minute
set -e
dir=$1
[ -n "$dir" ] || { echo "usage: $0 DIR" >&2; exit 2; }
root="$dir/root"
apt="$dir/apt"
[ -f "$dir/.ferrowin-ready" ] && exit 0
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)   # apt takes relative folders as relative to /
root="$dir/root"
apt="$dir/apt"
exec 9>"$dir/.setup.lock"
flock 9
[ -f "$dir/.ferrowin-ready" ] && exit 0

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

lib="$root/usr/lib/wine"
gcc -m32 -O2 -fPIC -ffreestanding -nostdlib -shared -o "$lib/wine32-preload.so" "$here/wine32-preload.c"
mv "$lib/wine" "$lib/wine32.elf"
cp "$here/wine32-loader.sh" "$lib/wine"
chmod +x "$lib/wine"
cp /usr/lib/wine/wine64 "$lib/wine64"
# The 64-bit side's own libraries, found relative to the copied loader.
mkdir -p "$root/usr/lib/x86_64-linux-gnu"
ln -sfn /usr/lib/x86_64-linux-gnu/wine "$root/usr/lib/x86_64-linux-gnu/wine"
rm -rf "$apt/archives"/*.deb
touch "$dir/.ferrowin-ready"

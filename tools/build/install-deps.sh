#!/bin/bash
# Installs what building and running under Wine need, when it is missing (Debian 12, as root).
# No i386 architecture and no wine32 in the system: the kernel runs no 32-bit program. The i686 test lane
# runs Debian's i386 Wine under qemu instead, both fetched once into the build tree (wine32-setup.sh). The i686
# product is built with the Win32 thread model compilers (nothing of the POSIX thread runtime in a
# deliverable); the test programs of both lanes with the POSIX ones, which GoogleTest needs.
need=()
for cmd in python3 i686-w64-mingw32-g++-win32 i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix wine \
           xvfb-run xauth cmake xdotool flock aplay make; do
  command -v "$cmd" >/dev/null 2>&1 || need+=("$cmd")
done
[ -d /usr/src/googletest ] || need+=(googletest)
[ -e /usr/lib/gcc/x86_64-linux-gnu/12/32/libgcc.a ] || need+=(gcc-multilib)
[ -e /usr/lib/x86_64-linux-gnu/alsa-lib/libasound_module_pcm_a52.so ] || need+=(plugins)
[ ${#need[@]} -eq 0 ] && exit 0
echo "installing packages for: ${need[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq g++-mingw-w64-i686-win32 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix \
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 wine64 wine xvfb xauth cmake make googletest \
    xdotool alsa-utils libasound2-plugins util-linux x11-apps python3 imagemagick \
    gcc-multilib >/dev/null

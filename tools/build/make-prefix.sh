#!/bin/bash
# Makes the Wine prefix of a build tree once: tools/build/make-prefix.sh BUILD_DIR.
# Windows are unmanaged (no window manager runs on the virtual display, and hiding a managed window stalls
# for seconds), and the sound back end is ALSA with a null output so that a mixer device exists.
set -e
build=$1
prefix="$build/wineprefix"
[ -f "$prefix/.ferrowin-ready" ] && exit 0
mkdir -p "$build/home"
exec 9>"$build/.prefix.lock"
flock 9
[ -f "$prefix/.ferrowin-ready" ] && exit 0
printf 'pcm.!default {\n  type null\n}\n' > "$build/home/.asoundrc"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" HOME="$build/home"
rm -rf "$prefix"
wine wineboot -i >/dev/null 2>&1 || true
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f >/dev/null 2>&1
wineserver -w
touch "$prefix/.ferrowin-ready"

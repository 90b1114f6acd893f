#!/bin/bash
# Makes the Wine prefix of a build tree once: tools/build/make-prefix.sh BUILD_DIR (for an i686 tree, after
# setting up the emulated 32-bit Wine once).
# Windows are unmanaged (no window manager runs on the virtual display, and hiding a managed window stalls
# for seconds), and the sound back end is ALSA with a null output so that a mixer device exists.
set -e
build=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
wine_env "$build"
prefix="$WINEPREFIX"
if [ "$FERROWIN_LANE" = i686 ]; then
  "$here/wine32-setup.sh" "$FERROWIN_WINE32"   # at once when it is set up already
fi
[ -f "$prefix/.ferrowin-ready" ] && exit 0
mkdir -p "$build/home"
exec 9>"$build/.prefix.lock"
flock 9
[ -f "$prefix/.ferrowin-ready" ] && exit 0
printf 'pcm.!default {\n  type null\n}\n' > "$build/home/.asoundrc"
rm -rf "$prefix"
# In an i686 tree the 64-bit wineboot fills the 32-bit system folder through the emulated loader.
"$WINEBOOT_LOADER" wineboot -i >/dev/null 2>&1 || true
"$WINEBOOT_LOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
"$WINEBOOT_LOADER" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f >/dev/null 2>&1
wineserver -w
touch "$prefix/.ferrowin-ready"

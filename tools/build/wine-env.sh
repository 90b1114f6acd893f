# Sourced: the Wine that runs a build tree's programs. wine_env BUILD_DIR exports the tree's prefix and
# settings and sets WINE (the loader that starts the tree's programs) and WINEBOOT_LOADER (the 64-bit
# loader that makes and starts the prefix). The tree names its lane in BUILD_DIR/wine-lane.sh (written by
# CMake): x86_64 runs under the system's wine64; i686 under the emulated 32-bit Wine set up by
# wine32-setup.sh, served by the same 64-bit wineserver.
wine_env() {
  local build lane=x86_64 wine32= timeFactor=1
  build=$(cd "$1" && pwd) || return 1   # Wine takes only an absolute prefix
  [ -f "$build/wine-lane.sh" ] && . "$build/wine-lane.sh"
  export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" HOME="$build/home"
  FERROWIN_LANE=$lane
  # The tests stretch their own time bounds by this (the emulated lane is slower).
  export FERROWIN_TIME_FACTOR=$timeFactor
  if [ "$lane" = i686 ]; then
    FERROWIN_WINE32=$wine32
    # The 64-bit side finds the i386 builtin DLLs here; the 32-bit loader is called by its path
    # everywhere, since the system's wine cannot find a 32-bit sibling.
    export WINEDLLPATH="$wine32/root/usr/lib/i386-linux-gnu/wine"
    WINE="$wine32/root/usr/lib/wine/wine"
    WINEBOOT_LOADER="$wine32/root/usr/lib/wine/wine64"
  else
    WINE=wine
    WINEBOOT_LOADER=wine
  fi
}

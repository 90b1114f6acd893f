#!/bin/bash
# The tests: installs what is missing, builds, and runs every test in two lanes, each in its own build
# tree, Wine prefix and private virtual display:
#   x86_64  the 64-bit build of the sources under wine64, and the static checks of the i686 deliverables
#   i686    32-bit test programs with the product's own i686 deliverables (build/i686/bin) under the
#           emulated 32-bit Wine (qemu user mode; set up once by tools/build/wine32-setup.sh)
# FERROWIN_LANES=x86_64, i686 or both (the default) picks the lanes. Extra arguments go to ctest (for example
# -R shared). FERROWIN_BUILD names another build folder; FERROWIN_NO_BUILD=1 runs what is built already.
top=$(cd "$(dirname "$0")/.." && pwd)
lanes=${FERROWIN_LANES:-both}
case "$lanes" in
  x86_64) run=(x86_64) ;;
  i686) run=(i686) ;;
  both) run=(x86_64 i686) ;;
  *) echo "FERROWIN_LANES must be x86_64, i686 or both" >&2; exit 2 ;;
esac
"$top/tools/build/install-deps.sh" || exit 1
[ -n "${FERROWIN_NO_BUILD:-}" ] || FERROWIN_LANES=$lanes "$top/tools/build/build.sh" || exit 1
out=${FERROWIN_BUILD:-$top/build}
. "$top/tools/build/session.sh"
trap stop_session EXIT
status=0
summary=()
for lane in "${run[@]}"; do
  case $lane in
    x86_64) build=$out/x86_64 ;;
    i686) build=$out/i686-tests ;;
  esac
  echo "=== lane $lane ($build)"
  start=$SECONDS
  # Each lane in a subshell: its own Wine settings, display and wineserver, ended when it ends.
  (
    start_session "$build" private || exit 1
    cd "$build" && ctest --output-on-failure -j "$(nproc 2>/dev/null || echo 2)" "$@"
    rc=$?
    stop_session
    exit $rc
  )
  rc=$?
  summary+=("lane $lane: $([ $rc -eq 0 ] && echo passed || echo FAILED) in $((SECONDS - start)) s")
  [ $rc -eq 0 ] || status=1
done
printf '%s\n' "${summary[@]}"
exit $status

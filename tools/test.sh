#!/bin/bash
# The tests: installs what is missing, builds both trees, runs every test under wine64 on a private
# virtual display. Extra arguments go to ctest (for example -R shared). FERROWIN_BUILD names another
# build folder; FERROWIN_NO_BUILD=1 runs what is built already.
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/build/install-deps.sh" || exit 1
[ -n "${FERROWIN_NO_BUILD:-}" ] || "$top/tools/build/build.sh" || exit 1
build=${FERROWIN_BUILD:-$top/build}/x86_64
. "$top/tools/build/session.sh"
trap stop_session EXIT
start_session "$build" private || exit 1
cd "$build" && ctest --output-on-failure -j "$(nproc 2>/dev/null || echo 2)" "$@"

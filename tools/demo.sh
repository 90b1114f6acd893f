#!/bin/bash
# The demo: installs what is missing, builds, and shows the system running under Wine, step by step
# (tools/demo/*.sh in order). Uses the display in DISPLAY, else a virtual one. Screenshots and logs go to
# build/demo/.
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/build/install-deps.sh" || exit 1
FERROWIN_LANES=x86_64 "$top/tools/build/build.sh" >/dev/null || exit 1
build=${FERROWIN_BUILD:-$top/build}/x86_64
. "$top/tools/build/session.sh"
trap stop_session EXIT
start_session "$build" || exit 1
export DEMO_BIN="$build/bin" DEMO_OUT="$build/demo"
mkdir -p "$DEMO_OUT"
status=0
for step in "$top"/tools/demo/*.sh; do
  [ -e "$step" ] || continue
  echo
  echo "=== $(sed -n 's/^# Demo: //p' "$step" | head -n 1)"
  bash "$step" || { echo "(this step failed)"; status=1; }
done
echo
echo "Demo output (logs, screenshots): $DEMO_OUT"
exit $status

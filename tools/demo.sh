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
# The README's pictures, small: the pad, the wizard's destination page and the progress dialog
# (docs/pictures holds the copies the README shows).
if command -v convert >/dev/null; then
  mkdir -p "$DEMO_OUT/pictures"
  [ -e "$DEMO_OUT/30-pad/pad.png" ] && convert "$DEMO_OUT/30-pad/pad.png" "$DEMO_OUT/pictures/pad.png"
  page=$(ls "$DEMO_OUT"/50-setup/page*.png 2>/dev/null | sed -n 3p)
  [ -n "$page" ] && convert "$page" -resize 50% "$DEMO_OUT/pictures/wizard-page.png"
  [ -e "$DEMO_OUT/55-install/progress.png" ] && convert "$DEMO_OUT/55-install/progress.png" "$DEMO_OUT/pictures/progress.png"
fi
echo
echo "Demo output (logs, screenshots): $DEMO_OUT"
exit $status

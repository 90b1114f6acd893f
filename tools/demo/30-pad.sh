#!/bin/bash
# Demo: The navigation pad opens at the mouse position and its Save button types into the window in front
# Quelmar.exe runs with the stand-in PLINDOR.EXE. A key-listing window (padkeys.exe) is in front; the
# device simulator writes "MousePosition" and sends "Open quimbel"; the round pad appears centred there
# (screenshot); a real click on its Save segment gives the foreground back to the key window and types
# Alt+B, V, L into it; the pad ends and "RoundMap" is 0 again.
cd "$DEMO_BIN" || exit 1
out="$DEMO_OUT/30-pad"
app="$out/app"
rm -rf "$out"
mkdir -p "$app"
cp PLINDOR.EXE "$app/"
winapp=$(winepath -w "$app" 2>/dev/null)
keylog="$out/keys.log"
winkeylog=$(winepath -w "$keylog" 2>/dev/null)
wine reg add 'HKLM\Software\Ferrowin' /v AppPath /d "$winapp" /f >/dev/null 2>&1
status=0

wine Quelmar.exe </dev/null >"$out/quelmar.log" 2>&1 &
quelmar=$!
for _ in $(seq 150); do grep -q '^start' "$app/plindor.log" 2>/dev/null && break; sleep 0.1; done
# The frame comes up 1 s after the start-up worker's pause and binds the hook last.
wine devsim.exe bound 15 </dev/null >"$out/bound.log" 2>&1 || status=1
tr -d '\r' <"$out/bound.log" | sed 's/^/   /'
if kill -0 "$quelmar" 2>/dev/null; then echo "-- Quelmar is running (hidden frame \"Quelmar\")"; else echo "-- Quelmar ended early"; exit 1; fi

wine padkeys.exe "$winkeylog" </dev/null >/dev/null 2>&1 &
keys=$!
for _ in $(seq 100); do grep -q ready "$keylog" 2>/dev/null && break; sleep 0.1; done
window=$(xdotool search --name '^Pad demo keys$' 2>/dev/null | head -n 1)
[ -n "$window" ] && xdotool windowactivate --sync "$window" >/dev/null 2>&1
echo "-- the key window \"Pad demo keys\" is in front (it holds injected keys until it is in front again:"
echo "   Wine hands the foreground over asynchronously)"

x=520; y=400
# The pointer waits where the pad will open: the pad is on the screen once another window is under it.
xdotool mousemove --sync $x $y
under() { xdotool getmouselocation --shell 2>/dev/null | sed -n 's/^WINDOW=//p'; }
before=$(under)
echo "-- device simulator: MousePosition = $x, $y; \"Open quimbel\" to Quelmar"
wine devsim.exe owner 0 position $x $y open </dev/null 2>&1 | tr -d '\r' | sed 's/^/   /'
for _ in $(seq 50); do [ "$(under)" != "$before" ] && break; sleep 0.1; done
wine devsim.exe show </dev/null 2>&1 | tr -d '\r' | grep -E 'RoundMap|MousePosition' | sed 's/^/   /'
if command -v import >/dev/null; then
  import -window root "$out/screen.png" 2>/dev/null
  # The pad with a margin: it is 165 x 165, centred on the position.
  convert "$out/screen.png" -crop 205x205+$((x - 102))+$((y - 102)) +repage "$out/pad.png" 2>/dev/null
  echo "-- screenshots: $out/screen.png (whole screen), $out/pad.png (the pad)"
fi

# Save is the segment left of the centre, a little below it: client point (45, 97) of the pad.
cx=$((x - 82 + 45)); cy=$((y - 82 + 97))
echo "-- clicking the pad's Save segment at $cx, $cy"
xdotool mousemove --sync $cx $cy click 1
for _ in $(seq 50); do [ "$(grep -c KEY "$keylog" 2>/dev/null)" -ge 8 ] && break; sleep 0.1; done
echo "-- keys the key window received (expected: Alt down, B down, B up, Alt up, V down, V up, L down, L up):"
grep -v ready "$keylog" 2>/dev/null | tr -d '\r' | sed 's/^/   /'
[ "$(grep -c KEY "$keylog" 2>/dev/null)" -eq 8 ] || status=1
wine devsim.exe show </dev/null 2>&1 | tr -d '\r' | grep RoundMap | sed 's/^/   after the command: /'
command -v import >/dev/null && import -window root "$out/after.png" 2>/dev/null

echo "-- ending the property program; Quelmar closes"
wine taskkill /im PLINDOR.EXE >/dev/null 2>&1
for _ in $(seq 100); do kill -0 "$quelmar" 2>/dev/null || break; sleep 0.05; done
kill -0 "$quelmar" 2>/dev/null && { echo "-- Quelmar is still running"; kill "$quelmar"; status=1; }
wine taskkill /im padkeys.exe >/dev/null 2>&1
wait "$keys" 2>/dev/null
exit $status

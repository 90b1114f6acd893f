#!/bin/bash
# Demo: The tray application starts the property program, side buttons scroll a window (and, as Windows 7, turn the horizontal wheel of one without scroll bars), and it closes after the property program
# Quelmar.exe runs as Windows 7 with the stand-in PLINDOR.EXE in an installation folder ("AppPath") that
# also holds a VELDA.DAT whose two side-button settings are 0 (the hook library scrolls). Real X buttons 8
# and 9 over a demo window with a horizontal scroll bar should arrive there as WM_HSCROLL, and over a demo
# window without scroll bars as horizontal wheel notches (WM_MOUSEHWHEEL). Ending the property program
# closes the tray application.
cd "$DEMO_BIN" || exit 1
out="$DEMO_OUT/20-tray"
app="$out/app"
rm -rf "$out"
mkdir -p "$app"
cp PLINDOR.EXE "$app/"
head -c 2048 /dev/zero >"$app/VELDA.DAT"
winapp=$(winepath -w "$app" 2>/dev/null)
scrolllog="$out/demowin.log"
winlog=$(winepath -w "$scrolllog" 2>/dev/null)
wheellog="$out/demowin-wheel.log"
winwheellog=$(winepath -w "$wheellog" 2>/dev/null)
wine reg add 'HKLM\Software\Ferrowin' /v AppPath /d "$winapp" /f >/dev/null 2>&1
echo "-- installation folder (AppPath): $winapp, with PLINDOR.EXE (stand-in) and VELDA.DAT (settings 0)"
# The hook library decides at its load by the Windows version of the process it runs in: the tray's.
appdefaults='HKCU\Software\Wine\AppDefaults\Quelmar.exe'
wine reg add "$appdefaults" /v Version /d win7 /f >/dev/null 2>&1
echo "-- Quelmar.exe runs as Windows 7 (Wine's per-program Version setting)"
status=0

wine demowin.exe "$winlog" </dev/null >/dev/null 2>&1 &
demowin=$!
wine demowin.exe --no-scroll-bar "$winwheellog" </dev/null >/dev/null 2>&1 &
wheelwin=$!
for _ in $(seq 100); do grep -q ready "$scrolllog" 2>/dev/null && grep -q ready "$wheellog" 2>/dev/null && break; sleep 0.1; done

start=$(date +%s.%N)
wine Quelmar.exe </dev/null >"$out/quelmar.log" 2>&1 &
quelmar=$!
for _ in $(seq 150); do grep -q '^start' "$app/plindor.log" 2>/dev/null && break; sleep 0.1; done
if grep -q '^start' "$app/plindor.log" 2>/dev/null; then
  echo "-- Quelmar started the property program: $(head -n 1 "$app/plindor.log" | tr -d '\r')"
else
  echo "-- the property program was not started"; status=1
fi
# The frame binds the hook 1 s after the worker's 2 s pause: the side buttons wait for that.
wine devsim.exe bound 15 </dev/null >"$out/bound.log" 2>&1 || status=1
tr -d '\r' <"$out/bound.log" | sed 's/^/   /'
if kill -0 "$quelmar" 2>/dev/null; then echo "-- Quelmar is running, its window hidden"; else echo "-- Quelmar ended early"; status=1; fi

# hold_over TITLE LOG RIGHT LEFT SHOT: holds the second side button (X button 9) for 0.6 s, then the first
# (X button 8) for 0.3 s, over the window of that title; after each hold it waits (up to 5 s) for the
# window's log to show a line with that direction's pattern, then saves the screen.
hold_over() {
  local window
  window=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
  if [ -z "$window" ]; then echo "-- the window \"$1\" did not appear"; status=1; return; fi
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool windowactivate --sync "$window" >/dev/null 2>&1
  xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
  echo "-- holding the second side button (X button 9) for 0.6 s, then the first (X button 8) for 0.3 s, over \"$1\""
  xdotool mousedown 9 sleep 0.6 mouseup 9
  for _ in $(seq 50); do grep -q -- "$3" "$2" 2>/dev/null && break; sleep 0.1; done
  xdotool mousedown 8 sleep 0.3 mouseup 8
  for _ in $(seq 50); do grep -q -- "$4" "$2" 2>/dev/null && break; sleep 0.1; done
  command -v import >/dev/null && import -window root "$out/$5" 2>/dev/null
}

hold_over 'Demo scroll window' "$scrolllog" SB_LINERIGHT SB_LINELEFT screen.png
right=$(grep -c 'SB_LINERIGHT' "$scrolllog" 2>/dev/null)
left=$(grep -c 'SB_LINELEFT' "$scrolllog" 2>/dev/null)
echo "-- the demo window received WM_HSCROLL: ${right:-0} x SB_LINERIGHT, ${left:-0} x SB_LINELEFT; last: $(grep WM_HSCROLL "$scrolllog" 2>/dev/null | tail -n 1)"
[ "${right:-0}" -gt 0 ] || echo "   (no horizontal scrolling arrived: the side-button behaviour of the hook library is missing or off)"

hold_over 'Demo wheel window' "$wheellog" 'delta 120 ' 'delta -120 ' screen-wheel.png
right=$(grep -c 'delta 120 ' "$wheellog" 2>/dev/null)
left=$(grep -c 'delta -120 ' "$wheellog" 2>/dev/null)
echo "-- the window without scroll bars received WM_MOUSEHWHEEL (win7): ${right:-0} x +120 (right), ${left:-0} x -120 (left); last: $(grep WM_MOUSEHWHEEL "$wheellog" 2>/dev/null | tail -n 1)"
[ "${right:-0}" -gt 0 ] || echo "   (no horizontal wheel input arrived: the hook library does not turn the repeat into wheel notches here)"

echo "-- ending the property program (WM_CLOSE to its window)"
ended=$(date +%s.%N)
wine taskkill /im PLINDOR.EXE >/dev/null 2>&1
for _ in $(seq 100); do kill -0 "$quelmar" 2>/dev/null || break; sleep 0.05; done
if kill -0 "$quelmar" 2>/dev/null; then
  echo "-- Quelmar is still running 5 s later"; status=1; kill "$quelmar"
else
  wait "$quelmar"
  printf -- "-- Quelmar closed itself (exit code %d) %.2f s after the property program was told to end\n" $? \
    "$(echo "$(date +%s.%N) - $ended" | bc)"
fi
echo "-- property program log:"; sed 's/^/   /' "$app/plindor.log" | tr -d '\r'
wine taskkill /im demowin.exe >/dev/null 2>&1
wait "$demowin" "$wheelwin" 2>/dev/null
wine reg delete "$appdefaults" /f >/dev/null 2>&1
exit $status

#!/bin/bash
# Demo: Multimedia keys reach the keyboard application as notifications; master volume and mute
# The OSTREL stand-in loads VORRIN.DLL and TAMSEL.DLL as the real keyboard application does. Wine reports
# Windows XP to it, so the library installs its low-level hook too. A second copy injects special keys.
cd "$DEMO_BIN" || exit 1
out="$DEMO_OUT/40-keyboard"
mkdir -p "$out"
wine reg add 'HKCU\Software\Wine\AppDefaults\OSTREL.EXE' /v Version /d winxp /f >/dev/null 2>&1

listener="$out/listener.log"
wine OSTREL.EXE listen 4 </dev/null >"$listener" 2>&1 &
pid=$!
for _ in $(seq 100); do grep -q '^listening' "$listener" && break; sleep 0.1; done
if ! grep -q '^listening' "$listener"; then
  echo "the stand-in did not start listening:"; cat "$listener"; kill "$pid" 2>/dev/null; exit 1
fi
echo "--- injector (OSTREL.EXE inject):"
wine OSTREL.EXE inject </dev/null >"$out/injector.log" 2>&1
tr -d '\r' <"$out/injector.log"
echo "(the wheel key turns the mouse wheel: no notification for it)"
wait "$pid"
sed -i 's/\r$//' "$listener" "$out/injector.log"
echo "--- what the listening stand-in printed (OSTREL.EXE listen 4):"
cat "$listener"

echo "--- volume and mute, in one process (Wine's mixer acts on the caller's own audio session):"
wine OSTREL.EXE mixer getvolume setvolume 20000 getvolume getmute setmute 1 getmute setmute 0 getmute \
     setvolume 70000 getvolume </dev/null >"$out/mixer.log" 2>&1
sed -i 's/\r$//' "$out/mixer.log"
cat "$out/mixer.log"

# The step fails when the expected notifications or mixer answers are missing.
for expected in 'wParam=4 lParam=1' 'wParam=4 lParam=2' 'wParam=1 lParam=32' 'wParam=2 lParam=172'; do
  grep -q "notification $expected\$" "$listener" || { echo "missing notification $expected"; exit 1; }
done
grep -q 'GetVolume -> 1: volume 20000' "$out/mixer.log" || { echo "volume was not set"; exit 1; }
grep -q 'IsMute -> 1: mute 1' "$out/mixer.log" || { echo "mute was not set"; exit 1; }
exit 0

#!/bin/bash
# Demo: The shared block "sharedmemoryforMouseState" seen from three processes
# One process has hoppet.dll loaded (which opens the block with its three items), the device simulator
# writes "MousePosition" and "MouseOwner" from a second process, and a third process reads the block.
cd "$DEMO_BIN" || exit 1
holder_log="$DEMO_OUT/10-hook-holder.log"
wine devsim.exe hook 60 >"$holder_log" 2>&1 &
holder=$!
for _ in $(seq 100); do
  grep -q holding "$holder_log" 2>/dev/null && break
  sleep 0.1
done
grep -q holding "$holder_log" || { echo "the process with hoppet.dll did not start"; cat "$holder_log"; exit 1; }
echo "-- process 1 loaded hoppet.dll and keeps it loaded:"
sed 's/^/   /' "$holder_log"

echo "-- process 2 (device simulator) writes the position and the owner flag:"
wine devsim.exe position 320 240 owner 1 >"$DEMO_OUT/10-write.log" 2>&1
status=$?
sed 's/^/   /' "$DEMO_OUT/10-write.log"

echo "-- process 3 reads the block:"
wine devsim.exe show >"$DEMO_OUT/10-show.log" 2>&1 || status=1
sed 's/^/   /' "$DEMO_OUT/10-show.log"
grep -q "MousePosition  x 320, y 240" "$DEMO_OUT/10-show.log" || status=1
grep -q "MouseOwner     1" "$DEMO_OUT/10-show.log" || status=1

wine devsim.exe release >/dev/null 2>&1
wait "$holder"
exit $status

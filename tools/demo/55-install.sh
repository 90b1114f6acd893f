#!/bin/bash
# Demo: The install run: the sample source installed through the wizard, the keyboard application started from the Run value, then the uninstaller
# The wizard is driven page by page to the finish page with a destination folder typed in; what the run
# made is printed as other programs see it (files, registry, shortcuts read back through the shell, the
# uninstall log). The program the Run value names is started from the installed folder and a second copy
# injects multimedia keys; then the installed uninstaller undoes the install and what is left is shown.
cd "$DEMO_BIN" || exit 1
top=$(cd "$(dirname "$0")/../.." && pwd)
out="$DEMO_OUT/55-install"
rm -rf "$out"
mkdir -p "$out/source"
python3 "$top/tools/setupsource/setupsource.py" "$out/source" "$DEMO_BIN" || exit 1
export WINEDEBUG=-all FERROWIN_SETUP_SOURCE FERROWIN_INSTALL_DIR
FERROWIN_SETUP_SOURCE=$(wine winepath -w "$out/source" 2>/dev/null | tr -d '\r')
FERROWIN_INSTALL_DIR='C:\Ferrowin Demo\Keyboard'
dest=$(wine winepath -u "$FERROWIN_INSTALL_DIR" 2>/dev/null | tr -d '\r')
rm -rf "$dest"
wine install_demo.exe </dev/null >"$out/install.log" 2>&1
installed=$?
sed -i 's/\r$//' "$out/install.log"
if [ -e progress.bmp ]; then
  mv progress.bmp "$out/progress.bmp"
  command -v convert >/dev/null && convert "$out/progress.bmp" "$out/progress.png" && rm -f "$out/progress.bmp"
fi
grep -E 'DOINSTALL returned|^  [0-9]|->|install_demo:' "$out/install.log"
echo "--- installed files:"
(cd "$dest" && ls -l | awk 'NR > 1 {printf "  %9s  %s\n", $5, $9}')
echo "--- registry:"
for key in 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run' 'HKLM\Software\T63Keyboard' \
           'HKLM\SOFTWARE\ZERUVIZIRE\FerrowinKeyboard' \
           'HKLM\Software\Microsoft\windows\CurrentVersion\Uninstall\Ferrowin Multimedia Keyboard'; do
  wine reg query "$key" 2>/dev/null | tr -d '\r' | grep -E 'REG_|^HKEY' | grep -v -E '^$'
done

run=$(wine reg query 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run' /v QXRT63KB 2>/dev/null | tr -d '\r' |
      sed -n 's/.*REG_SZ *//p')
echo "--- the Run value starts: $run"
program=$(wine winepath -u "$run" 2>/dev/null | tr -d '\r')
folder=$(dirname "$program")
wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$(basename "$program")" /v Version /d winxp /f >/dev/null 2>&1
listener="$out/listener.log"
(cd "$folder" && wine "$(basename "$program")" listen 2 </dev/null >"$listener" 2>&1) &
pid=$!
for _ in $(seq 100); do grep -q '^listening' "$listener" && break; sleep 0.1; done
(cd "$folder" && wine "$(basename "$program")" inject </dev/null >"$out/injector.log" 2>&1)
wait "$pid"
sed -i 's/\r$//' "$listener"
grep -E 'listening|notification' "$listener" | head -4

echo "--- the uninstaller (uninst00.exe in the installed folder):"
(cd "$dest" && wine uninst00.exe </dev/null 2>&1 | tr -d '\r')
echo "--- what is left in $FERROWIN_INSTALL_DIR: $(cd "$dest" && ls | tr '\n' ' ')"
echo "--- the Run value: $(wine reg query 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run' /v QXRT63KB >/dev/null 2>&1 && echo present || echo gone)"
grep -q 'notification' "$listener" || { echo "no notification reached the installed program"; exit 1; }
[ "$installed" -eq 0 ] || exit 1
exit 0

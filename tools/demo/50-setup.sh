#!/bin/bash
# Demo: The installer's wizard in German, page by page, through the launcher stand-in
# A sample installation source is generated, the launcher calls DOINSTALL on it, and a user-like driver
# (the wizard test's real-input pass) picks "Deutsch", clicks through every page with the mouse, types a
# destination folder and finishes with "restart now"; a screenshot of each page is saved.
cd "$DEMO_BIN" || exit 1
top=$(cd "$(dirname "$0")/../.." && pwd)
out="$DEMO_OUT/50-setup"
rm -rf "$out"
mkdir -p "$out/source"
python3 "$top/tools/setupsource/setupsource.py" "$out/source" "$DEMO_BIN" || exit 1
echo "sample source: $(find "$out/source" -type f | wc -l) files, languages: $(ls "$out/source/is-00001" | sed -n 's/^setuplan\.//p' | tr '\n' ' ')"
export FERROWIN_SETUP_SOURCE FERROWIN_SETUP_SHOTS
FERROWIN_SETUP_SOURCE=$(wine winepath -w "$out/source" 2>/dev/null | tr -d '\r')
FERROWIN_SETUP_SHOTS=$(wine winepath -w "$out" 2>/dev/null | tr -d '\r')
export WINEDEBUG=-all
wine setup_wizard_test.exe --gtest_filter=SetupWizard.RealInputPassInGermanRestartsOnXp </dev/null \
  >"$out/driver.log" 2>&1
status=$?
sed -i 's/\r$//' "$out/driver.log"
grep -E 'DOINSTALL returned|OK \]|FAILED|Failure' "$out/driver.log"
for shot in "$out"/page*.bmp; do
  [ -e "$shot" ] || continue
  if command -v convert >/dev/null; then
    convert "$shot" "${shot%.bmp}.png" && rm -f "$shot"
  fi
done
echo "screenshots: $(cd "$out" && ls page* | tr '\n' ' ')"
exit $status

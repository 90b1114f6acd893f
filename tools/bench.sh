#!/bin/bash
# The benchmarks: builds, prints the shipped sizes of the i686 deliverables, then runs every bench_*.exe of
# the x86_64 tree under wine64 and prints its figures. An argument picks the benchmarks whose name holds it.
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/build/install-deps.sh" || exit 1
"$top/tools/build/build.sh" >/dev/null || exit 1
build=${FERROWIN_BUILD:-$top/build}/x86_64
. "$top/tools/build/session.sh"
trap stop_session EXIT
start_session "$build" private || exit 1
if [ -z "${1:-}" ] || [[ size == *"$1"* ]]; then
  echo "=== deliverable sizes (i686, as shipped)"
  python3 "$top/bench/size/deliverable_sizes.py" "${FERROWIN_BUILD:-$top/build}/i686/bin"
fi
cd "$build/bin" || exit 1
for exe in bench_*.exe; do
  [ -e "$exe" ] || continue
  [ -n "${1:-}" ] && [[ "$exe" != *"$1"* ]] && continue
  echo "=== $exe"
  timeout 300 wine "$exe" </dev/null 2>&1 || echo "($exe failed or ran out of time)"
done

#!/bin/bash
# Builds the trees from the same sources: build/i686 (the product) and, for the test lanes named in
# FERROWIN_LANES (x86_64, i686 or both; default both), build/x86_64 (tests, benchmarks, demo; it also runs
# the static checks of the i686 deliverables) and build/i686-tests (32-bit test programs that run the
# product tree's deliverables).
set -e
top=$(cd "$(dirname "$0")/../.." && pwd)
out=${FERROWIN_BUILD:-$top/build}
lanes=${FERROWIN_LANES:-both}
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S "$top" -B "$out/i686" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-i686.cmake" \
      -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build "$out/i686" -j "$jobs"
cmake -S "$top" -B "$out/x86_64" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFERROWIN_TESTS=ON -DPRODUCT_BUILD_DIR="$out/i686" >/dev/null
if [ "$lanes" != i686 ]; then
  cmake --build "$out/x86_64" -j "$jobs"
else
  # Only the 64-bit partners of the i686 lane's cross-bitness tests.
  cmake --build "$out/x86_64" -j "$jobs" --target devsim shared_memory_test ostrel vorrin
fi
if [ "$lanes" != x86_64 ]; then
  cmake -S "$top" -B "$out/i686-tests" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-i686-tests.cmake" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFERROWIN_TESTS=ON -DFERROWIN_DELIVERABLES_FROM="$out/i686" \
        -DFERROWIN_WINE32_DIR="$out/wine32" >/dev/null
  cmake --build "$out/i686-tests" -j "$jobs"
fi

#!/bin/bash
# Builds both trees from the same sources: build/i686 (the product) and build/x86_64 (tests, benchmarks,
# demo; it also runs the static checks of the i686 deliverables).
set -e
top=$(cd "$(dirname "$0")/../.." && pwd)
out=${FERROWIN_BUILD:-$top/build}
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S "$top" -B "$out/i686" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-i686.cmake" \
      -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build "$out/i686" -j "$jobs"
cmake -S "$top" -B "$out/x86_64" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFERROWIN_TESTS=ON -DPRODUCT_BUILD_DIR="$out/i686" >/dev/null
cmake --build "$out/x86_64" -j "$jobs"

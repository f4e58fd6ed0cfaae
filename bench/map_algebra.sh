#!/bin/sh
# Builds the map-algebra benchmark with the release preset and prints a table of
# timings. Arguments: map sizes in millions of cells (default 1 4 16).
set -e
cd "$(dirname "$0")/.."
cmake --preset release -DGRIDTALLY_BUILD_BENCH=ON >/dev/null
cmake --build --preset release -j2 --target map_algebra_bench >/dev/null
echo "nproc: $(nproc); CPU: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
exec build/release/bench/map_algebra_bench "$@"

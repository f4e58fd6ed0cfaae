#!/bin/sh
# Builds the sub-map insertion and trend-map benchmark with the release preset and
# prints its timings.
set -e
cd "$(dirname "$0")/.."
cmake --preset release -DGRIDTALLY_BUILD_BENCH=ON >/dev/null
cmake --build --preset release -j2 --target regions_bench >/dev/null
exec build/release/bench/regions_bench

#!/usr/bin/env bash
# Times the grid file writer on generated grids of 10 million cells (three kinds
# of values, and a one-column grid of as many rows) with the release build.
#
#   bench/write_grid.sh [--columns 4000] [--rows 2500] [--data DIR]
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
columns=4000
rows=2500
data="$root/build/bench-data"
while [ $# -gt 0 ]; do
  case "$1" in
    --columns) columns="$2"; shift 2 ;;
    --rows) rows="$2"; shift 2 ;;
    --data) data="$2"; shift 2 ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
done

cmake --preset release >/dev/null
cmake --build --preset release -j2 --target gridmap >/dev/null
mkdir -p "$data"
program="$data/write_grid"
g++ -O2 -std=c++17 -I"$root/src/model" -I"$root/src/files" "$root/bench/write_grid.cpp" \
  "$root/build/release/libgridmap.a" -o "$program"

for kind in integers decimals doubles; do
  "$program" "$columns" "$rows" "$kind" "$data/written.asc"
done
"$program" 1 $((columns * rows)) integers "$data/written.asc"
rm -f "$data/written.asc"

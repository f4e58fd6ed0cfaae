#!/usr/bin/env bash
# Counts a generated grid larger than 4 GB with more than 2^32 cells, to show that
# offsets and counts stay right past 2^31 and 2^32 bytes and cells.
# usage: bench/bigfile.sh [DIR]   (needs about 9 GB free in DIR; default /tmp)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-/tmp}
grid="$dir/gridtally-big.asc"
trap 'rm -f "$grid"' EXIT

cmake --preset release >/dev/null
cmake --build --preset release --target gridtally >/dev/null

# 65536 x 65537 cells = 4295032832 (> 2^32); each line of the body holds four
# cells, "0 -0 2 3", so the census is known in advance: the zeros of column 0
# come first column by column, so the pair prints as 0.
ncols=65536
nrows=65537
cells=$((ncols * nrows))
lines=$((cells / 4))
{
  printf 'ncols %d\nnrows %d\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n' "$ncols" "$nrows"
  { yes '0 -0 2 3' || true; } | head -n "$lines"
} > "$grid"
bytes=$(stat -c %s "$grid")
echo "grid: $cells cells, $bytes bytes"

expected=$(printf '0 %d\n2 %d\n3 %d\n' $((cells / 2)) $((cells / 4)) $((cells / 4)))
start=$(date +%s.%N)
actual=$(/usr/bin/time -f '%M' -o "$dir/gridtally-big.rss" build/release/gridtally "$grid")
end=$(date +%s.%N)
rss=$(cat "$dir/gridtally-big.rss"); rm -f "$dir/gridtally-big.rss"
echo "$actual"
printf 'seconds: %.1f, peak memory: %d MB, %.2f GB/s\n' "$(echo "$end - $start" | bc)" $((rss / 1024)) \
  "$(echo "$bytes / ($end - $start) / 1000000000" | bc -l)"
if [ "$actual" = "$expected" ]; then echo "census correct"; else echo "census WRONG"; exit 1; fi

#!/usr/bin/env bash
# Times gridtally (release build) on large hostile files and prints each run's exit
# status, wall time, peak memory and first line of standard error. Not part of CI:
# it writes about 2.3 GB of scratch files (HOSTILE_DIR, default a fresh directory
# under /tmp, removed at the end).
#   bench/hostile.sh
set -euo pipefail
cd "$(dirname "$0")/.."
[ -x /usr/bin/time ] || apt-get install -y --no-install-recommends time >/dev/null
cmake --preset release >/dev/null
cmake --build --preset release -j2 --target gridtally >/dev/null
exe=$PWD/build/release/gridtally

dir=${HOSTILE_DIR:-$(mktemp -d /tmp/gridtally-hostile-XXXXXX)}
mkdir -p "$dir"
trap 'rm -rf "$dir"' EXIT
header=$'ncols 3\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n'

# fill NAME BYTE SIZE [HEAD [TAIL]]: HEAD, SIZE copies of BYTE (octal escape), TAIL.
fill() {
  { printf '%s' "${4:-}"; head -c "$3" /dev/zero | tr '\0' "$2"; printf '%s' "${5:-}"; } >"$dir/$1"
}
echo "writing the files to $dir ..."
fill endless-key.asc 'n' 1G
fill endless-header-number.asc '1' 1G "ncols "
fill endless-cell.asc '2' 1G "${header}1 " " 3"
fill white-space.asc ' ' 100M
fill white-space-between-cells.asc '\n' 100M "${header}5 " $'\t7 5'
fill nul-bytes.asc '\0' 100M

printf '%-30s %6s %9s %12s  %s\n' file status seconds "max RSS kB" "standard error"
run() {
  local name=$1 file=$2 status=0
  timeout 60 /usr/bin/time -f '%e %M' -o "$dir/time.txt" "$exe" "$file" >"$dir/out.txt" 2>"$dir/err.txt" || status=$?
  read -r seconds rss < <(tail -n 1 "$dir/time.txt") || true
  local err
  err=$(head -c 100 "$dir/err.txt" | head -n 1)
  [ -s "$dir/out.txt" ] && err="(out: $(tr '\n' ' ' <"$dir/out.txt"))$err"
  printf '%-30s %6s %9s %12s  %s\n' "$name" "$status" "${seconds:-?}" "${rss:-?}" "$err"
}
for f in endless-key endless-header-number endless-cell white-space white-space-between-cells nul-bytes; do
  run "$f" "$dir/$f.asc"
done
run /dev/zero /dev/zero
run /dev/urandom /dev/urandom
run "a directory" "$dir"

#!/usr/bin/env bash
# Usage: tools/check-consumer.sh PREFIX WORKDIR
# Checks an installed gridtally under PREFIX against the release build tree: the
# installed command gives the same results, and examples/consumer builds in WORKDIR
# and runs, once through the CMake package and once through pkg-config, with the
# project version and from PREFIX. Exits non-zero on the first failure.
set -euo pipefail
[ $# -eq 2 ] || { echo "Usage: tools/check-consumer.sh PREFIX WORKDIR" >&2; exit 2; }
prefix=$1
work=$2
root=$(cd "$(dirname "$0")/.." && pwd)
grid=$root/examples/landcover.asc
version=$(sed -n 's/^project(GridTally VERSION \([^ ]*\).*/\1/p' "$root/CMakeLists.txt")

fail() {
  echo "check-consumer: $*" >&2
  exit 1
}

mkdir -p "$work"
"$root/build/release/gridtally" "$grid" >"$work/expected.txt"
"$prefix/bin/gridtally" "$grid" >"$work/installed.txt"
cmp "$work/expected.txt" "$work/installed.txt" || fail "$prefix/bin/gridtally differs from the build tree's"

# Runs the example on the grid twice over: it names both with their sizes, and its
# census of the first is the command's output.
check_run() {
  local program=$1 dir=$2
  "$program" "$grid" "$grid" >"$dir/out.txt"
  [ "$(grep -c "^$grid: 24 columns, 16 rows, cell size 30\$" "$dir/out.txt")" = 2 ] ||
    fail "$program: the grid sizes are not as expected: $(head -3 "$dir/out.txt")"
  # The landcover average reaches 40 in the cells of its classes 41 and above.
  local above
  above=$(awk '$1 >= 40 { n += $2 } END { print n }' "$work/expected.txt")
  grep -qx "average of 2 grids at or above 40: $above cells" "$dir/out.txt" ||
    fail "$program: the thresholded average is not as expected"
  grep -qx "ncols 24" "$dir/out.txt" || fail "$program: the thresholded average grid was not written"
  sed '1,/^census of /d' "$dir/out.txt" >"$dir/census.txt"
  cmp "$work/expected.txt" "$dir/census.txt" || fail "$program: the census differs from gridtally's"
  if "$program" "$work/missing.asc" >"$dir/missing.txt" 2>&1; then
    fail "$program: a missing grid was not reported"
  fi
  grep -qx "Unable to open file $work/missing.asc" "$dir/missing.txt" || fail "$program: unexpected message for a missing grid"
}

# Through the CMake package, which must be the one under PREFIX.
cmake -S "$root/examples/consumer" -B "$work/cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$prefix" | tee "$work/cmake.log"
grep -qx -- "-- GridTally $version found in $prefix/lib/cmake/GridTally" "$work/cmake.log" ||
  fail "the CMake package $version was not found in $prefix"
cmake --build "$work/cmake"
check_run "$work/cmake/consumer" "$work/cmake"

# Through pkg-config; a shared library is found through LD_LIBRARY_PATH.
export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
[ "$(pkg-config --modversion gridtally)" = "$version" ] || fail "gridtally.pc does not carry the version $version"
[ "$(pkg-config --variable=libdir gridtally)" -ef "$prefix/lib" ] || fail "gridtally.pc was not found in $prefix"
mkdir -p "$work/make"
make -C "$work/make" -f "$root/examples/consumer/Makefile"
LD_LIBRARY_PATH=$prefix/lib check_run "$work/make/consumer" "$work/make"
echo "check-consumer: the installation under $prefix works"

#!/usr/bin/env bash
# Installs the project into a temporary prefix, once with the static library (the
# release build) and once with the shared one, and checks the installed tree: each
# public header compiles on its own, the installed command gives the build tree's
# results, and examples/consumer builds and runs against it both through the CMake
# package and through pkg-config. Exits non-zero on the first failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
grid=$root/examples/landcover.asc
version=$(sed -n 's/^project(GridTally VERSION \([^ ]*\).*/\1/p' CMakeLists.txt)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "check-install: $*" >&2
  exit 1
}

if command -v groff >/dev/null; then
  warnings=$(groff -man -Tutf8 -ww -z doc/gridtally.1 2>&1)
  [ -z "$warnings" ] || fail "the manual page does not render cleanly: $warnings"
fi

cmake --preset release
cmake --build --preset release -j2 --target gridtally gridmap
"$root/build/release/gridtally" "$grid" >"$work/expected.txt"

# The shared build needs no tests; it only has to install and link.
cmake -S . -B build/install-shared -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
  -DGRIDTALLY_BUILD_TESTS=OFF
cmake --build build/install-shared -j2

check_prefix() {
  local kind=$1 build=$2
  local prefix=$work/$kind/prefix
  echo "== $kind library"
  cmake --install "$build" --prefix "$prefix"

  local lib
  if [ "$kind" = static ]; then lib=libgridmap.a; else lib=libgridmap.so; fi
  [ -e "$prefix/lib/$lib" ] || fail "$lib is not installed"
  [ -f "$prefix/share/man/man1/gridtally.1" ] || fail "the manual page is not installed"

  # Every public header stands alone, with nothing but the installed headers.
  local header
  for header in "$prefix"/include/gridtally/*.h; do
    echo "#include \"$(basename "$header")\"" |
      c++ -std=c++17 -fsyntax-only -Wall -Wextra -Wpedantic -Werror -I"$prefix/include/gridtally" -x c++ - ||
      fail "installed header $(basename "$header") does not compile on its own"
  done

  "$prefix/bin/gridtally" "$grid" >"$work/$kind/installed.txt"
  cmp "$work/expected.txt" "$work/$kind/installed.txt" || fail "the installed gridtally ($kind) differs from the build tree's"

  # Through the CMake package, found in the temporary prefix and nowhere else.
  cmake -S examples/consumer -B "$work/$kind/cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_PREFIX_PATH="$prefix" | tee "$work/$kind/cmake.log"
  grep -qx -- "-- GridTally $version found in $prefix/lib/cmake/GridTally" "$work/$kind/cmake.log" ||
    fail "the CMake package $version was not taken from $prefix"
  cmake --build "$work/$kind/cmake"
  check_consumer "$work/$kind/cmake/consumer" "$work/$kind/cmake"

  # Through pkg-config.
  export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
  [ "$(pkg-config --modversion gridtally)" = "$version" ] || fail "gridtally.pc does not carry the version $version"
  mkdir -p "$work/$kind/make"
  make -C "$work/$kind/make" -f "$root/examples/consumer/Makefile"
  LD_LIBRARY_PATH=$prefix/lib check_consumer "$work/$kind/make/consumer" "$work/$kind/make"
  unset PKG_CONFIG_PATH
}

# Runs the example on two grids: it names both with their sizes, and its census of
# the first is the command's output.
check_consumer() {
  local program=$1 dir=$2
  "$program" "$grid" "$grid" >"$dir/out.txt"
  [ "$(grep -c "^$grid: 24 columns, 16 rows, cell size 30\$" "$dir/out.txt")" = 2 ] ||
    fail "$program: the grid sizes are not as expected: $(head -3 "$dir/out.txt")"
  sed '1,/^census of /d' "$dir/out.txt" >"$dir/census.txt"
  cmp "$work/expected.txt" "$dir/census.txt" || fail "$program: the census differs from gridtally's"
  if "$program" "$work/missing.asc" >"$dir/missing.txt" 2>&1; then
    fail "$program: a missing grid was not reported"
  fi
  grep -qx "Unable to open file $work/missing.asc" "$dir/missing.txt" || fail "$program: unexpected message for a missing grid"
}

check_prefix static build/release
check_prefix shared build/install-shared
echo "check-install: the installed library, headers, command and packages work, static and shared"

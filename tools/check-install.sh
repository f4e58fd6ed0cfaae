#!/usr/bin/env bash
# Installs the project into a temporary prefix, once with the static library (the
# release build) and once with the shared one, and checks the installed tree: each
# public header compiles on its own, and tools/check-consumer.sh passes (the
# installed command, and examples/consumer through the CMake package and through
# pkg-config). Exits non-zero on the first failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
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

  tools/check-consumer.sh "$prefix" "$work/$kind"
}

check_prefix static build/release
check_prefix shared build/install-shared
echo "check-install: the installed library, headers, command and packages work, static and shared"

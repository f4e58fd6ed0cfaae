#!/usr/bin/env bash
# Builds the Debian package from the release build, installs it with apt-get, checks
# the installed command, manual page and library (tools/check-consumer.sh with the
# prefix /usr), and removes the package again. Refuses to run when a gridtally
# package is installed already, so that the machine is left as it was found.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
work=$(mktemp -d)
installed=no
run() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
remove_package() { run env DEBIAN_FRONTEND=noninteractive apt-get remove -y gridtally; }
cleanup() {
  [ "$installed" = no ] || remove_package
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "check-deb: $*" >&2
  exit 1
}

if dpkg-query -W -f '${Status}' gridtally 2>/dev/null | grep -q ' installed$'; then
  fail "a gridtally package is installed already; remove it first"
fi

cmake --preset release
cmake --build --preset release -j2 --target gridtally gridmap
rm -f build/release/gridtally_*.deb
(cd build/release && cpack -G DEB)
debs=(build/release/gridtally_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one package, found: ${debs[*]}"
deb=$root/${debs[0]}

contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/gridtally ./usr/share/man/man1/gridtally.1 ./usr/lib/libgridmap.a ./usr/include/gridtally/TMap.h \
  ./usr/lib/cmake/GridTally/GridTallyConfig.cmake ./usr/lib/pkgconfig/gridtally.pc; do
  grep -q " $path\$" <<<"$contents" || fail "the package lacks $path"
done
[ -n "$(dpkg-deb -f "$deb" Depends)" ] || fail "the package declares no dependencies"

installed=yes
run env DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb"

# The usage message and its status, then the results and the library.
status=0
/usr/bin/gridtally >/dev/null 2>"$work/usage.txt" || status=$?
[ "$status" -eq 2 ] && grep -qx "Usage: gridtally ASCFile" "$work/usage.txt" || fail "the installed gridtally's usage is wrong"
tools/check-consumer.sh /usr "$work/consumer"

if command -v man >/dev/null; then
  [ "$(man -w gridtally)" = /usr/share/man/man1/gridtally.1 ] || fail "man does not find the gridtally page"
fi

remove_package
installed=no
! dpkg-query -W -f '${Status}' gridtally 2>/dev/null | grep -q ' installed$' || fail "the package is still installed"
[ ! -e /usr/bin/gridtally ] || fail "/usr/bin/gridtally is left behind"
echo "check-deb: $(basename "$deb") installs, works and removes cleanly"

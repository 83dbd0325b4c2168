#!/usr/bin/env bash
# The installed calculation library, as another program uses it.
#
#   consumer_test.sh BUILD_DIR SOURCE_DIR VERSION
#
# Installs the build under DESTDIR with a prefix of its own, checks that each
# installed header compiles on its own, moves the installed tree elsewhere
# (the CMake package must not care), and builds tests/consumer/consumer.cpp
# against it twice: with CMake's find_package and with pkg-config, neither
# told the language standard (the package and the .pc file give C++20).
# Both programs must print what the library computes: the defaults' safety
# factors and verdict, stresses from section loads, the notes and the
# verdict of a mistyped case, and the version. A program with the shaft
# model's headers is built with pkg-config too.
set -uo pipefail
build="$1"
source="$2"
version="$3"
fail=0
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
check() {  # check DESCRIPTION COMMAND...
  local what="$1"
  shift
  if ! "$@"; then
    echo "FAIL: $what" >&2
    fail=1
  fi
}
expected="1.24088 1.39679 erfuellt
Sigbm 300.001 Sigba 71.6197
Hinweis: t = 5 weicht um mehr als 1 % von (D - d)/2 = 23 ab
Hinweis: SigzdADK = -299417 nicht positiv: Sigmv = 300201 erreicht die Bauteilfließgrenze SigzdFK = 784.205
Hinweis: SigbADK = -299260 nicht positiv: Sigmv = 300201 erreicht die Bauteilfließgrenze SigbFK = 941.046
Hinweis: TautADK = -172778 nicht positiv: Taumv = 173321 erreicht die Bauteilfließgrenze TautFK = 543.313
S Dauerbruch 4.17554 ungültig: SigzdADK = -299417 nicht positiv, SigbADK = -299260 nicht positiv, TautADK = -172778 nicht positiv
nicht erfuellt
$version ${version}"

DESTDIR="$work/stage" cmake --install "$build" --prefix /opt/w743 >/dev/null || exit 1
pc="$work/stage/opt/w743/lib/pkgconfig/wellen743.pc"
check "the pkg-config file names the prefix installed to" grep -qx 'prefix=/opt/w743' "$pc"
check "the pkg-config file asks for C++20" grep -qE '^Cflags: .*-std=c\+\+20' "$pc"

# Each installed header on its own, as the first and only include.
include="$work/stage/opt/w743/include"
for header in "$include"/wellen743/*.h; do
  echo "#include <wellen743/$(basename "$header")>" |
    ${CXX:-c++} -std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -I"$include" -x c++ - ||
    { echo "FAIL: $(basename "$header") does not compile on its own" >&2; fail=1; }
done
check "version.h is installed" test -f "$include/wellen743/version.h"

# CMake: the package found where the tree was moved to.
mv "$work/stage/opt/w743" "$work/moved"
if cmake -S "$source/tests/consumer" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$work/moved" \
     -DCMAKE_BUILD_TYPE=Release >"$work/cmake.log" 2>&1 &&
   cmake --build "$work/cmake-build" >>"$work/cmake.log" 2>&1; then
  out=$("$work/cmake-build/consumer")
  echo "find_package: $out"
  check "find_package consumer prints what the library computes" test "$out" = "$expected"
else
  cat "$work/cmake.log" >&2
  echo "FAIL: the consumer does not build with find_package" >&2
  fail=1
fi

# pkg-config: the staged tree stands for the prefix (sysroot = DESTDIR).
mv "$work/moved" "$work/stage/opt/w743"
export PKG_CONFIG_PATH="$work/stage/opt/w743/lib/pkgconfig" PKG_CONFIG_SYSROOT_DIR="$work/stage"
if flags=$(pkg-config --cflags --libs wellen743) &&
   ${CXX:-c++} -O2 -o "$work/pc-consumer" "$source/tests/consumer/consumer.cpp" \
     $flags 2>"$work/pc.log"; then
  out=$("$work/pc-consumer")
  echo "pkg-config ($flags): $out"
  check "pkg-config consumer prints what the library computes" test "$out" = "$expected"
else
  cat "$work/pc.log" >&2
  echo "FAIL: the consumer does not build with pkg-config" >&2
  fail=1
fi

# The shaft model's headers, installed beside the calculation's: a shaft
# without anything is refused (no segment, no bearings, no load case).
cat >"$work/welle.cpp" <<'EOF'
#include <wellen743/statik.h>

#include <cstdio>

int main() {
  const wellen::Welle welle;
  std::printf("%zu %zu\n", wellen::Pruefe(welle).size(), wellen::Berechne(welle).lastfaelle.size());
}
EOF
if ${CXX:-c++} -O2 -o "$work/welle" "$work/welle.cpp" $flags 2>"$work/welle.log"; then
  out=$("$work/welle")
  echo "shaft model: $out"
  check "the shaft model's consumer prints 3 0" test "$out" = "3 0"
else
  cat "$work/welle.log" >&2
  echo "FAIL: a program with the shaft model's headers does not build" >&2
  fail=1
fi
exit "$fail"

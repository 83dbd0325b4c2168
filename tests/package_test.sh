#!/usr/bin/env bash
# The Debian package and the installation it is made from.
#
#   package_test.sh BUILD_DIR SOURCE_DIR VERSION
#
# Builds both packages (wellen743, libwellen743-dev) into a scratch directory
# with cpack and checks their control fields and file lists, that the three
# programs in one run and that their manual pages are the project's, and that
# the other's pkg-config file names /usr; then installs the build with another
# prefix under DESTDIR and checks where the files land.
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

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  echo "FAIL: cpack could not build the package" >&2
  exit 1
fi
arch="$(dpkg --print-architecture)"
deb="$work/out/wellen743_${version}_${arch}.deb"
dev="$work/out/libwellen743-dev_${version}_${arch}.deb"
check "a package named wellen743_${version}_${arch}.deb" test -f "$deb"
check "a package named libwellen743-dev_${version}_${arch}.deb" test -f "$dev"
check "no other package" test "$(ls "$work/out"/*.deb | wc -l)" -eq 2

# Control fields both packages share, then each one's own.
common_fields() {  # common_fields DEB PACKAGE SECTION
  local pkg="$1"
  field() { dpkg-deb -f "$pkg" "$1"; }
  echo "--- control of $2"
  dpkg-deb -f "$pkg"
  check "$2: Package" test "$(field Package)" = "$2"
  check "$2: Version" test "$(field Version)" = "$version"
  check "$2: Architecture" test "$(field Architecture)" = "$arch"
  check "$2: Maintainer" grep -qE '^[^<]+ <[^@ ]+@[^> ]+>$' <<<"$(field Maintainer)"
  check "$2: Section" test "$(field Section)" = "$3"
  local description
  description="$(field Description)"
  check "$2: Description has a summary line" test -n "$(head -n 1 <<<"$description")"
  check "$2: Description has a paragraph" test "$(wc -l <<<"$description")" -ge 3
}
common_fields "$deb" wellen743 science
depends="$(dpkg-deb -f "$deb" Depends)"
check "Depends names libc6" grep -qE '(^|, )libc6( \(>= [0-9.]+\))?(,|$)' <<<"$depends"
check "Depends without the C++ runtime" test -z "$(grep -E 'libstdc\+\+|libgcc' <<<"$depends")"
common_fields "$dev" libwellen743-dev libdevel

# Regular files and their modes, owner and paths; directories are implied.
files() {  # files DEB
  dpkg-deb -c "$1" | tee -a "$work/contents" | awk '$1 !~ /^d/ { print $1, $2, $6 }' | sort
}
echo "--- files"
expected=$(printf '%s\n' \
  '-rw-r--r-- root/root ./usr/share/man/man1/wellen743.1.gz' \
  '-rw-r--r-- root/root ./usr/share/man/man1/wellen743-batch.1.gz' \
  '-rw-r--r-- root/root ./usr/share/man/man1/wellen743-welle.1.gz' \
  '-rwxr-xr-x root/root ./usr/bin/wellen743' \
  '-rwxr-xr-x root/root ./usr/bin/wellen743-batch' \
  '-rwxr-xr-x root/root ./usr/bin/wellen743-welle' \
  '-rw-r--r-- root/root ./usr/share/doc/wellen743/copyright' \
  '-rw-r--r-- root/root ./usr/share/doc/wellen743/changelog.gz' | sort)
check "wellen743: exactly the three programs, their manual pages, copyright and changelog" \
  test "$(files "$deb")" = "$expected"
headers=$( (cd "$source/src" && ls calc/*.h statik/*.h | sed 's|^.*/||'; echo version.h) | sort)
expected=$( (for h in $headers; do echo "-rw-r--r-- root/root ./usr/include/wellen743/$h"; done
  printf '%s\n' \
    '-rw-r--r-- root/root ./usr/lib/libwellen743.a' \
    '-rw-r--r-- root/root ./usr/lib/pkgconfig/wellen743.pc' \
    '-rw-r--r-- root/root ./usr/lib/cmake/wellen743/wellen743Config.cmake' \
    '-rw-r--r-- root/root ./usr/lib/cmake/wellen743/wellen743ConfigVersion.cmake' \
    '-rw-r--r-- root/root ./usr/lib/cmake/wellen743/wellen743Targets.cmake' \
    '-rw-r--r-- root/root ./usr/lib/cmake/wellen743/wellen743Targets-release.cmake' \
    '-rw-r--r-- root/root ./usr/share/doc/libwellen743-dev/copyright' \
    '-rw-r--r-- root/root ./usr/share/doc/libwellen743-dev/changelog.gz') | sort)
check "libwellen743-dev: the library, the headers of calc and statik, version.h, CMake package, .pc, copyright and changelog" \
  test "$(files "$dev")" = "$expected"
cat "$work/contents"

dpkg-deb -x "$deb" "$work/root"
output=$(printf 'g      q' | "$work/root/usr/bin/wellen743")
status=$?
check "the packaged program exits 0" test "$status" -eq 0
check "the packaged program computes" grep -q '^S Fliessgrenze= 1\.39679$' <<<"$output"
# The template fed back computes the defaults: S Dauerbruch and Fliessgrenze.
batch="$work/root/usr/bin/wellen743-batch"
output=$("$batch" --template | "$batch" --format table)
status=$?
check "the packaged batch program exits 0" test "$status" -eq 0
check "the packaged batch program computes" \
  grep -qE '^ +2  Beispiel +1\.24088 +1\.39679  erf' <<<"$output"
# The shaft program's example shaft computes: a table with its summary line.
welle="$work/root/usr/bin/wellen743-welle"
"$welle" --template >"$work/welle.toml"
output=$("$welle" --format table "$work/welle.toml")
status=$?
check "the packaged shaft program computes its example (status $status)" test "$status" -le 1
check "the packaged shaft program prints the summary" \
  grep -qE '^2 Lastfälle, [0-9]+ Stellen: ' <<<"$output"
for page in wellen743 wellen743-batch wellen743-welle; do
  check "the packaged manual page is doc/$page.1" \
    cmp -s <(gzip -dc "$work/root/usr/share/man/man1/$page.1.gz") "$source/doc/$page.1"
done
dpkg-deb -x "$dev" "$work/devroot"
check "the packaged .pc names /usr" grep -qx 'prefix=/usr' "$work/devroot/usr/lib/pkgconfig/wellen743.pc"

# Copyright and changelog: the licence of LICENSE in Debian's machine-readable
# form, and the project's version at the top of the changelog.
for root in "$work/root/usr/share/doc/wellen743" "$work/devroot/usr/share/doc/libwellen743-dev"; do
  copyright="$root/copyright"
  check "$copyright: machine-readable format" \
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$copyright"
  check "$copyright: the holder of LICENSE" grep -qx 'Copyright: [0-9]* the wellen743 authors' "$copyright"
  check "$copyright: the text of LICENSE" cmp -s \
    <(sed -n '/^License: Expat$/,$p' "$copyright" | sed '1d; s/^ //; s/^\.$//') \
    <(sed -n '/^Permission is hereby granted/,$p' "$source/LICENSE")
  check "$root/changelog.gz: version $version on top" \
    grep -q "^wellen743 ($version) " <(gzip -dc "$root/changelog.gz" | head -n 1)
done

# lintian: no error and no warning. Left: the pkg-config file lies in
# /usr/lib/pkgconfig beside the library, not in a multiarch directory, which
# only a cross-compiling pkg-config would miss.
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning --suppress-tags pkg-config-unavailable-for-cross-compilation \
    "$deb" "$dev" 2>&1 | grep -v 'running with root privileges' >"$work/lintian.txt"
  status=${PIPESTATUS[0]}
  cat "$work/lintian.txt"
  check "lintian finds no error or warning" test "$status" -eq 0
else
  echo "FAIL: lintian is not installed (Debian package lintian)" >&2
  fail=1
fi

# make install: another prefix, under DESTDIR.
DESTDIR="$work/dest" cmake --install "$build" --prefix /opt/w743 >/dev/null
for program in wellen743 wellen743-batch wellen743-welle; do
  check "installed $program" test -x "$work/dest/opt/w743/bin/$program"
  check "installed manual page of $program" \
    test -f "$work/dest/opt/w743/share/man/man1/$program.1.gz"
done
check "installed library" test -f "$work/dest/opt/w743/lib/libwellen743.a"
check "installed .pc names the prefix" grep -qx 'prefix=/opt/w743' \
  "$work/dest/opt/w743/lib/pkgconfig/wellen743.pc"
check "nothing else installed" \
  test "$(find "$work/dest" -type f | wc -l)" -eq "$(( $(files "$deb" | wc -l) + $(files "$dev" | wc -l) ))"

# make install configures a tree of its own without tests and benchmarks:
# it must do so where GoogleTest and Google Benchmark cannot be found, and
# build neither.
ib="$work/install-build"
if make -s -C "$source" install-configure INSTALL_BUILD="$ib" \
     CMAKE_FLAGS="-DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON" \
     >"$work/install-configure.log" 2>&1; then
  check "make install builds no test and no benchmark" \
    test -z "$(grep -oE 'wellen_[a-z0-9_]*(test|benchmark)[a-z_]*' "$ib/CMakeFiles/Makefile2" | sort -u)"
  check "make install builds the programs" grep -q 'wellen743-batch.dir/all' "$ib/CMakeFiles/Makefile2"
else
  cat "$work/install-configure.log" >&2
  echo "FAIL: make install cannot configure without GoogleTest and Google Benchmark" >&2
  fail=1
fi

exit "$fail"

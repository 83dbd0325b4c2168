#!/usr/bin/env bash
# The Debian package and the installation it is made from.
#
#   package_test.sh BUILD_DIR SOURCE_DIR VERSION
#
# Builds the package into a scratch directory with cpack and checks its
# control fields and its file list, that the program in it runs and that the
# manual page in it is the project's; then installs the build with another
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
deb=("$work"/out/wellen743_"$version"_*.deb)
check "one package named wellen743_${version}_ARCH.deb" test -f "${deb[0]}"
deb="${deb[0]}"

field() { dpkg-deb -f "$deb" "$1"; }
echo "--- control"
dpkg-deb -f "$deb"
check "Package" test "$(field Package)" = wellen743
check "Version" test "$(field Version)" = "$version"
check "Architecture" test "$(field Architecture)" = "$(dpkg --print-architecture)"
check "Maintainer" grep -qE '^[^<]+ <[^@ ]+@[^> ]+>$' <<<"$(field Maintainer)"
check "Section" test -n "$(field Section)"
check "Depends names libc6" grep -qE '(^|, )libc6( \(>= [0-9.]+\))?(,|$)' <<<"$(field Depends)"
check "Depends without the C++ runtime" test -z "$(grep -E 'libstdc\+\+|libgcc' <<<"$(field Depends)")"
description="$(field Description)"
check "Description has a summary line" test -n "$(head -n 1 <<<"$description")"
check "Description has a paragraph" test "$(wc -l <<<"$description")" -ge 3

echo "--- files"
dpkg-deb -c "$deb" | tee "$work/contents"
# Regular files and their modes, owner and paths; directories are implied.
files=$(awk '$1 !~ /^d/ { print $1, $2, $6 }' "$work/contents" | sort)
expected=$(printf '%s\n' \
  '-rw-r--r-- root/root ./usr/share/man/man1/wellen743.1.gz' \
  '-rwxr-xr-x root/root ./usr/bin/wellen743' | sort)
check "exactly the program and the manual page" test "$files" = "$expected"

dpkg-deb -x "$deb" "$work/root"
output=$(printf 'g      q' | "$work/root/usr/bin/wellen743")
status=$?
check "the packaged program exits 0" test "$status" -eq 0
check "the packaged program computes" grep -q '^S Fliessgrenze= 1\.39679$' <<<"$output"
check "the packaged manual page is doc/wellen743.1" \
  cmp -s <(gzip -dc "$work/root/usr/share/man/man1/wellen743.1.gz") "$source/doc/wellen743.1"

# make install: another prefix, under DESTDIR.
DESTDIR="$work/dest" cmake --install "$build" --prefix /opt/w743 >/dev/null
check "installed program" test -x "$work/dest/opt/w743/bin/wellen743"
check "installed manual page" test -f "$work/dest/opt/w743/share/man/man1/wellen743.1.gz"
check "nothing else installed" test "$(find "$work/dest" -type f | wc -l)" -eq 2

exit "$fail"

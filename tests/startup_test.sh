#!/usr/bin/env bash
# Guards the lean start-up of the program.
#
#   startup_test.sh link  PROGRAM SRC_DIR
#       PROGRAM loads no C++ runtime or libgcc of its own, and the sources
#       pull in no iostream initialisation and set up no locale.
#   startup_test.sh bench PROGRAM BENCH_SCRIPT
#       the start-up benchmark runs and prints all of its figures.
set -euo pipefail
mode="$1"
program="$2"
fail=0

case "$mode" in
  link)
    needed=$(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
    echo "needed: $(echo $needed)"
    if grep -E '^(libstdc\+\+|libgcc_s)' <<<"$needed"; then
      echo "FAIL: the C++ runtime is linked dynamically" >&2
      fail=1
    fi
    if grep -rnE '#include <(iostream|locale)>|setlocale *\(|std::locale' "$3"; then
      echo "FAIL: start-up work of iostream or locale in the sources" >&2
      fail=1
    fi
    ;;
  bench)
    out=$("$3" "$program")
    echo "$out"
    for pattern in '^instructions wellen743: +[1-9][0-9]*$' \
                   '^instructions same output: +[1-9][0-9]*$' \
                   '^ratio: +[0-9]+\.[0-9]+$' \
                   '^peak RSS wellen743: +[1-9][0-9]* kB$'; do
      grep -qE "$pattern" <<<"$out" || { echo "FAIL: no line matching $pattern" >&2; fail=1; }
    done
    ;;
  *)
    echo "usage: $0 link PROGRAM SRC_DIR | bench PROGRAM BENCH_SCRIPT" >&2
    exit 2
    ;;
esac
exit "$fail"

#!/usr/bin/env bash
# Start-up cost of wellen743: instructions and peak memory of the scripted
# session `printf 'g      q' | wellen743`, next to a C program that only
# writes the same bytes.
#
#   bench/startup.sh [PROGRAM]     (default: build/wellen743, built if missing)
#
# Needs valgrind (callgrind), /usr/bin/time (Debian package `time`) and a C
# compiler (`cc`, or $CC). Prints the figures, one per line:
#   instructions wellen743:   N
#   instructions same output: N
#   ratio:                    R
#   peak RSS wellen743:       N kB
#   peak RSS same output:     N kB
#   outside main():           the instructions of start-up and exit alone
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
program="${1:-$root/build/wellen743}"
cc="${CC:-cc}"
keys='g      q'

if [ ! -x "$program" ]; then
  if [ $# -gt 0 ]; then
    echo "startup.sh: no program at $program" >&2
    exit 2
  fi
  make -C "$root" >/dev/null
fi
for tool in valgrind /usr/bin/time "$cc" od; do
  command -v "$tool" >/dev/null || { echo "startup.sh: $tool is missing" >&2; exit 2; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The session's output, embedded byte for byte as a C string literal.
printf '%s' "$keys" | "$program" >"$work/session.out"
{
  printf 'static const char session_output[] =\n'
  od -An -v -tx1 "$work/session.out" | sed -e 's/ /\\x/g' -e 's/^/  "/' -e 's/$/"/'
  printf '  "";\n'
} >"$work/same_output.h"
"$cc" -O2 -I"$work" -o "$work/same_output" "$root/bench/same_output.c"
cmp -s "$work/session.out" <("$work/same_output") || {
  echo "startup.sh: the C program does not write the same bytes" >&2
  exit 1
}

# Instructions executed, loader and exit included, as callgrind counts them.
count() {
  local out="$1"
  shift
  printf '%s' "$keys" | valgrind --tool=callgrind --callgrind-out-file="$out" "$@" \
    2>"$out.log" >/dev/null
  sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$out.log"
}
ours=$(count "$work/wellen743.cg" "$program")
same=$(count "$work/same_output.cg" "$work/same_output")

# Instructions spent inside main(), that is, on the session itself rather than
# on start-up and exit.
in_main() {
  callgrind_annotate --inclusive=yes --threshold=100 "$1" 2>/dev/null |
    sed -n 's/^ *\([0-9,]*\) .*:main \[.*/\1/p' | head -n 1 | tr -d ,
}
ours_main=$(in_main "$work/wellen743.cg")
same_main=$(in_main "$work/same_output.cg")

peak_rss() {
  printf '%s' "$keys" | /usr/bin/time -v "$@" 2>&1 >/dev/null |
    sed -n 's/.*Maximum resident set size (kbytes): *//p'
}
rss=$(peak_rss "$program")
same_rss=$(peak_rss "$work/same_output")

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo "instructions wellen743:   $ours"
echo "instructions same output: $same"
echo "ratio:                    $(ratio "$ours" "$same")"
echo "peak RSS wellen743:       $rss kB"
echo "peak RSS same output:     $same_rss kB"
if [ -n "$ours_main" ] && [ -n "$same_main" ]; then
  echo "outside main():           wellen743 $((ours - ours_main)), same output $((same - same_main)), ratio $(ratio $((ours - ours_main)) $((same - same_main)))"
fi

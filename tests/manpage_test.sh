#!/usr/bin/env bash
# The manual page: formats without a single warning, names the project's
# version, and quotes the program's menu, prompts and headings exactly.
#
#   manpage_test.sh PROGRAM PAGE VERSION
set -uo pipefail
program="$1"
page="$2"
version="$3"
fail=0
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# No warnings, neither in the device-independent check nor on a terminal.
for device in -z -Tutf8; do
  groff -man -ww "$device" "$page" >/dev/null 2>"$work/warnings"
  if [ -s "$work/warnings" ]; then
    echo "FAIL: groff -man -ww $device warns:" >&2
    cat "$work/warnings" >&2
    fail=1
  fi
done

if ! grep -qE "^\.TH WELLEN743 1 [0-9-]+ \"wellen743 $version\"" "$page"; then
  echo "FAIL: the .TH line does not name version $version" >&2
  fail=1
fi

# The page as text, one paragraph per line (no line breaks inside quoted
# texts), without hyphenation or overstriking.
groff -man -Tutf8 -rLL=3000n -rHY=0 -P-c -P-b -P-u "$page" 2>/dev/null >"$work/page.txt"

# What the program prints: the usage, the version and the usage errors; the
# menu, the info line, every dialog with its prompts and choices, the display
# and the result pages.
{
  "$program" --help
  "$program" --version
  "$program" -h 2>&1
  "$program" --help x 2>&1
} | sed 's/^ *//' >"$work/options.txt"
printf '' | "$program" >"$work/menu.txt"
printf 'i a1 2 3 4 5 6\nb1 2 3 4 5 6\nc1\nd1 2 3 4 5\ne1 0 0 1\nw   g      q' |
  "$program" >"$work/session.txt"
{
  cat "$work/options.txt"
  sed '/^$/d' "$work/menu.txt"
  grep '^Festigkeitsnachweis' "$work/session.txt"
  sed 's/[[:space:]]*$//' "$work/session.txt" | grep -E '[:=]$|^[0-9]: ?[A-Z]'
} | sort -u >"$work/quoted.txt"
if [ "$(wc -l <"$work/quoted.txt")" -lt 50 ]; then
  echo "FAIL: the program printed too little to compare with" >&2
  fail=1
fi
while IFS= read -r text; do
  if ! grep -qF -- "$text" "$work/page.txt"; then
    echo "FAIL: the page does not quote \"$text\"" >&2
    fail=1
  fi
done <"$work/quoted.txt"

exit "$fail"

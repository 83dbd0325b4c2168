#!/usr/bin/env bash
# The HTML report of the three worked examples in a real browser: headless
# Chromium prints it to PDF with --no-pdf-header-footer, and the text of the
# PDF must show, for each case, its two safety factors and its verdict, on
# pages of its own: every case starts at the top of a new A4 page, under the
# running header. Every page carries the project and the drawing at its head
# and "Seite N von M" at its foot; the values are named, with their units;
# the numbers have decimal commas; Chromium's own header and footer (the
# file:// path) are absent.
#
#   report_browser_test.sh 'COMMAND' PROJECT DRAWING
#
# COMMAND is run by bash with HTML set to the file it is to write, with
# --project PROJECT and --drawing DRAWING; the report must hold the three
# worked examples as cases 1 to 3, in order: the defaults, the round groove
# with compressive mean stress, and the defaults with Sigzdm 600. Exits 77
# (skipped) where Chromium or poppler-utils is not installed.
set -euo pipefail
# shellcheck source=chromium_lib.sh
source "$(dirname "$0")/chromium_lib.sh"

project="$2"
drawing="$3"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail=0
problem() { echo "FAIL: $*" >&2; fail=1; }

export HTML="$dir/report.html"
bash -c "$1"
[ -s "$HTML" ] || { echo "FAIL: no report written" >&2; exit 1; }

pdf="$dir/report.pdf"
print_pdf "$HTML" "$pdf" "$dir/profile"
pages=$(pdf_pages "$pdf")
echo "$pages pages"

# The text of pages FROM to TO on one line, blanks squeezed; with -layout
# as the rows of the tables stand.
text() { pdftotext -f "$1" -l "$2" "$pdf" - | tr -s ' \n\f' '  '; }
rows() { pdftotext -layout -f "$1" -l "$2" "$pdf" - | tr -s ' ' ' '; }

# Every page: the project and the drawing in its running header, its number
# of the total at its foot.
for ((p = 1; p <= pages; p++)); do
  t=$(text "$p" "$p")
  for want in "$project" "Zeichnung $drawing" "Seite $p von $pages"; do
    grep -qF -- "$want" <<<"$t" || problem "page $p: no \"$want\""
  done
done
echo "pages 1 to $pages: \"$project\", \"Zeichnung $drawing\", \"Seite N von $pages\""

# Where each case starts: its heading is the first line of a page under the
# running header (its two lines).
declare -a start
for ((p = 1; p <= pages; p++)); do
  first=$(pdftotext -f "$p" -l "$p" "$pdf" - | grep -vF -e "$project" -e "$drawing" |
    sed -n '/[^[:space:]]/{p;q}')
  if [[ $first =~ ^Fall\ ([0-9]+)(:|$) ]]; then
    start[${BASH_REMATCH[1]}]=$p
  fi
done
for k in 1 2 3; do
  [ -n "${start[$k]:-}" ] || problem "case $k does not start at the top of a page"
done
[ "$fail" -eq 0 ] || exit 1
((start[1] > 1 && start[1] < start[2] && start[2] < start[3])) || problem "cases out of order"

# Case k: its two safety factors and its verdict, and its permissible
# amplitude in tension with name and unit, on its own pages.
check() {
  local k=$1 sd=$2 sf=$3 verdict=$4 adk=$5 last
  if [ -n "${start[$((k + 1))]:-}" ]; then last=$((start[k + 1] - 1)); else last=$pages; fi
  local t
  t=$(text "${start[$k]}" "$last")
  for want in "S Dauerbruch = $sd" "S Fließgrenze = $sf" "$verdict"; do
    grep -qF -- "$want" <<<"$t" || problem "case $k (pages ${start[$k]}-$last): no \"$want\""
  done
  want="σzdADK Bauteil-Ausschlagfestigkeit $adk N/mm² SigzdADK"
  grep -qF -- "$want" <<<"$(rows "${start[$k]}" "$last")" ||
    problem "case $k (pages ${start[$k]}-$last): no row \"$want\""
  if [ "$verdict" = "Nachweis erfüllt" ] && grep -qF "Nachweis nicht erfüllt" <<<"$t"; then
    problem "case $k: \"Nachweis nicht erfüllt\" as well"
  fi
  echo "case $k: pages ${start[$k]}-$last, S $sd and $sf, $verdict"
}
check 1 1,24088 1,39679 "Nachweis erfüllt" 131,683
check 2 1,86531 3,866 "Nachweis erfüllt" 195,8
check 3 0,352079 0,845912 "Nachweis nicht erfüllt" -93,0998

# The summary on the pages before the first case.
summary=$(text 1 $((start[1] - 1)))
for want in 1,24088 1,39679 1,86531 3,866 0,352079 0,845912 "nicht erfüllt" "Seite 1 von $pages"; do
  grep -qF -- "$want" <<<"$summary" || problem "summary: no \"$want\""
done

# Decimal commas: no number with a decimal point but the program's version.
all=$(pdftotext "$pdf" -)
points=$(grep -oE '[0-9]+\.[0-9]+' <<<"$(sed -E 's/wellen743-batch [0-9.]+//g' <<<"$all")" || true)
[ -z "$points" ] || problem "numbers with a decimal point: $(echo $points | head -c 200)"
grep -qF 'file://' <<<"$all" && problem "the browser's own header or footer: file://"

exit "$fail"

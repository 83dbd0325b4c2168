#!/usr/bin/env bash
# The HTML report of the three worked examples in a real browser: headless
# Chromium prints it to PDF, and the text of the PDF must show, for each
# case, its two safety factors and its verdict, on pages of its own: every
# case starts at the top of a new A4 page.
#
#   report_browser_test.sh 'COMMAND'
#
# COMMAND is run by bash with HTML set to the file it is to write; the
# report must hold the three worked examples as cases 1 to 3, in order: the
# defaults, the round groove with compressive mean stress, and the defaults
# with Sigzdm 600. Exits 77 (skipped) where Chromium or poppler-utils is not
# installed.
set -euo pipefail
chromium=${CHROMIUM:-$(command -v chromium || command -v chromium-browser || true)}
if [ -z "$chromium" ]; then
  echo "SKIP: Chromium is not installed (Debian package chromium)"
  exit 77
fi
for tool in pdftotext pdfinfo; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (Debian package poppler-utils)"
    exit 77
  fi
done

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail=0
problem() { echo "FAIL: $*" >&2; fail=1; }

export HTML="$dir/report.html"
bash -c "$1"
[ -s "$HTML" ] || { echo "FAIL: no report written" >&2; exit 1; }

# A fresh profile, no network, no sandbox (the tests may run as root).
pdf="$dir/report.pdf"
if ! timeout 180 "$chromium" --headless --no-sandbox --disable-gpu --disable-quic \
    --no-first-run --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$dir/profile" --no-pdf-header-footer --print-to-pdf="$pdf" \
    "file://$HTML" >"$dir/chromium.log" 2>&1 || [ ! -s "$pdf" ]; then
  cat "$dir/chromium.log" >&2
  echo "FAIL: Chromium printed no PDF" >&2
  exit 1
fi

info=$(pdfinfo "$pdf")
pages=$(sed -n 's/^Pages: *//p' <<<"$info")
grep -q '^Page size: *594.96 x 841.92 pts (A4)' <<<"$info" || problem "not A4 portrait: $info"
echo "$pages pages"

# The text of pages FROM to TO on one line, blanks squeezed.
text() { pdftotext -f "$1" -l "$2" "$pdf" - | tr -s ' \n\f' '  '; }

# Where each case starts: its heading is the first line of a page.
declare -a start
for ((p = 1; p <= pages; p++)); do
  first=$(pdftotext -f "$p" -l "$p" "$pdf" - | sed -n '/[^[:space:]]/{p;q}')
  if [[ $first =~ ^Fall\ ([0-9]+)(:|$) ]]; then
    start[${BASH_REMATCH[1]}]=$p
  fi
done
for k in 1 2 3; do
  [ -n "${start[$k]:-}" ] || problem "case $k does not start at the top of a page"
done
[ "$fail" -eq 0 ] || exit 1
((start[1] > 1 && start[1] < start[2] && start[2] < start[3])) || problem "cases out of order"

# Case k: its two safety factors and its verdict, on its own pages.
check() {
  local k=$1 sd=$2 sf=$3 verdict=$4 last
  if [ -n "${start[$((k + 1))]:-}" ]; then last=$((start[k + 1] - 1)); else last=$pages; fi
  local t
  t=$(text "${start[$k]}" "$last")
  for want in "S Dauerbruch = $sd" "S Fließgrenze = $sf" "$verdict"; do
    grep -qF -- "$want" <<<"$t" || problem "case $k (pages ${start[$k]}-$last): no \"$want\""
  done
  if [ "$verdict" = "Nachweis erfüllt" ] && grep -qF "Nachweis nicht erfüllt" <<<"$t"; then
    problem "case $k: \"Nachweis nicht erfüllt\" as well"
  fi
  echo "case $k: pages ${start[$k]}-$last, S $sd and $sf, $verdict"
}
check 1 1.24088 1.39679 "Nachweis erfüllt"
check 2 1.86531 3.866 "Nachweis erfüllt"
check 3 0.352079 0.845912 "Nachweis nicht erfüllt"

# The summary on the pages before the first case.
summary=$(text 1 $((start[1] - 1)))
for want in 1.24088 1.39679 1.86531 3.866 0.352079 0.845912 "nicht erfüllt"; do
  grep -qF -- "$want" <<<"$summary" || problem "summary: no \"$want\""
done

exit "$fail"

#!/usr/bin/env bash
# The shaft report of the template's shaft in a real browser: headless
# Chromium prints it to PDF with --no-pdf-header-footer, and the text of the
# PDF must show every page with the project and drawing at its head and
# "Seite N von M" at its foot; the drawing of the shaft; each load case on
# pages of its own; and for every section in every load case a proof that
# starts at the top of a page, with the section's two safety factors and
# verdict as the program's table gives them. Numbers have decimal commas.
#
#   report_welle_browser_test.sh PROGRAM PROJECT DRAWING
#
# Exits 77 (skipped) where Chromium or poppler-utils is not installed.
set -euo pipefail
# shellcheck source=chromium_lib.sh
source "$(dirname "$0")/chromium_lib.sh"

program="$(realpath "$1")"
project="$2"
drawing="$3"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail=0
problem() { echo "FAIL: $*" >&2; fail=1; }

cd "$dir"
"$program" --template >welle.toml
"$program" welle.toml --format table -o tabelle.txt --report bericht.html \
  --project "$project" --drawing "$drawing" --author 'M. Muster' --title 'Nachweis Abtriebswelle'
[ -s bericht.html ] || { echo "FAIL: no report written" >&2; exit 1; }

pdf="$dir/bericht.pdf"
print_pdf "$dir/bericht.html" "$pdf" "$dir/profile"
pages=$(pdf_pages "$pdf")
echo "$pages pages"

text() { pdftotext -f "$1" -l "$2" "$pdf" - | tr -s ' \n\f' '  '; }

# Every page: the project and drawing at its head, its number at its foot;
# and the first line under the running header, where a part starts.
declare -a erste
for ((p = 1; p <= pages; p++)); do
  t=$(text "$p" "$p")
  for want in "$project" "Zeichnung $drawing" "Seite $p von $pages"; do
    grep -qF -- "$want" <<<"$t" || problem "page $p: no \"$want\""
  done
  erste[p]=$(pdftotext -f "$p" -l "$p" "$pdf" - | grep -vF -e "$project" -e "$drawing" |
    awk 'NF && !f { print; f = 1 }')
done
echo "pages 1 to $pages: \"$project\", \"Zeichnung $drawing\", \"Seite N von $pages\""

# The page where a heading starts, or nothing.
start() {
  local p
  for ((p = 1; p <= pages; p++)); do
    if [[ ${erste[p]} == "$1"* ]]; then echo "$p"; return; fi
  done
}

# The shaft and the load cases, each from the top of a page.
welle=$(start "Die Welle Abtriebswelle")
[ -n "$welle" ] || problem "the shaft does not start at the top of a page"
if [ -n "$welle" ]; then
  t=$(text "$welle" "$welle")
  for want in Festlager Loslager Kupplung Zahnrad "Geprüfte Stellen" "Lagerkräfte"; do
    grep -qF -- "$want" <<<"$t" || problem "the shaft's page: no \"$want\""
  done
fi
for lastfall in "Lastfall 1: Nennlast" "Lastfall 2: Anfahren"; do
  p=$(start "$lastfall")
  if [ -z "$p" ]; then
    problem "\"$lastfall\" does not start at the top of a page"
    continue
  fi
  t=$(text "$p" $((p + 1)))
  for want in Biegemomente Torsionsmoment Längskraft Durchbiegung "Sicherheiten der Stellen"; do
    grep -qF -- "$want" <<<"$t" || problem "$lastfall: no \"$want\""
  done
done

# Every section in every load case as the table gives it: number, both
# factors and the verdict (its last words), numbers with decimal commas.
summary=$(text 1 $((welle - 1)))
proofs=0
lastfall=""
while IFS= read -r line; do
  if [[ $line =~ ^(Lastfall\ [0-9]+(:\ .*)?)$ ]]; then
    lastfall=${BASH_REMATCH[1]}
    continue
  fi
  [[ $line =~ ^\ +([0-9]+)\ +[0-9.]+\ +(.+)\ +[-0-9.e+]+\ +[-0-9.e+]+\ +[-0-9.e+]+\ +([-0-9.e+a-z]+)\ +([-0-9.e+a-z]+)\ +(erfüllt|nicht\ erfüllt)$ ]] ||
    continue
  nummer=${BASH_REMATCH[1]}
  stelle=$(sed 's/ *$//' <<<"${BASH_REMATCH[2]}" | tr . ,)
  sd=$(tr . , <<<"${BASH_REMATCH[3]}")
  sf=$(tr . , <<<"${BASH_REMATCH[4]}")
  verdict="Nachweis ${BASH_REMATCH[5]}"
  heading="Stelle $nummer, $stelle · $lastfall"
  from=$(start "$heading")
  if [ -z "$from" ]; then
    problem "\"$heading\" does not start at the top of a page"
    continue
  fi
  to=$from
  while ((to < pages)) && ! [[ ${erste[to + 1]} == Stelle* ]]; do to=$((to + 1)); done
  t=$(text "$from" "$to")
  for want in "S Dauerbruch = $sd" "S Fließgrenze = $sf" "$verdict" "Schnittgrößen an der Stelle" \
      "Bauteil-Ausschlagfestigkeit"; do
    grep -qF -- "$want" <<<"$t" || problem "$heading (pages $from-$to): no \"$want\""
  done
  for want in "$sd" "$sf"; do
    grep -qF -- "$want" <<<"$summary" || problem "the summary: no \"$want\" of $heading"
  done
  proofs=$((proofs + 1))
done <tabelle.txt
[ "$proofs" -eq 12 ] || problem "$proofs proofs found in the table, not 12"
echo "$proofs proofs, each from the top of a page with its factors and verdict"

# Decimal commas: no number with a decimal point but the program's version.
all=$(pdftotext "$pdf" -)
points=$(grep -oE '[0-9]+\.[0-9]+' <<<"$(sed -E 's/wellen743-welle [0-9.]+//g' <<<"$all")" || true)
[ -z "$points" ] || problem "numbers with a decimal point: $(echo $points | head -c 200)"
grep -qF 'file://' <<<"$all" && problem "the browser's own header or footer: file://"

exit "$fail"

#!/usr/bin/env bash
# The structure of the HTML report: tidy finds nothing to complain about;
# every inline SVG, each one a diagram or a sketch, is well-formed XML; nothing is loaded
# from outside the file; and a second run gives the same bytes.
#
#   report_structure_test.sh 'COMMAND'
#
# COMMAND is run by bash with HTML set to the file it is to write, e.g.
#   report_structure_test.sh 'build/report_demo --alle "$HTML"'
# Exits 77 (skipped) where tidy or xmllint is not installed.
set -euo pipefail
for tool in tidy xmllint; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (Debian packages tidy, libxml2-utils)"
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

# Tidy: exit status 0 means neither errors nor warnings.
if ! tidy -q -e "$HTML" 2>"$dir/tidy.txt"; then
  cat "$dir/tidy.txt" >&2
  problem "tidy reports the above"
fi

# Each <svg ...> ... </svg> on its own, through an XML parser.
awk -v dir="$dir" '
  /<svg/ { n++; file = sprintf("%s/diagramm-%03d.svg", dir, n) }
  file != "" { print > file }
  /<\/svg>/ { close(file); file = "" }' "$HTML"
svgs=$(find "$dir" -name 'diagramm-*.svg' | wc -l)
[ "$svgs" -gt 0 ] || problem "no inline SVG"
for svg in "$dir"/diagramm-*.svg; do
  xmllint --noout "$svg" || problem "$(basename "$svg") is not well-formed"
done
figures=$(grep -cE '<figure class="(diagramm|skizze)">' "$HTML" || true)
[ "$svgs" -eq "$figures" ] || problem "$svgs SVG elements, but $figures diagrams and sketches"
echo "$svgs diagrams and sketches, well-formed"

# Self-contained: no scripts, style sheets, fonts or pictures from elsewhere.
if grep -nE '<script|<link|<img|<iframe|<object|@import|url\(|src=|href="[^#]' "$HTML"; then
  problem "the report refers to something outside itself"
fi

# The same input gives the same bytes.
first="$dir/first.html"
mv "$HTML" "$first"
bash -c "$1"
cmp "$first" "$HTML" || problem "a second run wrote different bytes"

exit "$fail"

#!/usr/bin/env bash
# The manual page of wellen743-welle: formats without a single warning, names
# the project's version, describes every option and every key of the shaft
# file, lists the output columns and the curves' columns in order, and
# quotes the program's messages and the output of its example exactly as the
# program prints them.
#
#   manpage_welle_test.sh PROGRAM PAGE VERSION
set -uo pipefail
program="$(realpath "$1")"  # the cases run in a folder of their own
page="$2"
version="$3"
fail=0
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failure() {
  echo "FAIL: $*" >&2
  fail=1
}

for device in -z -Tutf8; do
  groff -man -ww "$device" "$page" >/dev/null 2>"$work/warnings"
  if [ -s "$work/warnings" ]; then
    failure "groff -man -ww $device warns:"
    cat "$work/warnings" >&2
  fi
done

grep -qE "^\.TH WELLEN743-WELLE 1 [0-9-]+ \"wellen743 $version\"" "$page" ||
  failure "the .TH line does not name version $version"

# The page as text, one paragraph per line, without hyphenation or overstriking.
text="$work/page.txt"
groff -man -Tutf8 -rLL=3000n -rHY=0 -P-c -P-b -P-u "$page" 2>/dev/null >"$text"

# Every line read from standard input must stand in the page as it is.
quoted() {  # quoted WHAT < LINES
  local line count=0
  while IFS= read -r line; do
    count=$((count + 1))
    grep -qF -- "$line" "$text" || failure "$1: the page does not quote \"$line\""
  done
  [ "$count" -gt 0 ] || failure "$1: the program printed nothing to compare with"
}

# Options: every one that --help lists, long and short.
"$program" --help >"$work/help.txt"
grep -oE -- '(^|[ ,])(-[a-z]|--[a-z][a-z-]*)' "$work/help.txt" | tr -d ' ,' | sort -u >"$work/options"
[ "$(grep -c -- '^--' "$work/options")" -ge 9 ] || failure "--help lists too few options"
while IFS= read -r option; do
  grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" "$text" || failure "option $option is not described"
done <"$work/options"
quoted "--version" < <("$program" --version)

# Keys: every key the template shows is a tag of the page's key lists
# ("       l      The length ...", "       SigB, SigS, ...", "       K1Fall The ...").
"$program" --template | sed -nE 's/^([A-Za-z_0-9]+) = .*/\1/p' | sort -u >"$work/keys"
[ "$(wc -l <"$work/keys")" -ge 30 ] || failure "the template shows too few keys"
while IFS= read -r key; do
  grep -qE -- "^ +([A-Za-z0-9_]+, )*$key(,| |\$)" "$text" || failure "key $key is not described"
done <"$work/keys"

# Output columns: the CSV header's names, in order, in the page's list of
# columns (the block that begins with "Datei Lastfall Stelle x"); the curves'
# header as the page gives it.
mkdir -p "$work/run"
"$program" --template >"$work/run/welle.toml"
(cd "$work/run" && "$program" welle.toml --curves verlauf.csv) | head -n 1 | tr ';' '\n' >"$work/header"
awk '/^ +Datei Lastfall Stelle x$/ { on = 1 } on && /^$/ { exit } on { for (i = 1; i <= NF; ++i) print $i }' \
  "$text" >"$work/listed"
[ "$(wc -l <"$work/header")" -ge 80 ] || failure "the CSV header has too few columns"
cmp -s "$work/header" "$work/listed" || failure "the page does not list the output columns in order"
quoted "the curves' columns" < <(head -n 1 "$work/run/verlauf.csv" | tr ';' ' ')

# Messages: each case makes welle.toml from a small shaft, runs the program
# with ARGS and must end with STATUS; whatever it prints on standard error
# must be quoted in the page.
base='[[abschnitt]]\nl = 100\nD = 40\n[[abschnitt]]\nl = 100\nD = 50\nr = 2\n[[lager]]\nx = 20\nart = "fest"\n[[lager]]\nx = 180\nart = "los"\n[[last]]\nx = 100\nFy = 1000\n'
cases=(
  "2 welle.toml ::: printf \"\$base\" | sed 's/^D = 50\$/Dd = 50/'"
  "2 welle.toml ::: printf \"\$base\" | sed '/^r = 2\$/d'"
  "2 welle.toml ::: printf \"\$base\" | sed 's/^x = 180\$/x = 250/'"
  "2 welle.toml ::: printf \"\$base\" | sed 's/^Fy = 1000\$/T = 100/'"
  "2 welle.toml ::: printf \"deff = nan\n\$base[[lastfall]]\n\""
  "2 welle.toml ::: printf \"E = 210 000\n\$base\""
  "2 fehlt.toml ::: printf \"\$base\""
  "2 welle.toml -o welle.toml ::: printf \"\$base\""
  "2 --smin 0 welle.toml ::: printf \"\$base\""
  "2 welle.toml -o ergebnis.csv --report ergebnis.csv ::: printf \"\$base\""
  "0 welle.toml -o ergebnis.csv ::: printf \"\$base\""
  "2 --resized neu.toml welle.toml ::: printf \"\$base\""
  "1 --solve d --smin 100000 -q welle.toml --resized neu.toml -o ergebnis.csv ::: printf \"\$base\""
)
for entry in "${cases[@]}"; do
  read -r expected args <<<"${entry%% ::: *}"
  (cd "$work/run" && eval "${entry#* ::: }" >welle.toml)
  # shellcheck disable=SC2086  # the arguments are words
  (cd "$work/run" && "$program" $args >/dev/null 2>"$work/messages")
  status=$?
  [ "$status" -eq "$expected" ] || failure "$args ($entry): status $status, not $expected"
  quoted "the message of $args" <"$work/messages"
done

# The example: the shaft file that the page shows, and what the program
# prints for it.
sed -n '/^ *name = "Abtriebswelle"$/,/^$/p' "$text" | sed 's/^  //; /^$/d' >"$work/run/getriebe.toml"
[ "$(wc -l <"$work/run/getriebe.toml")" -ge 20 ] || failure "the page shows no example shaft"
quoted "the example" < <(cd "$work/run" && "$program" --format table getriebe.toml)

exit "$fail"

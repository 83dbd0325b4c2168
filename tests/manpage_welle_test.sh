#!/usr/bin/env bash
# The manual page of wellen743-welle: formats without a single warning, names
# the project's version, describes every option and every key of the shaft
# file, lists the output columns and the curves' columns in order, and
# quotes the program's messages and the output of its example exactly as the
# program prints them.
#
#   manpage_welle_test.sh PROGRAM PAGE VERSION
set -uo pipefail
TH_NAME=WELLEN743-WELLE
# shellcheck source=manpage_lib.sh
source "$(dirname "$0")/manpage_lib.sh"

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

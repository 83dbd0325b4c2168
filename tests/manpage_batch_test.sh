#!/usr/bin/env bash
# The manual page of wellen743-batch: formats without a single warning, names
# the project's version, describes every option, input column (with its
# default) and output column, and quotes the program's messages and the
# output of its examples exactly as the program prints them.
#
#   manpage_batch_test.sh PROGRAM PAGE VERSION
set -uo pipefail
TH_NAME=WELLEN743-BATCH
# shellcheck source=manpage_lib.sh
source "$(dirname "$0")/manpage_lib.sh"

# Input columns: each in the page's table of columns ("NAME  UNIT  DEFAULT
# meaning"); the stresses and loads with the default 0, the other fields
# of the input with the template's value, which is their default.
"$program" --template --delimiter , >"$work/template.csv"
paste -d ' ' <(head -n 1 "$work/template.csv" | tr ',' '\n') \
  <(sed -n 2p "$work/template.csv" | tr ',' '\n') >"$work/defaults"
[ "$(wc -l <"$work/defaults")" -eq 32 ] || failure "the template does not have 32 columns"
while read -r name value; do
  case "$name" in
    Name | Werkstoff | Bemerkung) pattern="^ +$name +[^ ]+ +empty +[^ ]" ;;
    Sigzdm | Sigbm | Tautm | Sigzda | Sigba | Tauta | Fm | Fa | Mbm | Mba | Tm | Ta | di)
      pattern="^ +$name +[^ ]+( m)? +0 +[^ ]" ;;
    *) pattern="^ +$name +[^ ]+ +$value +[^ ]" ;;
  esac
  grep -qE -- "$pattern" "$text" || failure "input column $name (default \"$value\") is not in the table"
done <"$work/defaults"

# Output columns: the CSV header's names, in order, in the page's list of
# columns (the block that begins with "Datei Zeile Name").
printf 'D\n50\n' | "$program" --format csv 2>/dev/null | head -n 1 | tr ',' '\n' >"$work/header"
awk '/^ +Datei Zeile Name / { on = 1 } on && /^$/ { exit } on { for (i = 1; i <= NF; ++i) print $i }' \
  "$text" >"$work/listed"
[ "$(wc -l <"$work/header")" -ge 70 ] || failure "the CSV header has too few columns"
in_order() {  # in_order HEADER: each of its names listed, in its order
  awk 'NR == FNR { listed[++n] = $0; next }
       { while (at < n && listed[++at] != $0) {}
         if (listed[at] != $0) { print "FAIL: output column " $0 " is not listed in its place"; bad = 1 } }
       END { exit bad }' "$work/listed" "$1" >&2 || fail=1
}
in_order "$work/header"
# With --solve, the solved columns too.
for solve in r d; do
  printf 'D\n50\n' | "$program" --solve "$solve" --format csv 2>/dev/null | head -n 1 | tr ',' '\n' \
    >"$work/header_$solve"
  grep -q _erf "$work/header_$solve" || failure "--solve $solve writes no solved column"
  in_order "$work/header_$solve"
done

# Messages: each case makes kerben.csv, runs the program with ARGS in a
# folder that also holds a folder "ergebnisse", and must end with STATUS;
# whatever it prints on standard error must be quoted in the page (but the
# warning on missing columns, which names the case's own; the example
# below quotes one).
mkdir -p "$work/run/ergebnisse"
cases=(
  "1 kerben.csv ::: printf 'Name,D\nA,50\nB,5o\n'"
  "1 kerben.csv ::: printf 'Name,K1Fall\nA,1\nB,2.0\n'"
  "1 kerben.csv ::: printf 'Name,Kerbfall\nA,1\nB,3\n'"
  "1 kerben.csv ::: printf 'Name,Mba,Sigba\nA,500,\nB,500,60\n'"
  "1 kerben.csv ::: printf 'Name,Fm,di\nA,100,5\nB,100,-5\n'"
  "1 kerben.csv ::: printf 'Name,Fm,di\nA,100,5\nB,100,45\n'"
  "1 kerben.csv ::: printf 'Name,D,d\nA,50,40,\nB,50,40,x\n'"
  "1 kerben.csv ::: printf 'Name,d,Fm\nA,40,100\nB,0,100\n'"
  "1 kerben.csv ::: printf 'Name;SigB\nA;1100\nB;1.100\n'"
  "1 kerben.csv ::: printf 'Name,d\nA,40\nB,\"7,5\"\n'"
  "1 kerben.csv ::: printf 'Name;D\nA;50\nB\\374;50\nC\\303\\274;50\n'"
  "1 kerben.csv ::: printf 'Name;D\nA\\201;50\nB\\374;50\n'"
  "1 kerben.csv ::: printf 'Name,D\nA,50\n\"B\"x,50\n'"
  "1 kerben.csv ::: printf 'Name,D\nA,50\n'; head -c 1048577 /dev/zero | tr '\0' x; printf ',50\n'"
  "2 kerben.csv ::: printf 'Name,sigzdm\n'"
  "2 kerben.csv ::: printf 'Name;Mb;Bauteil;D;D;Mba [N mm]\n'"
  "2 --extra-columns kerben.csv ::: printf 'Name;S_Dauerbruch\n'"
  "2 kerben.csv ::: printf 'Name,D\nA,50\n\"B,50\n'"
  "2 kerben.csv ::: printf ''"
  "2 fehlt.csv ::: printf 'D\n'"
  "2 ergebnisse ::: printf 'D\n'"
  "2 kerben.csv -o ergebnisse ::: printf 'D\n'"
  "2 kerben.csv -o kerben.csv ::: printf 'D\n'"
  "2 --smin 0,0 kerben.csv ::: printf 'D\n'"
  "2 --solve x kerben.csv ::: printf 'D\n'"
)
for entry in "${cases[@]}"; do
  read -r expected args <<<"${entry%% ::: *}"
  (cd "$work/run" && eval "${entry#* ::: }" >kerben.csv)
  # shellcheck disable=SC2086  # the arguments are words
  (cd "$work/run" && "$program" -q $args >/dev/null 2>"$work/messages")
  status=$?
  [ "$status" -eq "$expected" ] || failure "$args ($entry): status $status, not $expected"
  grep -v ': Spalten\? fehl' "$work/messages" | quoted "the message of $args"
done

# Examples: the spreadsheet that the page shows, and the parameter study;
# the page must show what the program prints for them.
sed -n '/^ *Name;Werkstoff;/,/^$/p' "$text" | sed 's/^ *//; /^$/d' >"$work/run/kerben.csv"
[ "$(wc -l <"$work/run/kerben.csv")" -ge 3 ] || failure "the page shows no example spreadsheet"
quoted "the example spreadsheet" < <(cd "$work/run" && "$program" --format table kerben.csv 2>/dev/null)
quoted "the example's warning" < <(cd "$work/run" && "$program" --format table kerben.csv 2>&1 >/dev/null)
quoted "the design example" < <(cd "$work/run" && "$program" --solve r --smin 3 --format table kerben.csv 2>/dev/null)
quoted "the sizing example" < <(cd "$work/run" && "$program" --solve d --format table kerben.csv 2>/dev/null)
quoted "the parameter study" < <(
  { echo Name,Mba,Tm,r; for r in 0.5 1 2 3 4; do echo "r = $r mm,1000,500,$r"; done; } |
    "$program" --format table 2>/dev/null)
for column in S_Dauerbruch S_Fliessgrenze; do
  value=$("$program" --template | "$program" --format json |
    grep -oE "\"$column\":[^,}]+" | cut -d: -f2)
  grep -qF -- "$column $value" "$text" || failure "the page does not give the defaults' $column $value"
done

exit "$fail"

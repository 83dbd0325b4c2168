#!/usr/bin/env bash
# Throughput and memory of wellen743-batch.
#
#   [FORM=semikolon|windows] [ARGS="--solve r"] [RUNS=1] bench/batch.sh [PROGRAM] [ROWS...]
#
# For each number of rows (default 10000 and 1000000) makes a CSV file of
# that many sensible random cases (fixed seed: the same file every time),
# times `PROGRAM big.csv -o /dev/null` (the best of three runs) and reports
# rows per second and the peak resident memory. The file is separated by
# commas; FORM=semikolon writes it as German spreadsheets do (semicolons,
# decimal commas), FORM=windows that too in Windows-1252 with an umlaut in
# every name, so that every row is converted. ARGS are further options of
# the program (design mode: ARGS="--solve r"); RUNS the number of runs of
# which the best counts (default 3; a run of design mode on a million rows
# takes minutes).
set -euo pipefail
read -r -a args <<<"${ARGS:-}"
runs=${RUNS:-3}
program=${1:-build/wellen743-batch}
shift || true
sizes=("$@")
((${#sizes[@]})) || sizes=(10000 1000000)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One case per row: a shoulder or a groove with its geometry, a material
# that fits the group, and loads around the defaults; all 22 input columns.
make_cases() {
  awk -v rows="$1" 'BEGIN {
    srand(743)
    print "Name,Sigzdm,Sigbm,Tautm,Sigzda,Sigba,Tauta,D,d,deff,r,t,Rz,Kerbfall,SigB,SigS," \
          "SigzdW,SigbW,TautW,K1Fall,harteRandschicht,Hohlwelle,KV"
    for (i = 1; i <= rows; i++) {
      D = 20 + int(rand() * 180)
      d = D * (0.6 + rand() * 0.35)
      t = (D - d) / 2
      r = t * (0.1 + rand() * 0.8)
      SigB = 500 + int(rand() * 900)
      SigS = SigB * (0.6 + rand() * 0.25)
      printf "Kerbe %d,%.1f,%.1f,%.1f,%.1f,%.1f,%.1f,%d,%.2f,%d,%.2f,%.3f,%.1f,%d,%d,%.0f,%.0f,%.0f,%.0f,%d,%d,%d,%.2f\n",
        i, rand() * 300 - 50, rand() * 400, rand() * 200, rand() * 80, rand() * 120, rand() * 80,
        D, d, D, r, t, 1 + rand() * 24, 1 + int(rand() * 2), SigB, SigS,
        0.4 * SigB, 0.5 * SigB, 0.3 * SigB, 1 + int(rand() * 4), int(rand() * 2), int(rand() * 2),
        0.9 + rand() * 0.3
    }
  }'
}

printf '%10s %12s %10s %12s\n' rows seconds rows/s "peak RSS"
german() {
  case "${FORM:-}" in
    semikolon) tr ',.' ';,' ;;
    windows) tr ',.' ';,' | sed 's/^Kerbe /Kerbe \xdc /' ;;
    *) cat ;;
  esac
}

for rows in "${sizes[@]}"; do
  make_cases "$rows" | german >"$work/big.csv"
  best=
  rss=
  for ((run = 0; run < runs; ++run)); do
    start=$(date +%s%N)
    # Its warnings (defaults used, Windows-1252) are not what is measured.
    /usr/bin/time -f '%M' -o "$work/time" "$program" ${args[@]+"${args[@]}"} "$work/big.csv" -o /dev/null 2>"$work/err"
    end=$(date +%s%N)
    seconds=$(awk -v ns=$((end - start)) 'BEGIN { printf "%.3f", ns / 1e9 }')
    read -r kb <"$work/time"
    if [ -z "$best" ] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
      best=$seconds
    fi
    rss=$kb
  done
  rate=$(awk -v n="$rows" -v s="$best" 'BEGIN { printf "%.0f", (s > 0 ? n / s : 0) }')
  printf '%10d %12s %10s %9s kB\n' "$rows" "$best" "$rate" "$rss"
done

// Writes the report of the three worked examples, the way the batch program
// will: Add for each computed case, Refuse for each refused row, Write at the
// end. With --alle it adds a refused row and a case whose values are not all
// numbers.
//
//   report_demo [--alle] OUT.html
#include <cmath>
#include <cstdio>
#include <cstring>

#include "batch/report.h"

namespace {

using wellen::Eingabewerte;
using wellen::batch::Fall;

Fall Berechnet(std::size_t zeile, const char* name, const Eingabewerte& e) {
  Fall fall;
  fall.datei = "beispiele.csv";
  fall.zeile = zeile;
  fall.name = name;
  fall.e = e;
  fall.n = wellen::Calculate(e);
  return fall;
}

}  // namespace

int main(int argc, char** argv) {
  const bool alle = argc == 3 && std::strcmp(argv[1], "--alle") == 0;
  if (argc != (alle ? 3 : 2)) {
    std::fprintf(stderr, "usage: report_demo [--alle] OUT.html\n");
    return 2;
  }
  wellen::batch::Report report({"beispiele.csv"}, 1.2, WELLEN_VERSION);

  const Eingabewerte vorgabe = wellen::DefaultEingabewerte();
  report.Add(Berechnet(2, "Vorgabewerte", vorgabe));

  Eingabewerte druck = vorgabe;
  druck.Kerbfall = wellen::kRundnut;
  druck.K1Fall = 1;
  druck.deff = 150;
  druck.harteRandschicht = 1;
  druck.Hohlwelle = 1;
  druck.Sigzdm = -250;
  druck.Sigbm = 50;
  druck.Tautm = 80;
  report.Add(Berechnet(3, "Rundnut, Druckmittelspannung", druck));

  Eingabewerte hoch = vorgabe;
  hoch.Sigzdm = 600;
  report.Add(Berechnet(4, "hohe Mittelspannung", hoch));

  if (alle) {
    report.Refuse("beispiele.csv", 5, "Spalte \"Kerbfall\": 3 ist weder 1 noch 2");
    Eingabewerte kaputt = vorgabe;
    kaputt.r = 0;
    kaputt.Rz = 0.5;
    Fall fall = Berechnet(6, "Radius 0 <Grenzfall> & Last", kaputt);
    fall.lasten.Mbm = 1884.96;
    fall.lasten.di = 10;
    report.Add(fall);
  }

  std::FILE* out = std::fopen(argv[argc - 1], "wb");
  if (out == nullptr) {
    std::perror(argv[argc - 1]);
    return 1;
  }
  const bool ok = report.Write(out);
  return (std::fclose(out) == 0 && ok) ? 0 : 1;
}

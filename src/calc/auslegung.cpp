#include "auslegung.h"

#include <cmath>
#include <limits>

#include "nachweis.h"
#include "urteil.h"

namespace wellen {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A grid value written as the nearest double to i / teiler, so that 0.07
// reads back as 0.07 and not as 7 * 0.01.
double Gitterwert(long i, double teiler) { return static_cast<double>(i) / teiler; }

// The first and last grid index with i / teiler in [von, bis]; a slack of a
// millionth of a step keeps an end that lies on the grid (t = 1.25) from
// being lost to the rounding of the product.
struct Bereich {
  long erster = 1, letzter = 0;  // empty when letzter < erster
};

Bereich Gitter(double von, double bis, double teiler) {
  Bereich b;
  if (!(std::isfinite(von) && std::isfinite(bis))) return b;
  constexpr double kSpiel = 1e-6;
  // Both grids hold positive values only.
  const double lo = std::fmax(std::ceil(von * teiler - kSpiel), 1.0);
  const double hi = std::floor(bis * teiler + kSpiel);
  // Bounded so that a wild input cannot make the search run for ever: a
  // real case has a grid of some thousands of values (d = 1000 mm: 49,801).
  constexpr double kMax = 1e6;
  if (!(lo <= hi) || hi > kMax || lo < -kMax) return b;
  b.erster = static_cast<long>(lo);
  b.letzter = static_cast<long>(hi);
  return b;
}

// The smaller of the two factors, a factor that is not a number counting as
// the smallest possible.
double Kleinere(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return -std::numeric_limits<double>::infinity();
  return std::fmin(a, b);
}

// Walks the grid of `bereich`, checking the record `bei(wert)` for each
// value, and returns the first that meets `smin`, or the best.
template <typename Bei>
Auslegung Suche(const Bereich& bereich, double teiler, double smin, Bei&& bei) {
  Auslegung a;
  a.wert = kNaN;
  a.SDauerbruch = kNaN;
  a.SFliessgrenze = kNaN;
  double beste = 0;
  bool irgendeiner = false;
  for (long i = bereich.erster; i <= bereich.letzter; ++i) {
    const double wert = Gitterwert(i, teiler);
    const Eingabewerte e = bei(wert);
    const Nachweis n = Calculate(e);
    const bool erfuellt = NachweisErfuellt(n, smin);
    const double kleinere = Kleinere(n.SDauerbruch, n.SFliessgrenze);
    if (erfuellt || !irgendeiner || kleinere > beste) {
      irgendeiner = true;
      beste = kleinere;
      a.wert = wert;
      a.SDauerbruch = n.SDauerbruch;
      a.SFliessgrenze = n.SFliessgrenze;
      a.e = e;
    }
    if (erfuellt) {
      a.erreicht = true;
      break;
    }
  }
  return a;
}

}  // namespace

double RadiusGrenze(const Eingabewerte& e) {
  return e.Kerbfall == kAbsatz ? e.t : kRundnutRadiusAnteil * e.d;
}

Auslegung KleinsterRadius(const Eingabewerte& e, double smin) {
  constexpr double kTeiler = 1 / kRadiusSchritt;
  const double bis = RadiusGrenze(e);
  Auslegung a = Suche(Gitter(kRadiusSchritt, bis, kTeiler), kTeiler, smin, [&](double r) {
    Eingabewerte mit = e;
    mit.r = r;
    return mit;
  });
  a.von = kRadiusSchritt;
  a.bis = bis;
  if (std::isnan(a.wert)) a.e = e;
  return a;
}

Eingabewerte Skaliert(const Eingabewerte& e, const Schnittlasten& lasten, double d) {
  const double k = d / e.d;
  Eingabewerte s = e;
  s.D = k * e.D;
  s.d = d;
  s.r = k * e.r;
  s.t = k * e.t;
  s.deff = k * e.deff;
  Schnittlasten l = lasten;
  if (l.di) *l.di *= k;
  return SpannungenAusLasten(s, l);
}

Auslegung KleinsterDurchmesser(const Eingabewerte& e, const Schnittlasten& lasten,
                               double smin) {
  constexpr double kTeiler = 1 / kDurchmesserSchritt;
  const double von = 0.2 * e.d;
  const double bis = 5 * e.d;
  Auslegung a = Suche(Gitter(von, bis, kTeiler), kTeiler, smin,
                      [&](double d) { return Skaliert(e, lasten, d); });
  a.von = von;
  a.bis = bis;
  if (std::isnan(a.wert)) a.e = e;
  return a;
}

}  // namespace wellen

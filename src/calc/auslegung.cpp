#include "auslegung.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "urteil.h"

namespace wellen {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMinusUnendlich = -std::numeric_limits<double>::infinity();

// The first and last grid index i with i / teiler in [von, bis]; a slack of
// a millionth of a step keeps an end that lies on the grid (t = 1.25) from
// being lost to the rounding of the product. A wild input must not make the
// search run for ever: at most kGitterwerte values are walked, from the
// first (a real case has some thousands: d = 1000 mm gives 49,801), and the
// range ends there.
struct Bereich {
  long erster = 1, letzter = 0;  // empty when letzter < erster
  bool gekuerzt = false;         // ended after kGitterwerte values
};

Bereich Gitter(double von, double bis, double teiler) {
  Bereich b;
  if (!(std::isfinite(von) && std::isfinite(bis))) return b;
  constexpr double kSpiel = 1e-6;
  // Indices up to here are exact in a double and fit a long.
  constexpr double kGroessterIndex = 1e15;
  // Both grids hold positive values only.
  const double lo = std::fmax(std::ceil(von * teiler - kSpiel), 1.0);
  const double ende = std::floor(bis * teiler + kSpiel);
  const double hi = std::fmin(ende, lo + (kGitterwerte - 1));
  if (!(lo <= hi) || hi > kGroessterIndex) return b;
  b.erster = static_cast<long>(lo);
  b.letzter = static_cast<long>(hi);
  b.gekuerzt = hi < ende;
  return b;
}

// The two factors and the record of a.wert, as `bei` gives it.
template <typename Bei>
void AmWert(Auslegung& a, Bei&& bei) {
  a.SDauerbruch = kNaN;
  a.SFliessgrenze = kNaN;
  if (std::isnan(a.wert)) return;
  a.e = bei(a.wert);
  const Nachweis n = Calculate(a.e);
  a.SDauerbruch = n.SDauerbruch;
  a.SFliessgrenze = n.SFliessgrenze;
}

// The search of one case over the grid from `von` to `bis`, each grid
// value's record as `bei` gives it.
template <typename Bei>
Auslegung Suche(const Eingabewerte& e, double von, double bis, double schritt, double smin,
                Bei&& bei) {
  Auslegung a;
  a.von = von;
  const Gittersuche s = SucheAufGitter(von, bis, schritt, [&](double wert) {
    const Eingabewerte m = bei(wert);
    const Nachweis n = Calculate(m);
    return Gitterpruefung{NachweisErfuellt(m, n, smin), KleinereSicherheit(n)};
  });
  a.erreicht = s.erreicht;
  a.wert = s.wert;
  a.bis = s.bis;
  a.e = e;
  AmWert(a, bei);
  return a;
}

}  // namespace

double KleinereSicherheit(const Nachweis& n) {
  if (std::isnan(n.SDauerbruch) || std::isnan(n.SFliessgrenze)) return kMinusUnendlich;
  return std::fmin(n.SDauerbruch, n.SFliessgrenze);
}

Gittersuche SucheAufGitter(double von, double bis, double schritt,
                           const std::function<Gitterpruefung(double)>& pruefe) {
  const double teiler = 1 / schritt;
  const Bereich bereich = Gitter(von, bis, teiler);
  Gittersuche s;
  s.wert = kNaN;
  s.bis = bereich.gekuerzt ? static_cast<double>(bereich.letzter) / teiler : bis;
  double beste = kMinusUnendlich;
  for (long i = bereich.erster; i <= bereich.letzter; ++i) {
    const double wert = static_cast<double>(i) / teiler;
    const Gitterpruefung p = pruefe(wert);
    if (p.erfuellt) {
      s.erreicht = true;
      s.wert = wert;
      break;
    }
    if (std::isnan(s.wert) || p.kleinste > beste) {
      beste = p.kleinste;
      s.wert = wert;
    }
  }
  return s;
}

double RadiusGrenze(const Eingabewerte& e) {
  return e.Kerbfall == kAbsatz ? e.t : kRundnutRadiusAnteil * e.d;
}

Auslegung KleinsterRadius(const Eingabewerte& e, double smin) {
  return Suche(e, kRadiusSchritt, RadiusGrenze(e), kRadiusSchritt, smin, [&](double r) {
    Eingabewerte m = e;
    m.r = r;
    return m;
  });
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
  return Suche(e, 0.2 * e.d, 5 * e.d, kDurchmesserSchritt, smin,
               [&](double d) { return Skaliert(e, lasten, d); });
}

}  // namespace wellen

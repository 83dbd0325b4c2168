#include "wellenauslegung.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "urteil.h"

namespace wellen {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kUnendlich = std::numeric_limits<double>::infinity();


// The room between a groove's middle and the nearer end of its segment; the
// groove's radius may not exceed it (Pruefe). Infinite for a shoulder.
double Platz(const Welle& welle, const Stelle& stelle) {
  if (stelle.e.Kerbfall != kRundnut || stelle.quelle >= welle.nuten.size()) return kUnendlich;
  const double x = welle.nuten[stelle.quelle].x;
  const std::vector<double> grenzen = Grenzen(welle);
  const auto nach = std::upper_bound(grenzen.begin(), grenzen.end(), x);
  if (nach == grenzen.begin() || nach == grenzen.end()) return kUnendlich;
  return std::fmin(x - *(nach - 1), *nach - x);
}

// The largest outer diameter.
double DMax(const Welle& welle) {
  double d_max = 0;
  for (const Abschnitt& a : welle.abschnitte) d_max = std::max(d_max, a.D);
  return d_max;
}

}  // namespace

double RadiusGrenze(const Welle& welle, const Stelle& stelle) {
  return std::fmin(RadiusGrenze(stelle.e), Platz(welle, stelle));
}

std::vector<Radiusauslegung> KleinsteRadien(const Welle& welle, double smin) {
  std::vector<Radiusauslegung> radien;
  const Wellenergebnis ergebnis = Berechne(welle);
  if (ergebnis.lastfaelle.empty()) return radien;
  const std::size_t lastfaelle = ergebnis.lastfaelle.size();
  radien.reserve(ergebnis.stellen.size());
  for (std::size_t i = 0; i < ergebnis.stellen.size(); ++i) {
    const Stelle& stelle = ergebnis.stellen[i];
    const double platz = Platz(welle, stelle);
    // The section's record in load case f with the radius r: the stresses
    // stay, since r enters neither the statics nor the net section.
    const auto mit = [&](std::size_t f, double r) {
      Eingabewerte e = ergebnis.lastfaelle[f].stellen[i].e;
      e.r = r;
      return e;
    };
    Radiusauslegung& ra = radien.emplace_back();
    Auslegung& a = ra.auslegung;
    a.von = kRadiusSchritt;
    a.bis = RadiusGrenze(welle, stelle);
    const Gittersuche s = SucheAufGitter(a.von, a.bis, kRadiusSchritt, [&](double r) {
      // The grid's end may lie a rounding above the room; such a groove
      // would not fit.
      if (r > platz) return Gitterpruefung{false, -kUnendlich};
      Gitterpruefung p{true, kUnendlich};
      for (std::size_t f = 0; f < lastfaelle; ++f) {
        const Eingabewerte e = mit(f, r);
        const Nachweis n = Calculate(e);
        p.erfuellt = p.erfuellt && NachweisErfuellt(e, n, smin);
        p.kleinste = std::fmin(p.kleinste, KleinereSicherheit(n));
      }
      return p;
    });
    a.erreicht = s.erreicht;
    a.wert = s.wert;
    a.bis = s.bis;
    a.SDauerbruch = kNaN;
    a.SFliessgrenze = kNaN;
    a.e = stelle.e;
    if (std::isnan(a.wert)) continue;
    double kleinste = kUnendlich;
    for (std::size_t f = 0; f < lastfaelle; ++f) {
      Stellenpruefung& p = ra.je_lastfall.emplace_back();
      p.e = mit(f, a.wert);
      p.n = Calculate(p.e);
      const double k = KleinereSicherheit(p.n);
      if (f == 0 || k < kleinste) {
        kleinste = k;
        a.massgebend = f;
        a.e = p.e;
        a.SDauerbruch = p.n.SDauerbruch;
        a.SFliessgrenze = p.n.SFliessgrenze;
      }
    }
  }
  return radien;
}

Welle Skaliert(const Welle& welle, double D_max_neu) {
  const double D_max = DMax(welle);
  const double k = D_max_neu / D_max;
  const auto mal = [&](double wert) { return wert == D_max ? D_max_neu : k * wert; };
  Welle w = welle;
  for (Abschnitt& a : w.abschnitte) {
    a.D = mal(a.D);
    a.di = mal(a.di);
    if (a.r) a.r = mal(*a.r);
  }
  for (Nut& n : w.nuten) {
    n.t = mal(n.t);
    n.r = mal(n.r);
  }
  if (w.deff) w.deff = mal(*w.deff);
  return w;
}

Groessenauslegung KleinsterGemeinsamerFaktor(const Welle& welle, double smin) {
  Groessenauslegung g;
  g.D_max = DMax(welle);
  g.von = 0.2 * g.D_max;
  g.bis = 5 * g.D_max;
  g.wert = kNaN;
  g.k = kNaN;
  g.erster_uebergangen = kNaN;
  g.welle = welle;
  const Wellenergebnis gegeben = Berechne(welle);
  if (gegeben.lastfaelle.empty() || gegeben.stellen.empty()) return g;

  const Gittersuche s = SucheAufGitter(g.von, g.bis, kDurchmesserSchritt, [&](double D) {
    const Welle w = Skaliert(welle, D);
    std::vector<Fehler> fehler = Pruefe(w);
    if (!fehler.empty()) {
      if (g.uebergangen++ == 0) {
        g.erster_uebergangen = D;
        g.hindernis = std::move(fehler);
      }
      return Gitterpruefung{false, -kUnendlich};
    }
    // The check of the resized shaft as Berechne() does it, from the
    // section loads of the shaft as given (the same: nothing of them
    // depends on a diameter), without the notes and the deflection.
    const std::vector<Stelle> stellen = Stellen(w);
    Gitterpruefung p{true, kUnendlich};
    for (const Lastfallergebnis& lastfall : gegeben.lastfaelle) {
      for (std::size_t i = 0; i < stellen.size() && i < lastfall.stellen.size(); ++i) {
        const Eingabewerte e = Stellenwerte(stellen[i], lastfall.stellen[i].lasten);
        const Nachweis n = Calculate(e);
        p.erfuellt = p.erfuellt && NachweisErfuellt(e, n, smin);
        p.kleinste = std::fmin(p.kleinste, KleinereSicherheit(n));
      }
    }
    return p;
  });
  g.bis = s.bis;
  if (std::isnan(s.wert)) return g;
  g.wert = s.wert;
  g.k = g.wert / g.D_max;
  g.welle = Skaliert(welle, g.wert);
  g.ergebnis = Berechne(g.welle);
  g.erreicht = s.erreicht && !g.ergebnis.lastfaelle.empty() &&
               std::all_of(g.ergebnis.lastfaelle.begin(), g.ergebnis.lastfaelle.end(),
                           [&](const Lastfallergebnis& lastfall) {
                             return std::all_of(lastfall.stellen.begin(), lastfall.stellen.end(),
                                                [&](const Stellennachweis& n) {
                                                  return NachweisErfuellt(n.e, n.n, smin);
                                                });
                           });
  return g;
}

}  // namespace wellen

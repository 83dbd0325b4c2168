// The sections of a shaft, their check in every load case, and the curves
// along the shaft.
#include <algorithm>
#include <cmath>
#include <iterator>

#include "hinweise.h"
#include "load.h"
#include "statik.h"

namespace wellen {
namespace {

// Of the values left and right of a section, the one of larger magnitude;
// of two of equal magnitude the larger (tension rather than compression).
double Groessere(double links, double rechts) {
  if (std::fabs(rechts) > std::fabs(links)) return rechts;
  if (std::fabs(links) > std::fabs(rechts)) return links;
  return std::max(links, rechts);
}

Stellennachweis Nachweise(const Welle& welle, const Stelle& stelle, const Lastsatz& mittel,
                          const Lastsatz& amplitude) {
  const Schnittgroessen ml = mittel.Links(stelle.x), mr = mittel.Rechts(stelle.x);
  const Schnittgroessen al = amplitude.Links(stelle.x), ar = amplitude.Rechts(stelle.x);
  Stellennachweis s;
  s.Mb = Groessere(ml.Mb, mr.Mb);
  s.Mb_a = Groessere(al.Mb, ar.Mb);
  s.T = Groessere(ml.T, mr.T);
  s.T_a = Groessere(al.T, ar.T);
  s.N = Groessere(ml.N, mr.N);
  s.N_a = Groessere(al.N, ar.N);

  if (welle.art == Wellenart::kUmlaufend) {
    // Every fibre passes through tension and compression in each turn.
    s.lasten.Mbm = 0.0;
    s.lasten.Mba = s.Mb + s.Mb_a;
  } else {
    s.lasten.Mbm = s.Mb;
    s.lasten.Mba = s.Mb_a;
  }
  s.lasten.Tm = std::fabs(s.T);
  s.lasten.Ta = std::fabs(s.T_a);
  s.lasten.Fm = s.N;
  s.lasten.Fa = std::fabs(s.N_a);
  s.lasten.di = stelle.di;

  s.e = Stellenwerte(stelle, s.lasten);
  s.n = Calculate(s.e);
  s.hinweise = Hinweise(s.e, s.n, s.lasten);
  s.hinweise.insert(s.hinweise.end(), welle.hinweise.begin(), welle.hinweise.end());
  return s;
}

// Whether any value of the curves differs between the two sides of a point.
bool Sprung(const Schnittgroessen& ml, const Schnittgroessen& mr, const Schnittgroessen& al,
            const Schnittgroessen& ar) {
  return !(ml == mr) || al.Mb != ar.Mb || al.T != ar.T || al.N != ar.N;
}

}  // namespace

std::vector<Stelle> Stellen(const Welle& welle) {
  const std::vector<Abschnitt>& abschnitte = welle.abschnitte;
  std::vector<Stelle> stellen;
  if (abschnitte.empty()) return stellen;
  const std::vector<double> grenzen = Grenzen(welle);

  Eingabewerte basis = welle.werkstoff;
  basis.Sigzdm = basis.Sigbm = basis.Tautm = 0;
  basis.Sigzda = basis.Sigba = basis.Tauta = 0;
  double D_max = 0;
  for (const Abschnitt& a : abschnitte) D_max = std::max(D_max, a.D);
  basis.deff = welle.deff.value_or(D_max);
  const double Rz = welle.Rz.value_or(DefaultEingabewerte().Rz);

  const auto stelle = [&](double x, double di, std::size_t quelle) {
    Stelle s;
    s.x = x;
    s.di = di;
    s.quelle = quelle;
    s.e = basis;
    s.e.Hohlwelle = di > 0 ? 1 : 0;
    return s;
  };

  // Shoulders, at every diameter change.
  for (std::size_t i = 1; i < abschnitte.size(); ++i) {
    const Abschnitt& links = abschnitte[i - 1];
    const Abschnitt& rechts = abschnitte[i];
    if (rechts.D == links.D) continue;
    const Abschnitt& duenner = rechts.D < links.D ? rechts : links;
    Stelle s = stelle(grenzen[i], duenner.di, i);
    s.e.Kerbfall = kAbsatz;
    s.e.D = std::max(links.D, rechts.D);
    s.e.d = std::min(links.D, rechts.D);
    s.e.t = (s.e.D - s.e.d) / 2;
    s.e.r = rechts.r.value_or(0.0);
    s.e.Rz = rechts.Rz.value_or(Rz);
    stellen.push_back(s);
  }

  // Round grooves, each in the segment its middle lies in.
  for (std::size_t j = 0; j < welle.nuten.size(); ++j) {
    const Nut& n = welle.nuten[j];
    if (!(n.x > grenzen.front() && n.x < grenzen.back())) continue;  // not on the shaft
    const auto k = static_cast<std::size_t>(std::upper_bound(grenzen.begin(), grenzen.end(), n.x) -
                                            grenzen.begin() - 1);
    const Abschnitt& a = abschnitte[std::min(k, abschnitte.size() - 1)];
    Stelle s = stelle(n.x, a.di, j);
    s.e.Kerbfall = kRundnut;
    s.e.D = a.D;
    s.e.d = a.D - 2 * n.t;
    s.e.t = n.t;
    s.e.r = n.r;
    s.e.Rz = n.Rz.value_or(Rz);
    stellen.push_back(s);
  }

  std::stable_sort(stellen.begin(), stellen.end(), [](const Stelle& p, const Stelle& q) {
    return !std::isnan(p.x) && (std::isnan(q.x) || p.x < q.x);
  });
  for (std::size_t i = 0; i < stellen.size(); ++i) stellen[i].nummer = static_cast<int>(i + 1);
  return stellen;
}

Eingabewerte Stellenwerte(const Stelle& stelle, Schnittlasten lasten) {
  lasten.di = stelle.di;
  return SpannungenAusLasten(stelle.e, lasten);
}

Wellenergebnis Berechne(const Welle& welle) {
  Wellenergebnis ergebnis;
  if (!Pruefe(welle).empty()) return ergebnis;
  ergebnis.stellen = Stellen(welle);
  ergebnis.lastfaelle.reserve(welle.lastfaelle.size());
  for (const Lastfall& lastfall : welle.lastfaelle) {
    const Lastsatz mittel(welle, lastfall, false);
    const Lastsatz amplitude(welle, lastfall, true);
    const Biegelinie linie(welle, mittel);
    Lastfallergebnis& r = ergebnis.lastfaelle.emplace_back();
    r.name = lastfall.name;
    r.fest = mittel.fest();
    r.los = mittel.los();
    r.fest_a = amplitude.fest();
    r.los_a = amplitude.los();
    const Biegelinie::Groesstwert groesste = linie.Maximum();
    r.w_max = groesste.w;
    r.x_w_max = groesste.x;
    r.neigung_fest = linie.Neigung(mittel.lage_fest());
    r.neigung_los = linie.Neigung(mittel.lage_los());
    r.stellen.reserve(ergebnis.stellen.size());
    for (const Stelle& stelle : ergebnis.stellen) {
      r.stellen.push_back(Nachweise(welle, stelle, mittel, amplitude));
    }
  }
  return ergebnis;
}

std::vector<Kurvenpunkt> Kurven(const Welle& welle, std::size_t lastfall,
                                std::size_t gleichmaessig) {
  std::vector<Kurvenpunkt> punkte;
  if (lastfall >= welle.lastfaelle.size() || !Pruefe(welle).empty()) return punkte;
  const Lastsatz mittel(welle, welle.lastfaelle[lastfall], false);
  const Lastsatz amplitude(welle, welle.lastfaelle[lastfall], true);
  const Biegelinie linie(welle, mittel);

  // The places: segment boundaries, grooves, bearings and loads (the
  // reactions are among the points of a set of loads).
  std::vector<double> orte = Grenzen(welle);
  const double L = orte.back();
  const auto x_nut = [](const Nut& n) { return n.x; };
  const auto x_punkt = [](const Lastsatz::Punktlast& p) { return p.x; };
  std::ranges::transform(welle.nuten, std::back_inserter(orte), x_nut);
  std::ranges::transform(mittel.punkte(), std::back_inserter(orte), x_punkt);
  std::ranges::transform(amplitude.punkte(), std::back_inserter(orte), x_punkt);
  // And where the deflection is largest, so that the curves hold the
  // largest deflection itself, not the nearest point of the even spacing.
  orte.push_back(linie.Maximum().x);
  std::sort(orte.begin(), orte.end());
  orte.erase(std::unique(orte.begin(), orte.end()), orte.end());
  const std::size_t plaetze = orte.size();

  // The evenly spaced points, where they do not fall on a place.
  const double toleranz = 1e-9 * L;
  for (std::size_t k = 0; k <= gleichmaessig && gleichmaessig > 0; ++k) {
    const double x = L * (static_cast<double>(k) / static_cast<double>(gleichmaessig));
    const auto naechster =
        std::lower_bound(orte.begin(), orte.begin() + static_cast<std::ptrdiff_t>(plaetze), x);
    const bool frei = (naechster == orte.begin() + static_cast<std::ptrdiff_t>(plaetze) ||
                       *naechster - x > toleranz) &&
                      (naechster == orte.begin() || x - *(naechster - 1) > toleranz);
    if (frei) orte.push_back(x);
  }
  std::inplace_merge(orte.begin(), orte.begin() + static_cast<std::ptrdiff_t>(plaetze), orte.end());

  punkte.reserve(orte.size() + 2 * plaetze);
  const auto punkt = [&](double x, const Schnittgroessen& m, const Schnittgroessen& a) {
    Kurvenpunkt p;
    p.x = x;
    p.mittel = m;
    p.Mb_a = a.Mb;
    p.T_a = a.T;
    p.N_a = a.N;
    // Adding 0.0 turns a negative zero into zero.
    p.wy = linie.wy(x) + 0.0;
    p.wz = linie.wz(x) + 0.0;
    p.w = linie.w(x);
    punkte.push_back(p);
  };
  for (const double x : orte) {
    const Schnittgroessen ml = mittel.Links(x), mr = mittel.Rechts(x);
    const Schnittgroessen al = amplitude.Links(x), ar = amplitude.Rechts(x);
    if (Sprung(ml, mr, al, ar)) punkt(x, ml, al);
    punkt(x, mr, ar);
  }
  return punkte;
}

}  // namespace wellen

#include "welle.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string_view>
#include <utility>

#include "format/number.h"

namespace wellen {
namespace {

// A load or bearing this near (relative to the total length) to a segment
// boundary or groove middle sits there: far above the rounding of a sum of
// lengths, far below anything a drawing gives.
constexpr double kLagetoleranz = 1e-9;
// The torques of a load case must add up to zero within this share of the
// largest of them.
constexpr double kMomententoleranz = 1e-9;

std::string Text(double value) { return std::string(Number(value).text()); }

using Ort = Fehler::Ort;

// Collects the faults of one shaft.
class Befund {
 public:
  explicit Befund(std::vector<Fehler>& fehler) : fehler_(fehler) {}

  void Melde(Ort ort, std::size_t index, std::string_view schluessel, std::string text,
             std::size_t lastfall = 0) {
    fehler_.push_back(Fehler{ort, index, lastfall, std::string(schluessel), std::move(text)});
  }

  // Whether `value` is finite; reports it where not.
  bool Endlich(Ort ort, std::size_t index, std::string_view schluessel, double value,
               std::size_t lastfall = 0) {
    if (std::isfinite(value)) return true;
    Melde(ort, index, schluessel, std::string(schluessel) + " nicht endlich", lastfall);
    return false;
  }

  // Whether `value` is finite and positive; reports it where not.
  bool Positiv(Ort ort, std::size_t index, std::string_view schluessel, double value) {
    if (!Endlich(ort, index, schluessel, value)) return false;
    if (value > 0) return true;
    Melde(ort, index, schluessel, std::string(schluessel) + " nicht positiv");
    return false;
  }

  std::size_t Anzahl() const { return fehler_.size(); }

 private:
  std::vector<Fehler>& fehler_;
};

void PruefeWelle(const Welle& welle, Befund& befund) {
  befund.Positiv(Ort::kWelle, 0, "E", welle.E);
  if (welle.deff) befund.Positiv(Ort::kWelle, 0, "deff", *welle.deff);
  if (welle.Rz) befund.Endlich(Ort::kWelle, 0, "Rz", *welle.Rz);

  const Eingabewerte& w = welle.werkstoff;
  const std::pair<std::string_view, double> reelle[] = {
      {"SigB", w.SigB},   {"SigS", w.SigS},   {"SigzdW", w.SigzdW},
      {"SigbW", w.SigbW}, {"TautW", w.TautW}, {"KV", w.KV},
  };
  for (const auto& [name, wert] : reelle) befund.Endlich(Ort::kWerkstoff, 0, name, wert);
  if (w.K1Fall < 1 || w.K1Fall > 4) {
    befund.Melde(Ort::kWerkstoff, 0, "K1Fall",
                 "K1Fall = " + std::to_string(w.K1Fall) + " nicht 1 bis 4");
  }
  if (w.harteRandschicht != 0 && w.harteRandschicht != 1) {
    befund.Melde(Ort::kWerkstoff, 0, "harteRandschicht",
                 "harteRandschicht = " + std::to_string(w.harteRandschicht) + " nicht 0 oder 1");
  }
}

// The contour; whether it is sound enough to place grooves, bearings and
// loads on it.
bool PruefeAbschnitte(const Welle& welle, Befund& befund) {
  const std::vector<Abschnitt>& abschnitte = welle.abschnitte;
  if (abschnitte.empty()) {
    befund.Melde(Ort::kWelle, 0, "abschnitt", "keine Abschnitte");
    return false;
  }
  const std::size_t vorher = befund.Anzahl();
  for (std::size_t i = 0; i < abschnitte.size(); ++i) {
    const Abschnitt& a = abschnitte[i];
    befund.Positiv(Ort::kAbschnitt, i, "l", a.l);
    const bool D_gut = befund.Positiv(Ort::kAbschnitt, i, "D", a.D);
    if (befund.Endlich(Ort::kAbschnitt, i, "di", a.di)) {
      if (a.di < 0) {
        befund.Melde(Ort::kAbschnitt, i, "di", "di negativ");
      } else if (D_gut && a.di >= a.D) {
        befund.Melde(Ort::kAbschnitt, i, "di",
                     "di = " + Text(a.di) + " nicht kleiner als D = " + Text(a.D));
      }
    }
    const bool r_endlich = !a.r || befund.Endlich(Ort::kAbschnitt, i, "r", *a.r);
    if (a.Rz) befund.Endlich(Ort::kAbschnitt, i, "Rz", *a.Rz);

    // The transition at the segment's left end.
    if (i == 0) {
      if (a.r) befund.Melde(Ort::kAbschnitt, i, "r", "r beim ersten Abschnitt: kein Übergang");
      if (a.Rz) befund.Melde(Ort::kAbschnitt, i, "Rz", "Rz beim ersten Abschnitt: kein Übergang");
      continue;
    }
    const double D_vorher = abschnitte[i - 1].D;
    if (!D_gut || !(std::isfinite(D_vorher) && D_vorher > 0)) continue;
    if (a.D != D_vorher) {
      if (!a.r) {
        befund.Melde(Ort::kAbschnitt, i, "r",
                     "r fehlt: D wechselt von " + Text(D_vorher) + " auf " + Text(a.D));
      } else if (r_endlich && *a.r <= 0) {
        befund.Melde(Ort::kAbschnitt, i, "r", "r nicht positiv");
      }
    } else {
      if (a.r) befund.Melde(Ort::kAbschnitt, i, "r", "r gegeben, aber D wechselt hier nicht");
      if (a.Rz) befund.Melde(Ort::kAbschnitt, i, "Rz", "Rz gegeben, aber D wechselt hier nicht");
    }
  }
  if (befund.Anzahl() != vorher) return false;
  if (!std::isfinite(Gesamtlaenge(welle))) {
    befund.Melde(Ort::kWelle, 0, "abschnitt", "Gesamtlänge nicht endlich");
    return false;
  }
  return true;
}

void PruefeNuten(const Welle& welle, bool kontur, Befund& befund) {
  const std::vector<double> grenzen = kontur ? Grenzen(welle) : std::vector<double>{};
  for (std::size_t j = 0; j < welle.nuten.size(); ++j) {
    const Nut& n = welle.nuten[j];
    const bool x_gut = befund.Endlich(Ort::kNut, j, "x", n.x);
    const bool t_gut = befund.Positiv(Ort::kNut, j, "t", n.t);
    const bool r_gut = befund.Positiv(Ort::kNut, j, "r", n.r);
    if (n.Rz) befund.Endlich(Ort::kNut, j, "Rz", *n.Rz);
    if (!kontur || !x_gut) continue;

    const double L = grenzen.back();
    if (n.x <= 0 || n.x >= L) {
      befund.Melde(Ort::kNut, j, "x",
                   "x = " + Text(n.x) + " außerhalb der Welle (0 bis " + Text(L) + ")");
      continue;
    }
    // The segment k with grenzen[k] <= x < grenzen[k + 1].
    const auto k = static_cast<std::size_t>(std::upper_bound(grenzen.begin(), grenzen.end(), n.x) -
                                            grenzen.begin() - 1);
    const double anfang = grenzen[k];
    const double ende = grenzen[k + 1];
    if (n.x == anfang) {
      befund.Melde(Ort::kNut, j, "x", "x = " + Text(n.x) + " auf einer Abschnittsgrenze");
      continue;
    }
    if (r_gut) {
      const double naechste = n.x - anfang < ende - n.x ? anfang : ende;
      if (std::fabs(n.x - naechste) < n.r) {
        befund.Melde(Ort::kNut, j, "x",
                     "x = " + Text(n.x) + " näher als r = " + Text(n.r) + " am Abschnittsende " +
                         Text(naechste));
      }
    }
    if (t_gut) {
      const Abschnitt& a = welle.abschnitte[k];
      const double wand = (a.D - a.di) / 2;
      if (n.t >= wand) {
        befund.Melde(Ort::kNut, j, "t",
                     "t = " + Text(n.t) + " nicht kleiner als " +
                         (a.di > 0 ? "die Wanddicke (D - di)/2 = " : "D/2 = ") + Text(wand));
      }
    }
  }
}

// Whether a load or bearing at x lies on the shaft; reports it where not.
bool AufDerWelle(const Welle& welle, double x, Befund& befund, Ort ort, std::size_t index,
                 std::size_t lastfall = 0) {
  const double L = Gesamtlaenge(welle);
  const double toleranz = kLagetoleranz * L;
  if (x >= -toleranz && x <= L + toleranz) return true;
  befund.Melde(ort, index, "x", "x = " + Text(x) + " außerhalb der Welle (0 bis " + Text(L) + ")",
               lastfall);
  return false;
}

void PruefeLager(const Welle& welle, bool kontur, Befund& befund) {
  const std::vector<Lager>& lager = welle.lager;
  bool orte_gut = true;
  for (std::size_t i = 0; i < lager.size(); ++i) {
    const bool gut = befund.Endlich(Ort::kLager, i, "x", lager[i].x) &&
                     (!kontur || AufDerWelle(welle, lager[i].x, befund, Ort::kLager, i));
    orte_gut = orte_gut && gut;
  }
  if (lager.size() != 2) {
    befund.Melde(
        Ort::kWelle, 0, "lager",
        std::to_string(lager.size()) + " Lager statt zwei (eines \"fest\", eines \"los\")");
    return;
  }
  if (lager[0].art == lager[1].art) {
    befund.Melde(Ort::kLager, 1, "art",
                 lager[0].art == Lagerart::kFest ? "zwei Festlager: eines muss \"los\" sein"
                                                 : "zwei Loslager: eines muss \"fest\" sein");
  }
  if (kontur && orte_gut && Lage(welle, lager[0].x) == Lage(welle, lager[1].x)) {
    befund.Melde(Ort::kLager, 1, "x", "beide Lager bei x = " + Text(Lage(welle, lager[1].x)));
  }
}

void PruefeLastfaelle(const Welle& welle, bool kontur, Befund& befund) {
  if (welle.lastfaelle.empty()) {
    befund.Melde(Ort::kWelle, 0, "lastfall", "kein Lastfall");
    return;
  }
  for (std::size_t i = 0; i < welle.lastfaelle.size(); ++i) {
    // The results name a load case by its name alone: two of one name could
    // not be told apart.
    const std::string& fallname = welle.lastfaelle[i].name;
    for (std::size_t k = 0; k < i && !fallname.empty(); ++k) {
      if (welle.lastfaelle[k].name == fallname) {
        befund.Melde(Ort::kLastfall, i, "name",
                     "name \"" + fallname + "\" hat schon Lastfall " + std::to_string(k + 1));
        break;
      }
    }
    const std::vector<Lastelement>& lasten = welle.lastfaelle[i].lasten;
    double summe_T = 0, groesstes_T = 0, summe_T_a = 0, groesstes_T_a = 0;
    bool T_endlich = true, T_a_endlich = true;
    for (std::size_t j = 0; j < lasten.size(); ++j) {
      const Lastelement& l = lasten[j];
      if (befund.Endlich(Ort::kLast, j, "x", l.x, i) && kontur) {
        AufDerWelle(welle, l.x, befund, Ort::kLast, j, i);
      }
      const std::pair<std::string_view, double> werte[] = {
          {"Fx", l.Fx},     {"Fy", l.Fy},       {"Fz", l.Fz},       {"Mby", l.Mby},
          {"Mbz", l.Mbz},   {"T", l.T},         {"Fx_a", l.Fx_a},   {"Fy_a", l.Fy_a},
          {"Fz_a", l.Fz_a}, {"Mby_a", l.Mby_a}, {"Mbz_a", l.Mbz_a}, {"T_a", l.T_a},
      };
      for (const auto& [groesse, wert] : werte) befund.Endlich(Ort::kLast, j, groesse, wert, i);
      T_endlich = T_endlich && std::isfinite(l.T);
      T_a_endlich = T_a_endlich && std::isfinite(l.T_a);
      summe_T += l.T;
      summe_T_a += l.T_a;
      groesstes_T = std::max(groesstes_T, std::fabs(l.T));
      groesstes_T_a = std::max(groesstes_T_a, std::fabs(l.T_a));
    }
    if (T_endlich && std::fabs(summe_T) > kMomententoleranz * groesstes_T) {
      befund.Melde(Ort::kLastfall, i, "T",
                   "Summe der T = " + Text(summe_T) + " nicht null: die Welle dreht frei");
    }
    if (T_a_endlich && std::fabs(summe_T_a) > kMomententoleranz * groesstes_T_a) {
      befund.Melde(Ort::kLastfall, i, "T_a",
                   "Summe der T_a = " + Text(summe_T_a) + " nicht null: die Welle dreht frei");
    }
  }
}

}  // namespace

std::vector<Fehler> Pruefe(const Welle& welle) {
  std::vector<Fehler> fehler;
  Befund befund(fehler);
  PruefeWelle(welle, befund);
  const bool kontur = PruefeAbschnitte(welle, befund);
  PruefeNuten(welle, kontur, befund);
  PruefeLager(welle, kontur, befund);
  PruefeLastfaelle(welle, kontur, befund);
  return fehler;
}

double Gesamtlaenge(const Welle& welle) {
  // From the left, as Grenzen() and Lage() add.
  return std::accumulate(welle.abschnitte.begin(), welle.abschnitte.end(), 0.0,
                         [](double x, const Abschnitt& a) { return x + a.l; });
}

std::vector<double> Grenzen(const Welle& welle) {
  std::vector<double> grenzen;
  grenzen.reserve(welle.abschnitte.size() + 1);
  double x = 0;
  grenzen.push_back(x);
  for (const Abschnitt& a : welle.abschnitte) {
    x += a.l;
    grenzen.push_back(x);
  }
  return grenzen;
}

double Lage(const Welle& welle, double x) {
  const double L = Gesamtlaenge(welle);
  if (!(std::isfinite(L) && L > 0 && std::isfinite(x))) return x;
  double lage = x;
  double abstand = kLagetoleranz * L;
  const auto naeher = [&](double ort) {
    const double d = std::fabs(x - ort);
    if (d <= abstand) {
      lage = ort;
      abstand = d;
    }
  };
  // The same sums as Grenzen().
  double grenze = 0;
  naeher(grenze);
  for (const Abschnitt& a : welle.abschnitte) {
    grenze += a.l;
    naeher(grenze);
  }
  for (const Nut& n : welle.nuten) naeher(n.x);
  return lage;
}

}  // namespace wellen

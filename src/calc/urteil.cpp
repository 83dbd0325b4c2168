#include "urteil.h"

#include <algorithm>
#include <cmath>

#include "format/number.h"
#include "page_table.h"

namespace wellen {
namespace {

// A strength one of the factors rests on: its name on the pages, its value,
// and the stress it is divided into in the factor's formula.
struct Stuetze {
  std::string_view name;
  double wert;
  double last;  // 0: the factor does not rest on this strength
};

// The strengths the factor `s` rests on, one per load type: the
// permissible amplitudes under the amplitudes, or the component yield
// strengths under the maximum stresses. A stress that is not a number
// counts as one the factor rests on.
struct Stuetzen {
  Stuetze load[3];
};

Stuetzen StuetzenVon(Sicherheit s, const Eingabewerte& e, const Nachweis& n) {
  if (s == Sicherheit::kDauerbruch) {
    return {{{"SigzdADK", n.SigzdADK, e.Sigzda},
             {"SigbADK", n.SigbADK, e.Sigba},
             {"TautADK", n.TautADK, e.Tauta}}};
  }
  return {{{"SigzdFK", n.SigzdFK, e.Sigzda + e.Sigzdm},
           {"SigbFK", n.SigbFK, e.Sigba + e.Sigbm},
           {"TautFK", n.TautFK, e.Tauta + e.Tautm}}};
}

// A strength the factor rests on and that cannot be right.
bool Unplausibel(const Stuetze& st) {
  const bool getragen = !(st.last == 0);  // a stress that is not a number too
  return getragen && !(std::isfinite(st.wert) && st.wert > 0);
}

bool StuetztUnplausibel(Sicherheit s, const Eingabewerte& e, const Nachweis& n) {
  const Stuetzen st = StuetzenVon(s, e, n);
  return std::any_of(std::begin(st.load), std::end(st.load), Unplausibel);
}

bool EingabeNichtEndlich(const Eingabewerte& e) {
  const auto felder = Eingabefelder();
  return std::any_of(felder.begin(), felder.end(), [&](const Eingabefeld& feld) {
    return feld.real != nullptr && !std::isfinite(e.*feld.real);
  });
}

// Either of the reasons that make both factors "ungültig".
bool BeideUngueltig(const Eingabewerte& e, const Nachweis& n) {
  return EingabeNichtEndlich(e) || KeineZahlAufDenSeiten(n);
}

// Adds `name` to a list that starts with `titel`: "titel a, b, c".
void Liste(std::string& text, std::string_view titel, std::string_view name) {
  text += text.empty() ? std::string(titel) + " " : ", ";
  text += name;
}

}  // namespace

std::string_view BewertungText(Bewertung bewertung) {
  switch (bewertung) {
    case Bewertung::kReicht: return "reicht";
    case Bewertung::kReichtNicht: return "reicht nicht";
    case Bewertung::kUngueltig: return "ung\u00fcltig";
  }
  return {};
}

double Sicherheitswert(Sicherheit s, const Nachweis& n) {
  return s == Sicherheit::kDauerbruch ? n.SDauerbruch : n.SFliessgrenze;
}

bool KeineZahlAufDenSeiten(const Nachweis& n) {
  for (int page = 1; page <= kPageCount; ++page) {
    const auto lines = PageLines(page);
    if (std::any_of(lines.begin(), lines.end(),
                    [&](const PageLine& line) { return std::isnan(line.value(n)); })) {
      return true;
    }
  }
  return false;
}

Bewertung Bewerte(Sicherheit s, const Eingabewerte& e, const Nachweis& n, double smin) {
  if (StuetztUnplausibel(s, e, n) || BeideUngueltig(e, n)) return Bewertung::kUngueltig;
  return Sicherheitswert(s, n) >= smin ? Bewertung::kReicht : Bewertung::kReichtNicht;
}

std::string Ungueltigkeit(Sicherheit s, const Eingabewerte& e, const Nachweis& n) {
  std::string grund;
  const Stuetzen st = StuetzenVon(s, e, n);
  for (const Stuetze& stuetze : st.load) {
    if (!Unplausibel(stuetze)) continue;
    if (!grund.empty()) grund += ", ";
    grund += std::string(stuetze.name) + " = " + std::string(Number(stuetze.wert).text()) +
             (std::isfinite(stuetze.wert) ? " nicht positiv" : " nicht endlich");
  }
  if (!grund.empty()) return grund;
  for (const Eingabefeld& feld : Eingabefelder()) {
    if (feld.real != nullptr && !std::isfinite(e.*feld.real)) {
      Liste(grund, "Eingabe nicht endlich:", feld.name);
    }
  }
  if (!grund.empty()) return grund;
  for (int page = 1; page <= kPageCount; ++page) {
    for (const PageLine& line : PageLines(page)) {
      if (std::isnan(line.value(n))) Liste(grund, "Ergebnis keine Zahl:", Bezeichnung(line.label));
    }
  }
  return grund;
}

Urteil Beurteile(const Eingabewerte& e, const Nachweis& n, double smin) {
  Urteil u{};
  for (const Sicherheit s : {Sicherheit::kDauerbruch, Sicherheit::kFliessgrenze}) {
    Faktorurteil& f = s == Sicherheit::kDauerbruch ? u.dauerbruch : u.fliessgrenze;
    f.wert = Sicherheitswert(s, n);
    f.bewertung = Bewerte(s, e, n, smin);
    if (f.bewertung == Bewertung::kUngueltig) f.grund = Ungueltigkeit(s, e, n);
  }
  u.erfuellt = u.dauerbruch.bewertung == Bewertung::kReicht &&
               u.fliessgrenze.bewertung == Bewertung::kReicht;
  return u;
}

bool NachweisErfuellt(const Eingabewerte& e, const Nachweis& n, double smin) {
  return n.SDauerbruch >= smin && n.SFliessgrenze >= smin &&
         !StuetztUnplausibel(Sicherheit::kDauerbruch, e, n) &&
         !StuetztUnplausibel(Sicherheit::kFliessgrenze, e, n) && !BeideUngueltig(e, n);
}

}  // namespace wellen

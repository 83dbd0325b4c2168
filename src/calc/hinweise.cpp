#include "hinweise.h"

#include <cmath>

#include "format/number.h"
#include "page_table.h"

namespace wellen {
namespace {

// The size factor rules of K1 end at this deff; above it the plateau is used.
constexpr double kDeffMax = 500;
// How far t may lie from (D - d)/2 before it counts as a different depth.
constexpr double kTiefeToleranz = 0.01;

std::string Text(double value) { return std::string(Number(value).text()); }

// One load type of the check, as far as the notes need it.
struct Lastfall {
  std::string_view amplitude_name, adk_name, m_name, fk_name;
  double amplitude, adk, m, fk;
  double mittel;  // the mean stress of this load type
};

void Liste(std::vector<std::string>& notes, std::string_view titel,
           const std::vector<std::string_view>& namen) {
  if (namen.empty()) return;
  std::string note(titel);
  for (std::size_t i = 0; i < namen.size(); ++i) {
    note += i == 0 ? " " : ", ";
    note += namen[i];
  }
  notes.push_back(std::move(note));
}

}  // namespace

std::vector<std::string> Hinweise(const Eingabewerte& e, const Nachweis& n,
                                  const Schnittlasten& lasten) {
  std::vector<std::string> notes;

  std::vector<std::string_view> unendlich;
  for (const Eingabefeld& feld : Eingabefelder()) {
    if (feld.real != nullptr && !std::isfinite(e.*feld.real)) unendlich.push_back(feld.name);
  }
  Liste(notes, "Eingabe nicht endlich:", unendlich);

  // Geometry of the notch. Comparisons with a value that is not a number are
  // false, so such a value gives no note here beyond the one above.
  if (e.D <= e.d) notes.emplace_back("d nicht kleiner als D");
  if (e.r <= 0) notes.emplace_back("r nicht positiv");
  if (e.t <= 0) notes.emplace_back("t nicht positiv");
  const double tiefe = (e.D - e.d) / 2;
  if (std::fabs(e.t - tiefe) > kTiefeToleranz * std::fabs(tiefe)) {
    notes.push_back("t = " + Text(e.t) + " weicht um mehr als 1 % von (D - d)/2 = " + Text(tiefe) +
                    " ab");
  }
  if (e.deff > kDeffMax) notes.emplace_back("deff > 500 mm: Plateau von K1 verwendet");
  if (e.deff < e.d) notes.emplace_back("deff kleiner als d");
  if (e.Rz <= 0) {
    notes.emplace_back("Rz nicht positiv");
  } else if (e.Rz < 1) {
    notes.emplace_back("Rz < 1 µm: Rauheitsfaktor über 1");
  }
  if (e.KV <= 0) notes.emplace_back("KV nicht positiv");

  // Material.
  if (e.SigS >= e.SigB) notes.emplace_back("SigS nicht kleiner als SigB");
  struct Dauerfestigkeit {
    std::string_view name;
    double wert;
  };
  for (const Dauerfestigkeit& w :
       {Dauerfestigkeit{"SigzdW", e.SigzdW}, Dauerfestigkeit{"SigbW", e.SigbW},
        Dauerfestigkeit{"TautW", e.TautW}}) {
    const double wert = w.wert;
    if (wert <= 0) {
      notes.push_back(std::string(w.name) + " nicht positiv");
    } else if (wert > e.SigB) {
      notes.push_back(std::string(w.name) + " größer als SigB");
    }
  }

  // Loads and the permissible amplitudes.
  const Lastfall lastfaelle[] = {
      {"Sigzda", "SigzdADK", "Sigmv", "SigzdFK", e.Sigzda, n.SigzdADK, n.Sigmv, n.SigzdFK,
       e.Sigzdm},
      {"Sigba", "SigbADK", "Sigmv", "SigbFK", e.Sigba, n.SigbADK, n.Sigmv, n.SigbFK, e.Sigbm},
      {"Tauta", "TautADK", "Taumv", "TautFK", e.Tauta, n.TautADK, n.Taumv, n.TautFK, e.Tautm},
  };
  for (const Lastfall& l : lastfaelle) {
    if (l.amplitude < 0) notes.push_back(std::string(l.amplitude_name) + " negativ");
  }
  for (const Lastfall& l : lastfaelle) {
    if (!(l.adk <= 0 && l.amplitude != 0)) continue;
    std::string note = std::string(l.adk_name) + " = " + Text(l.adk) + " nicht positiv";
    if (l.m >= l.fk) {
      note += ": " + std::string(l.m_name) + " = " + Text(l.m) +
              " erreicht die Bauteilfließgrenze " + std::string(l.fk_name) + " = " + Text(l.fk);
    }
    notes.push_back(std::move(note));
  }
  // A component yield strength that is not positive, under a stress the
  // yield factor divides by it: that factor then proves nothing.
  for (const Lastfall& l : lastfaelle) {
    if (l.fk <= 0 && l.amplitude + l.mittel != 0) {
      notes.push_back(std::string(l.fk_name) + " = " + Text(l.fk) + " nicht positiv");
    }
  }

  // Results that are not numbers or infinite, by their page labels.
  std::vector<std::string_view> nicht_endlich;
  for (int page = 1; page <= kPageCount; ++page) {
    for (const PageLine& line : PageLines(page)) {
      if (!std::isfinite(line.value(n))) nicht_endlich.push_back(Bezeichnung(line.label));
    }
  }
  Liste(notes, "Ergebnis nicht endlich:", nicht_endlich);

  // The bore of the section that turned the loads into stresses.
  const bool bohrung = lasten.di.has_value() && *lasten.di != 0;
  if (bohrung && e.Hohlwelle == 0) {
    notes.push_back("di = " + Text(*lasten.di) + " mm gegeben, aber Hohlwelle 0");
  }
  if (bohrung && *lasten.di >= e.d) notes.emplace_back("di nicht kleiner als d");
  if (!bohrung && e.Hohlwelle == 1 && lasten.AnyLoad()) {
    notes.emplace_back("Hohlwelle 1, aber kein di zu den Lasten gegeben");
  }
  return notes;
}

}  // namespace wellen

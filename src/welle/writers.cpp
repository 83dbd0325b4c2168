#include "welle/writers.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "calc/load.h"
#include "calc/urteil.h"
#include "companion/tabelle.h"
#include "companion/zeile.h"
#include "format/number.h"

namespace wellen::welle {
namespace {

std::string Zahl(double value) { return std::string(Number(value).text()); }

// Calls `field(name, kind, value, text)` for every column of a result row
// in order, so that the CSV and JSON writers share one list.
template <typename F>
void ForEachValue(std::string_view datei, const Lastfallergebnis& lastfall,
                  const Stellennachweis& nachweis, std::string_view stelle, double x,
                  double smin, std::string_view hinweise, F&& field) {
  field("Datei", Kind::kText, 0.0, datei);
  field("Lastfall", Kind::kText, 0.0, lastfall.name);
  field("Stelle", Kind::kText, 0.0, stelle);
  field("x", Kind::kReal, x, std::string_view());
  const Schnittlasten& l = nachweis.lasten;
  field("Fm", Kind::kReal, l.Fm.value_or(0.0), std::string_view());
  field("Fa", Kind::kReal, l.Fa.value_or(0.0), std::string_view());
  field("Mbm", Kind::kReal, l.Mbm.value_or(0.0), std::string_view());
  field("Mba", Kind::kReal, l.Mba.value_or(0.0), std::string_view());
  field("Tm", Kind::kReal, l.Tm.value_or(0.0), std::string_view());
  field("Ta", Kind::kReal, l.Ta.value_or(0.0), std::string_view());
  field("di", Kind::kReal, l.di.value_or(0.0), std::string_view());
  ForEachCheckValue(nachweis.e, nachweis.n, smin, hinweise, field);
}

// Calls `row(lastfall, nachweis, bezeichnung, x)` for every load case and
// section, in that order.
template <typename F>
void ForEachRow(const Welle& welle, const Wellenergebnis& ergebnis, F&& row) {
  std::vector<std::string> namen(ergebnis.stellen.size());
  std::transform(ergebnis.stellen.begin(), ergebnis.stellen.end(), namen.begin(),
                 [&](const Stelle& stelle) { return Bezeichnung(welle, stelle); });
  for (const Lastfallergebnis& lastfall : ergebnis.lastfaelle) {
    for (std::size_t i = 0; i < lastfall.stellen.size() && i < ergebnis.stellen.size(); ++i) {
      row(lastfall, lastfall.stellen[i], namen[i], ergebnis.stellen[i].x);
    }
  }
}

void CsvKopf(std::span<const std::string_view> spalten, char separator, Ausgabe& out) {
  std::string line;
  for (const std::string_view name : spalten) {
    if (!line.empty()) line += separator;
    line.append(name);
  }
  line += '\n';
  out.Write(line);
}

// A load case as the table names it: "Lastfall 2: Anfahren", or just
// "Lastfall 1" where that is its name.
std::string Lastfallname(const Lastfallergebnis& lastfall, std::size_t nummer) {
  const std::string lastfall_n = "Lastfall " + std::to_string(nummer);
  const std::string name = Einzeilig(lastfall.name);
  return name == lastfall_n ? name : lastfall_n + ": " + name;
}

std::string Mehrzahl(std::size_t n, std::string_view eins, std::string_view viele) {
  return std::to_string(n) + " " + std::string(n == 1 ? eins : viele);
}

}  // namespace

std::string Bezeichnung(const Welle& welle, const Stelle& stelle) {
  if (stelle.e.Kerbfall == kRundnut) {
    return "Nut " + Zahl(stelle.e.d) + " in " + Zahl(stelle.e.D);
  }
  // A shoulder sits at the left end of segment `quelle`: its name gives the
  // diameters in the order of the contour.
  const std::size_t k = stelle.quelle;
  if (k == 0 || k >= welle.abschnitte.size()) {
    return "Absatz " + Zahl(stelle.e.D) + "/" + Zahl(stelle.e.d);
  }
  return "Absatz " + Zahl(welle.abschnitte[k - 1].D) + "/" + Zahl(welle.abschnitte[k].D);
}

std::vector<std::string_view> Ergebnisspalten() {
  std::vector<std::string_view> names;
  ForEachValue("", Lastfallergebnis{}, Stellennachweis{}, "", 0, 0, "",
               [&](std::string_view name, Kind, double, std::string_view) {
                 names.push_back(name);
               });
  return names;
}

void SchreibeCsv(const Welle& welle, const Wellenergebnis& ergebnis, std::string_view datei,
                 double smin, const Dialekt& dialekt, Ausgabe& out) {
  CsvKopf(Ergebnisspalten(), dialekt.separator, out);
  Zeilenpuffer line;
  std::string joined;
  ForEachRow(welle, ergebnis, [&](const Lastfallergebnis& lastfall, const Stellennachweis& n,
                                  std::string_view stelle, double x) {
    JoinHinweise(n.hinweise, joined);
    line.clear();
    bool first = true;
    ForEachValue(datei, lastfall, n, stelle, x, smin, joined,
                 [&](std::string_view, Kind kind, double value, std::string_view text) {
                   if (!first) line += dialekt.separator;
                   first = false;
                   switch (kind) {
                     case Kind::kText: AppendCsvText(line, text, dialekt.separator); break;
                     case Kind::kInteger: AppendInt(line, static_cast<long long>(value)); break;
                     case Kind::kReal: AppendReal(line, value, dialekt.decimal_comma); break;
                     case Kind::kFlag: line += value != 0 ? '1' : '0'; break;
                   }
                 });
    line += '\n';
    out.Write(line.view());
  });
}

void SchreibeJson(const Welle& welle, const Wellenergebnis& ergebnis, std::string_view datei,
                  double smin, Ausgabe& out) {
  Zeilenpuffer line;
  std::string joined;
  ForEachRow(welle, ergebnis, [&](const Lastfallergebnis& lastfall, const Stellennachweis& n,
                                  std::string_view stelle, double x) {
    JoinHinweise(n.hinweise, joined);
    line.clear();
    line += '{';
    bool first = true;
    ForEachValue(datei, lastfall, n, stelle, x, smin, joined,
                 [&](std::string_view name, Kind kind, double value, std::string_view text) {
                   if (!first) line += ',';
                   first = false;
                   line += '"';
                   line += name;
                   line += "\":";
                   switch (kind) {
                     case Kind::kText: AppendJsonString(line, text); break;
                     case Kind::kInteger: AppendInt(line, static_cast<long long>(value)); break;
                     case Kind::kReal: AppendJsonReal(line, value); break;
                     case Kind::kFlag: line += value != 0 ? "true" : "false"; break;
                   }
                 });
    line += "}\n";
    out.Write(line.view());
  });
}

// ---------------------------------------------------------------------------
// The table.

namespace {

constexpr std::size_t kLager = 21;
constexpr std::size_t kNr = 3;
constexpr std::size_t kX = 8;
constexpr std::size_t kStelle = 16;
constexpr std::size_t kWert = 11;
constexpr std::size_t kS = 14;

void Lagerzeile(std::string& out, std::string_view name, double x, const Lagerkraft& k) {
  out += "  ";
  AppendCell(out, name, kLager);
  AppendCell(out, Zahl(x), kX, true);
  for (const double v : {k.Fx, k.Fy, k.Fz, k.Fr}) AppendCell(out, Zahl(v), kWert + 1, true);
  out += '\n';
}

bool Null(const Lagerkraft& k) { return k.Fx == 0 && k.Fy == 0 && k.Fz == 0; }

}  // namespace

void SchreibeTabelle(const Welle& welle, const Wellenergebnis& ergebnis, std::string_view datei,
                     double smin, Ausgabe& out) {
  std::string text = "Welle";
  if (!welle.name.empty()) text += " " + Einzeilig(welle.name);
  text += " (" + Einzeilig(datei) + "): ";
  text += welle.art == Wellenart::kUmlaufend ? "umlaufend" : "stehend";
  if (!welle.werkstoff_name.empty()) text += ", Werkstoff " + Einzeilig(welle.werkstoff_name);
  text += ", L\u00e4nge " + Zahl(Gesamtlaenge(welle)) + " mm, S_min " + Zahl(smin) + "\n";
  for (const std::string& hinweis : welle.hinweise) text += "Hinweis: " + hinweis + "\n";
  if (ergebnis.stellen.empty()) {
    text += "Keine Kerbe: die Welle hat weder Absatz noch Nut, es gibt keine Stelle zu "
            "pr\u00fcfen.\n";
  }
  out.Write(text);

  double x_fest = 0;
  double x_los = 0;
  for (const Lager& lager : welle.lager) (lager.art == Lagerart::kFest ? x_fest : x_los) = lager.x;

  std::size_t erfuellt = 0;
  std::size_t nicht = 0;
  double kleinste = std::numeric_limits<double>::infinity();
  std::string wo;
  for (std::size_t f = 0; f < ergebnis.lastfaelle.size(); ++f) {
    const Lastfallergebnis& lastfall = ergebnis.lastfaelle[f];
    text = '\n';
    text += Lastfallname(lastfall, f + 1);
    text += "\n  ";
    AppendCell(text, "Lager", kLager);
    AppendCell(text, "x [mm]", kX, true);
    for (const std::string_view head : {"Fx [N]", "Fy [N]", "Fz [N]", "Fr [N]"}) {
      AppendCell(text, head, kWert + 1, true);
    }
    text += '\n';
    Lagerzeile(text, "Festlager", x_fest, lastfall.fest);
    Lagerzeile(text, "Loslager", x_los, lastfall.los);
    if (!Null(lastfall.fest_a) || !Null(lastfall.los_a)) {
      Lagerzeile(text, "Festlager, Ausschlag", x_fest, lastfall.fest_a);
      Lagerzeile(text, "Loslager, Ausschlag", x_los, lastfall.los_a);
    }
    if (!ergebnis.stellen.empty()) {
      text += "  ";
      AppendCell(text, "Nr", kNr, true);
      AppendCell(text, "x [mm]", kX + 1, true);
      text += "  ";
      AppendCell(text, "Stelle", kStelle);
      AppendCell(text, "Mb [N\u00b7m]", kWert, true);
      AppendCell(text, "T [N\u00b7m]", kWert, true);
      AppendCell(text, "N [N]", kWert, true);
      AppendCell(text, "S Dauerbruch", kS, true);
      AppendCell(text, "S Fliessgrenze", kS + 2, true);
      text += "  Nachweis\n";
    }
    for (std::size_t i = 0; i < lastfall.stellen.size() && i < ergebnis.stellen.size(); ++i) {
      const Stelle& stelle = ergebnis.stellen[i];
      const Stellennachweis& n = lastfall.stellen[i];
      const std::string name = Bezeichnung(welle, stelle);
      text += "  ";
      AppendCell(text, std::to_string(stelle.nummer), kNr, true);
      AppendCell(text, Zahl(stelle.x), kX + 1, true);
      text += "  ";
      AppendCell(text, name, kStelle);
      AppendCell(text, Zahl(n.Mb), kWert, true);
      AppendCell(text, Zahl(n.T), kWert, true);
      AppendCell(text, Zahl(n.N), kWert, true);
      AppendCell(text, Zahl(n.n.SDauerbruch), kS, true);
      AppendCell(text, Zahl(n.n.SFliessgrenze), kS + 2, true);
      const bool ok = NachweisErfuellt(n.n, smin);
      text += ok ? "  erf\u00fcllt\n" : "  nicht erf\u00fcllt\n";
      ++(ok ? erfuellt : nicht);
      const double s = std::fmin(n.n.SDauerbruch, n.n.SFliessgrenze);
      if (s < kleinste) {
        kleinste = s;
        wo = "Stelle " + std::to_string(stelle.nummer) + " " + name + ", " +
             Lastfallname(lastfall, f + 1);
      }
    }
    text += "  gr\u00f6\u00dfte Durchbiegung " + Zahl(lastfall.w_max) + " mm bei x = " +
            Zahl(lastfall.x_w_max) + " mm; Neigung im Festlager " +
            Zahl(lastfall.neigung_fest * 1000) + " mrad, im Loslager " +
            Zahl(lastfall.neigung_los * 1000) + " mrad\n";
    out.Write(text);
  }

  text = "\n" + Mehrzahl(ergebnis.lastfaelle.size(), "Lastfall", "Lastf\u00e4lle") + ", " +
         Mehrzahl(ergebnis.stellen.size(), "Stelle", "Stellen");
  if (ergebnis.stellen.empty()) {
    text += ": nichts zu pr\u00fcfen\n";
  } else {
    text += ": " + Mehrzahl(erfuellt + nicht, "Nachweis", "Nachweise") + ", " +
            std::to_string(erfuellt) + " erf\u00fcllt, " + std::to_string(nicht) +
            " nicht erf\u00fcllt (S_min " + Zahl(smin) + ")";
    if (!wo.empty()) text += "; kleinste Sicherheit " + Zahl(kleinste) + " (" + wo + ")";
    text += "\n";
  }
  out.Write(text);
}

// ---------------------------------------------------------------------------
// The curves.

namespace {

template <typename F>
void ForEachKurvenwert(std::string_view lastfall, const Kurvenpunkt& p, F&& field) {
  field("Lastfall", lastfall, 0.0);
  field("x", std::string_view(), p.x);
  field("Qy", std::string_view(), p.mittel.Qy);
  field("Qz", std::string_view(), p.mittel.Qz);
  field("Mxy", std::string_view(), p.mittel.Mxy);
  field("Mxz", std::string_view(), p.mittel.Mxz);
  field("Mb", std::string_view(), p.mittel.Mb);
  field("T", std::string_view(), p.mittel.T);
  field("N", std::string_view(), p.mittel.N);
  field("Mb_a", std::string_view(), p.Mb_a);
  field("T_a", std::string_view(), p.T_a);
  field("N_a", std::string_view(), p.N_a);
  field("wy", std::string_view(), p.wy);
  field("wz", std::string_view(), p.wz);
  field("w", std::string_view(), p.w);
}

}  // namespace

std::vector<std::string_view> Kurvenspalten() {
  std::vector<std::string_view> names;
  ForEachKurvenwert("", Kurvenpunkt{}, [&](std::string_view name, std::string_view, double) {
    names.push_back(name);
  });
  return names;
}

void SchreibeKurven(const Welle& welle, const Dialekt& dialekt, Ausgabe& out) {
  CsvKopf(Kurvenspalten(), dialekt.separator, out);
  Zeilenpuffer line;
  for (std::size_t i = 0; i < welle.lastfaelle.size(); ++i) {
    for (const Kurvenpunkt& p : Kurven(welle, i)) {
      line.clear();
      bool first = true;
      ForEachKurvenwert(welle.lastfaelle[i].name, p,
                        [&](std::string_view name, std::string_view text, double value) {
                          if (!first) line += dialekt.separator;
                          first = false;
                          if (name == "Lastfall") {
                            AppendCsvText(line, text, dialekt.separator);
                          } else {
                            AppendReal(line, value, dialekt.decimal_comma);
                          }
                        });
      line += '\n';
      out.Write(line.view());
    }
  }
}

bool AlleErfuellt(const Wellenergebnis& ergebnis, double smin) {
  return std::all_of(ergebnis.lastfaelle.begin(), ergebnis.lastfaelle.end(),
                     [&](const Lastfallergebnis& lastfall) {
                       return std::all_of(lastfall.stellen.begin(), lastfall.stellen.end(),
                                          [&](const Stellennachweis& n) {
                                            return NachweisErfuellt(n.n, smin);
                                          });
                     });
}

}  // namespace wellen::welle

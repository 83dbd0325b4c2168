#include "welle/writers.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "calc/hinweise.h"
#include "calc/load.h"
#include "calc/urteil.h"
#include "companion/numbers.h"
#include "companion/tabelle.h"
#include "companion/zeile.h"
#include "format/number.h"

namespace wellen::welle {
namespace {

std::string Zahl(double value) { return std::string(Number(value).text()); }

// The section that a row of load case `f` and section `i` is about in the
// resized shaft of --solve d, and its check there; null where there is none.
const Stelle* ErfStelle(const Groessenauslegung& g, std::size_t i) {
  return g.erreicht && i < g.ergebnis.stellen.size() ? &g.ergebnis.stellen[i] : nullptr;
}
const Stellennachweis* ErfNachweis(const Groessenauslegung& g, std::size_t f, std::size_t i) {
  if (f >= g.ergebnis.lastfaelle.size() || i >= g.ergebnis.lastfaelle[f].stellen.size()) {
    return nullptr;
  }
  return &g.ergebnis.lastfaelle[f].stellen[i];
}

// Calls `field` for the solved values of section `i` in load case `f`; a
// value that is not there as an empty cell.
template <typename F>
void ForEachLoesung(const Geloest& geloest, std::size_t f, std::size_t i, F&& field) {
  const auto wert = [&](std::string_view name, const double* value) {
    field(name, value != nullptr ? Kind::kReal : Kind::kLeer, value != nullptr ? *value : 0.0,
          std::string_view());
  };
  if (geloest.radien) {
    const std::vector<Radiusauslegung>& radien = *geloest.radien;
    const Radiusauslegung* ra = i < radien.size() ? &radien[i] : nullptr;
    const Stellenpruefung* p =
        ra != nullptr && f < ra->je_lastfall.size() ? &ra->je_lastfall[f] : nullptr;
    wert("r_erf", ra != nullptr && ra->auslegung.erreicht ? &ra->auslegung.wert : nullptr);
    wert("S_Dauerbruch_erf", p != nullptr ? &p->n.SDauerbruch : nullptr);
    wert("S_Fliessgrenze_erf", p != nullptr ? &p->n.SFliessgrenze : nullptr);
  } else if (geloest.groesse) {
    const Stelle* s = ErfStelle(*geloest.groesse, i);
    const Stellennachweis* n = ErfNachweis(*geloest.groesse, f, i);
    wert("d_erf", s != nullptr ? &s->e.d : nullptr);
    wert("D_erf", s != nullptr ? &s->e.D : nullptr);
    wert("r_erf", s != nullptr ? &s->e.r : nullptr);
    wert("t_erf", s != nullptr ? &s->e.t : nullptr);
    wert("deff_erf", s != nullptr ? &s->e.deff : nullptr);
    wert("di_erf", s != nullptr ? &s->di : nullptr);
    wert("S_Dauerbruch_erf", n != nullptr ? &n->n.SDauerbruch : nullptr);
    wert("S_Fliessgrenze_erf", n != nullptr ? &n->n.SFliessgrenze : nullptr);
  }
}

// The note of a section whose smallest radius, or a shaft whose smallest
// size, lies beyond the range searched; empty where it does not.
std::string Radiushinweis(const Auslegung& a, const Stelle& stelle) {
  if (a.erreicht) return "";
  std::string text = "nicht erreichbar bis r = " + Zahl(a.bis);
  // Below the record's limit and below the end of a search cut short: the
  // groove's room in its segment ended the range.
  if (a.bis < std::fmin(RadiusGrenze(stelle.e), kGitterwerte * kRadiusSchritt)) {
    text += " (Platz der Nut in ihrem Abschnitt)";
  }
  return text;
}

std::string Loesungshinweis(const Wellenergebnis& ergebnis, const Geloest& geloest, std::size_t i) {
  if (geloest.radien && i < geloest.radien->size() && i < ergebnis.stellen.size()) {
    return Radiushinweis((*geloest.radien)[i].auslegung, ergebnis.stellen[i]);
  }
  if (geloest.groesse && !geloest.groesse->erreicht) {
    return "nicht erreichbar bis D_max = " + Zahl(geloest.groesse->bis);
  }
  return "";
}

// Calls `field(name, kind, value, text)` for every column of a result row
// in order, so that the CSV and JSON writers share one list.
template <typename F>
void ForEachValue(std::string_view datei, const Lastfallergebnis& lastfall,
                  const Stellennachweis& nachweis, std::string_view stelle, double x, double smin,
                  std::string_view hinweise, const Geloest& geloest, std::size_t f, std::size_t i,
                  F&& field) {
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
  ForEachCheckValue(nachweis.e, nachweis.n, smin, hinweise, field,
                    [&] { ForEachLoesung(geloest, f, i, field); });
}

// Calls `row(f, i, lastfall, nachweis, bezeichnung, x)` for every load case
// f and section i, in that order.
template <typename F>
void ForEachRow(const Welle& welle, const Wellenergebnis& ergebnis, F&& row) {
  std::vector<std::string> namen(ergebnis.stellen.size());
  std::transform(ergebnis.stellen.begin(), ergebnis.stellen.end(), namen.begin(),
                 [&](const Stelle& stelle) { return Bezeichnung(welle, stelle); });
  for (std::size_t f = 0; f < ergebnis.lastfaelle.size(); ++f) {
    const Lastfallergebnis& lastfall = ergebnis.lastfaelle[f];
    for (std::size_t i = 0; i < lastfall.stellen.size() && i < ergebnis.stellen.size(); ++i) {
      row(f, i, lastfall, lastfall.stellen[i], namen[i], ergebnis.stellen[i].x);
    }
  }
}

// The notes of a row: the check's, then what --solve has to say.
void Hinweistext(const Wellenergebnis& ergebnis, const Geloest& geloest, std::size_t i,
                 const Stellennachweis& n, std::string& joined) {
  JoinHinweise(n.hinweise, joined);
  const std::string hinweis = Loesungshinweis(ergebnis, geloest, i);
  if (hinweis.empty()) return;
  if (!joined.empty()) joined += kHinweisTrenner;
  joined += hinweis;
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

std::vector<std::string_view> Ergebnisspalten(const Geloest& geloest) {
  std::vector<std::string_view> names;
  ForEachValue(
      "", Lastfallergebnis{}, Stellennachweis{}, "", 0, 0, "", geloest, 0, 0,
      [&](std::string_view name, Kind, double, std::string_view) { names.push_back(name); });
  return names;
}

void SchreibeCsv(const Welle& welle, const Wellenergebnis& ergebnis, const Geloest& geloest,
                 std::string_view datei, double smin, const Dialekt& dialekt, Ausgabe& out) {
  CsvKopf(Ergebnisspalten(geloest), dialekt.separator, out);
  Zeilenpuffer line;
  std::string joined;
  ForEachRow(welle, ergebnis,
             [&](std::size_t f, std::size_t i, const Lastfallergebnis& lastfall,
                 const Stellennachweis& n, std::string_view stelle, double x) {
               Hinweistext(ergebnis, geloest, i, n, joined);
               line.clear();
               bool first = true;
               ForEachValue(datei, lastfall, n, stelle, x, smin, joined, geloest, f, i,
                            [&](std::string_view, Kind kind, double value, std::string_view text) {
                              if (!first) line += dialekt.separator;
                              first = false;
                              AppendCsvValue(line, kind, value, text, dialekt.separator,
                                             dialekt.decimal_comma);
                            });
               line += '\n';
               out.Write(line.view());
             });
}

void SchreibeJson(const Welle& welle, const Wellenergebnis& ergebnis, const Geloest& geloest,
                  std::string_view datei, double smin, Ausgabe& out) {
  Zeilenpuffer line;
  std::string joined;
  ForEachRow(welle, ergebnis,
             [&](std::size_t f, std::size_t i, const Lastfallergebnis& lastfall,
                 const Stellennachweis& n, std::string_view stelle, double x) {
               Hinweistext(ergebnis, geloest, i, n, joined);
               line.clear();
               line += '{';
               bool first = true;
               ForEachValue(
                   datei, lastfall, n, stelle, x, smin, joined, geloest, f, i,
                   [&](std::string_view name, Kind kind, double value, std::string_view text) {
                     if (!first) line += ',';
                     first = false;
                     line += '"';
                     line += name;
                     line += "\":";
                     AppendJsonValue(line, kind, value, text);
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

// The verdicts of a shaft's checks, counted over its load cases, with the
// smallest safety factor and where it is.
struct Bilanz {
  std::size_t erfuellt = 0;
  std::size_t nicht = 0;
  double kleinste = std::numeric_limits<double>::infinity();
  std::string wo;
};

// One load case: the bearing reactions (where `lager`), one line per
// section, the largest deflection and the slopes at the bearings.
void Lastfallblock(const Welle& welle, const Wellenergebnis& ergebnis, std::size_t f, double smin,
                   bool lager, Bilanz& bilanz, std::string& text,
                   std::size_t stelle_breite = kStelle) {
  const Lastfallergebnis& lastfall = ergebnis.lastfaelle[f];
  text += '\n';
  text += Lastfallname(lastfall, f + 1);
  text += '\n';
  if (lager) {
    double x_fest = 0;
    double x_los = 0;
    for (const Lager& l : welle.lager) (l.art == Lagerart::kFest ? x_fest : x_los) = l.x;
    text += "  ";
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
  }
  if (!ergebnis.stellen.empty()) {
    text += "  ";
    AppendCell(text, "Nr", kNr, true);
    AppendCell(text, "x [mm]", kX + 1, true);
    text += "  ";
    AppendCell(text, "Stelle", stelle_breite);
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
    AppendCell(text, name, stelle_breite);
    AppendCell(text, Zahl(n.Mb), kWert, true);
    AppendCell(text, Zahl(n.T), kWert, true);
    AppendCell(text, Zahl(n.N), kWert, true);
    AppendCell(text, Zahl(n.n.SDauerbruch), kS, true);
    AppendCell(text, Zahl(n.n.SFliessgrenze), kS + 2, true);
    const bool ok = NachweisErfuellt(n.e, n.n, smin);
    text += ok ? "  erf\u00fcllt\n" : "  nicht erf\u00fcllt\n";
    ++(ok ? bilanz.erfuellt : bilanz.nicht);
    const double s = std::fmin(n.n.SDauerbruch, n.n.SFliessgrenze);
    if (s < bilanz.kleinste) {
      bilanz.kleinste = s;
      bilanz.wo = "Stelle " + std::to_string(stelle.nummer) + " " + name + ", " +
                  Lastfallname(lastfall, f + 1);
    }
  }
  text += "  gr\u00f6\u00dfte Durchbiegung " + Zahl(lastfall.w_max) +
          " mm bei x = " + Zahl(lastfall.x_w_max) + " mm; Neigung im Festlager " +
          Zahl(lastfall.neigung_fest * 1000) + " mrad, im Loslager " +
          Zahl(lastfall.neigung_los * 1000) + " mrad\n";
}

// The summary line of a shaft's checks.
std::string Zusammenfassung(const Wellenergebnis& ergebnis, const Bilanz& bilanz, double smin) {
  std::string text = Mehrzahl(ergebnis.lastfaelle.size(), "Lastfall", "Lastf\u00e4lle") + ", " +
                     Mehrzahl(ergebnis.stellen.size(), "Stelle", "Stellen");
  if (ergebnis.stellen.empty()) return text + ": nichts zu pr\u00fcfen\n";
  text += ": " + Mehrzahl(bilanz.erfuellt + bilanz.nicht, "Nachweis", "Nachweise") + ", " +
          std::to_string(bilanz.erfuellt) + " erf\u00fcllt, " + std::to_string(bilanz.nicht) +
          " nicht erf\u00fcllt (S_min " + Zahl(smin) + ")";
  if (!bilanz.wo.empty()) {
    text += "; kleinste Sicherheit " + Zahl(bilanz.kleinste) + " (" + bilanz.wo + ")";
  }
  return text + "\n";
}

// --solve r: per section the given radius, the smallest that meets S_min in
// every load case, and the factors there in the load case where the
// smaller of them is smallest.
std::string Radienblock(const Welle& welle, const Wellenergebnis& ergebnis,
                        const std::vector<Radiusauslegung>& radien, double smin) {
  std::string text = "\nAuslegung: kleinster Radius jeder Stelle in jedem Lastfall (Raster " +
                     Zahl(kRadiusSchritt) + " mm, S_min " + Zahl(smin) + ")\n";
  if (ergebnis.stellen.empty()) return text + "  Keine Kerbe: nichts auszulegen.\n";
  text += "  ";
  AppendCell(text, "Nr", kNr, true);
  AppendCell(text, "x [mm]", kX + 1, true);
  text += "  ";
  AppendCell(text, "Stelle", kStelle);
  AppendCell(text, "r [mm]", kWert, true);
  AppendCell(text, "r erf [mm]", kWert + 2, true);
  AppendCell(text, "S Dauerbruch", kS, true);
  AppendCell(text, "S Fliessgrenze", kS + 2, true);
  text += "  ma\u00dfgebend\n";
  std::size_t erreicht = 0;
  for (std::size_t i = 0; i < ergebnis.stellen.size() && i < radien.size(); ++i) {
    const Stelle& stelle = ergebnis.stellen[i];
    const Auslegung& a = radien[i].auslegung;
    text += "  ";
    AppendCell(text, std::to_string(stelle.nummer), kNr, true);
    AppendCell(text, Zahl(stelle.x), kX + 1, true);
    text += "  ";
    AppendCell(text, Bezeichnung(welle, stelle), kStelle);
    AppendCell(text, Zahl(stelle.e.r), kWert, true);
    AppendCell(text, a.erreicht ? Zahl(a.wert) : "-", kWert + 2, true);
    const bool werte = !std::isnan(a.wert);
    AppendCell(text, werte ? Zahl(a.SDauerbruch) : "-", kS, true);
    AppendCell(text, werte ? Zahl(a.SFliessgrenze) : "-", kS + 2, true);
    text += "  ";
    if (werte && a.massgebend < ergebnis.lastfaelle.size()) {
      text += Lastfallname(ergebnis.lastfaelle[a.massgebend], a.massgebend + 1);
    }
    if (!a.erreicht) {
      if (werte) text += "; ";
      text += Radiushinweis(a, stelle);
    }
    text += '\n';
    if (a.erreicht) ++erreicht;
  }
  text += "  " + std::to_string(erreicht) + " von " +
          Mehrzahl(ergebnis.stellen.size(), "Stelle", "Stellen") +
          " erreichen S_min mit einem Radius im Suchbereich";
  return text + "\n";
}

// --solve d: the common factor, the resized contour, and the full check of
// the resized shaft.
std::string Groessenblock(const Welle& welle, const Wellenergebnis& ergebnis,
                          const Groessenauslegung& g, double smin) {
  std::string text =
      "\nAuslegung: kleinster gemeinsamer Faktor aller Durchmesser (gr\u00f6\u00dfter "
      "Au\u00dfendurchmesser im Raster " +
      Zahl(kDurchmesserSchritt) + " mm von " + Zahl(g.von) + " bis " + Zahl(g.bis) + " mm, S_min " +
      Zahl(smin) + ")\n";
  if (ergebnis.stellen.empty() || std::isnan(g.wert)) {
    return text + "  Keine Kerbe: nichts auszulegen.\n";
  }
  if (g.erreicht) {
    text += "  gr\u00f6\u00dfter Au\u00dfendurchmesser " + Zahl(g.D_max) + " mm -> " +
            Zahl(g.wert) + " mm, Faktor k = " + Zahl(g.k) + "\n";
  } else {
    text += "  nicht erreichbar bis D_max = " + Zahl(g.bis) +
            " mm: keine Gr\u00f6\u00dfe im Suchbereich erf\u00fcllt S_min an jeder Stelle; am "
            "n\u00e4chsten kommt D_max = " +
            Zahl(g.wert) + " mm, Faktor k = " + Zahl(g.k) + "\n";
  }
  if (g.uebergangen > 0 && !g.hindernis.empty()) {
    const Fehler& f = g.hindernis.front();
    text += "  " + Mehrzahl(g.uebergangen, "Gr\u00f6\u00dfe", "Gr\u00f6\u00dfen") +
            " \u00fcbergangen, die erste bei D_max = " + Zahl(g.erster_uebergangen) + " mm: " +
            (f.ort == Fehler::Ort::kNut ? "Nut " + std::to_string(f.index + 1) + ": " : "") +
            f.text + "\n";
  }

  // The contour, as given and resized; the resized values as computed, with
  // all their digits, as --resized writes them.
  const auto genau = [](double v) {
    char puffer[kMaxRealText];
    return std::string(puffer, FormatReal(v, false, puffer));
  };
  constexpr std::size_t kName = 14;
  constexpr std::size_t kMass = 12;
  std::size_t erf = kMass;
  for (const Abschnitt& b : g.welle.abschnitte) {
    for (const double v : {b.D, b.di, b.r.value_or(0)}) erf = std::max(erf, genau(v).size() + 2);
  }
  text += "  ";
  AppendCell(text, "", kName);
  for (const std::string_view head :
       {"l [mm]", "D [mm]", "D erf [mm]", "di [mm]", "di erf [mm]", "r [mm]", "r erf [mm]"}) {
    AppendCell(text, head, head.find("erf") != std::string_view::npos ? erf : kMass, true);
  }
  text += '\n';
  for (std::size_t i = 0; i < welle.abschnitte.size() && i < g.welle.abschnitte.size(); ++i) {
    const Abschnitt& a = welle.abschnitte[i];
    const Abschnitt& b = g.welle.abschnitte[i];
    text += "  ";
    AppendCell(text, "Abschnitt " + std::to_string(i + 1), kName);
    for (const double v : {a.l, a.D}) AppendCell(text, Zahl(v), kMass, true);
    AppendCell(text, genau(b.D), erf, true);
    AppendCell(text, Zahl(a.di), kMass, true);
    AppendCell(text, genau(b.di), erf, true);
    AppendCell(text, a.r ? Zahl(*a.r) : "", kMass, true);
    AppendCell(text, b.r ? genau(*b.r) : "", erf, true);
    text += '\n';
  }
  for (std::size_t j = 0; j < welle.nuten.size() && j < g.welle.nuten.size(); ++j) {
    const Nut& a = welle.nuten[j];
    const Nut& b = g.welle.nuten[j];
    text += "  Nut " + std::to_string(j + 1) + " bei x = " + Zahl(a.x) + " mm: t " + Zahl(a.t) +
            " -> " + genau(b.t) + " mm, r " + Zahl(a.r) + " -> " + genau(b.r) + " mm\n";
  }
  if (welle.deff && g.welle.deff) {
    text += "  deff " + Zahl(*welle.deff) + " -> " + genau(*g.welle.deff) + " mm\n";
  }

  // The resized shaft, computed in full: its sections, its deflection. Its
  // bearing reactions are those of the shaft as given.
  text += g.erreicht ? "\nGe\u00e4nderte Welle, vollst\u00e4ndig nachgerechnet:\n"
                     : "\nN\u00e4chstbeste Gr\u00f6\u00dfe, vollst\u00e4ndig nachgerechnet "
                       "(erf\u00fcllt S_min nicht):\n";
  // Diameters as computed make long names: the column is as wide as they.
  std::size_t breite = kStelle;
  for (const Stelle& stelle : g.ergebnis.stellen) {
    breite = std::max(breite, Zeichen(Bezeichnung(g.welle, stelle)) + 2);
  }
  Bilanz bilanz;
  for (std::size_t f = 0; f < g.ergebnis.lastfaelle.size(); ++f) {
    Lastfallblock(g.welle, g.ergebnis, f, smin, false, bilanz, text, breite);
  }
  text += "\nGe\u00e4nderte Welle: " + Zusammenfassung(g.ergebnis, bilanz, smin);
  return text;
}

}  // namespace

void SchreibeTabelle(const Welle& welle, const Wellenergebnis& ergebnis, const Geloest& geloest,
                     std::string_view datei, double smin, Ausgabe& out) {
  std::string text = "Welle";
  if (!welle.name.empty()) text += " " + Einzeilig(welle.name);
  text += " (" + Einzeilig(datei) + "): ";
  text += welle.art == Wellenart::kUmlaufend ? "umlaufend" : "stehend";
  if (!welle.werkstoff_name.empty()) text += ", Werkstoff " + Einzeilig(welle.werkstoff_name);
  text += ", L\u00e4nge " + Zahl(Gesamtlaenge(welle)) + " mm, S_min " + Zahl(smin) + "\n";
  for (const std::string& hinweis : welle.hinweise) text += "Hinweis: " + hinweis + "\n";
  if (ergebnis.stellen.empty()) {
    text +=
        "Keine Kerbe: die Welle hat weder Absatz noch Nut, es gibt keine Stelle zu "
        "pr\u00fcfen.\n";
  }
  out.Write(text);

  Bilanz bilanz;
  for (std::size_t f = 0; f < ergebnis.lastfaelle.size(); ++f) {
    text.clear();
    Lastfallblock(welle, ergebnis, f, smin, true, bilanz, text);
    out.Write(text);
  }
  out.Write("\n" + Zusammenfassung(ergebnis, bilanz, smin));
  if (geloest.radien) out.Write(Radienblock(welle, ergebnis, *geloest.radien, smin));
  if (geloest.groesse) out.Write(Groessenblock(welle, ergebnis, *geloest.groesse, smin));
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
                                            return NachweisErfuellt(n.e, n.n, smin);
                                          });
                     });
}

}  // namespace wellen::welle

#include "report/abschnitt.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "calc/page_table.h"
#include "calc/urteil.h"
#include "report/groessen.h"
#include "report/haigh.h"
#include "report/html.h"
#include "report/skizze.h"
#include "report/zahl.h"

namespace wellen::report {
namespace {

// The material group as the dialog names it, with its umlauts.
std::string_view K1FallName(int k1fall) {
  switch (k1fall) {
    case 1: return "Nitrier/Baustahl";
    case 2: return "Baustahl";
    case 3: return "Vergüt./CrNiMo-Stahl";
    case 4: return "andere Einsatzstähle";
    default: return "";
  }
}

// One row of a table of values: symbol, name, value, unit and the program's
// label. `name` and `wert` are HTML already.
std::string Wertzeile(const Groesse& g, const std::string& name, const std::string& wert,
                      std::string_view einheit, std::string_view label) {
  return "<tr><td class=\"sym\">" + std::string(g.symbol) + "</td><td>" + name +
         "</td><td class=\"z\">" + wert + "</td><td class=\"einheit\">" + std::string(einheit) +
         "</td><td class=\"l\">" + Html(label) + "</td></tr>\n";
}

// The table head of the value tables.
constexpr std::string_view kWertkopf =
    "<thead><tr><th></th><th>Größe</th><th class=\"z\">Wert</th><th>Einheit</th>"
    "<th class=\"klein\">Programm</th></tr></thead>\n";

// --- The verdict --------------------------------------------------------

struct Benannt {
  std::string_view name;
  const Faktorurteil& f;
};

// The verdict sentence, without markup around it.
std::string UrteilSatz(const Urteil& u, double smin) {
  const Benannt faktoren[] = {{"S Dauerbruch", u.dauerbruch}, {"S Fließgrenze", u.fliessgrenze}};
  const std::string s_min = "S<sub>min</sub> = " + Zahl(smin);
  if (u.erfuellt) {
    return "<strong>Nachweis erfüllt</strong>: S Dauerbruch = " + Zahl(u.dauerbruch.wert) +
           " und S Fließgrenze = " + Zahl(u.fliessgrenze.wert) + " erreichen " + s_min + ".";
  }
  std::vector<std::string> teile;
  const bool beide = u.dauerbruch.bewertung == Bewertung::kUngueltig &&
                     u.fliessgrenze.bewertung == Bewertung::kUngueltig;
  if (beide && u.dauerbruch.grund == u.fliessgrenze.grund) {
    teile.push_back("S Dauerbruch = " + Zahl(u.dauerbruch.wert) + " und S Fließgrenze = " +
                    Zahl(u.fliessgrenze.wert) + " sind ungültig: " +
                    MitKomma(Html(u.dauerbruch.grund)));
  } else {
    for (const Benannt& b : faktoren) {
      if (b.f.bewertung == Bewertung::kUngueltig) {
        teile.push_back(std::string(b.name) + " = " + Zahl(b.f.wert) + " ist ungültig: " +
                        MitKomma(Html(b.f.grund)));
      }
    }
  }
  std::string kurz;
  int kurze = 0;
  for (const Benannt& b : faktoren) {
    if (b.f.bewertung != Bewertung::kReichtNicht) continue;
    kurz += (kurze++ == 0 ? "" : " und ") + std::string(b.name) + " = " + Zahl(b.f.wert);
  }
  if (kurze > 0) {
    teile.push_back(kurz + (kurze == 1 ? " erreicht " : " erreichen ") + s_min + " nicht");
  }
  std::string text = "<strong>Nachweis nicht erfüllt</strong>: ";
  for (std::size_t i = 0; i < teile.size(); ++i) text += (i == 0 ? "" : "; ") + teile[i];
  return text + ".";
}

// --- The inputs ---------------------------------------------------------

// An input field with, where a section load set it, that load.
struct Eingabe {
  std::string_view feld;
  std::optional<double> Schnittlasten::*last = nullptr;
  std::string_view last_symbol = {};
  std::string_view last_einheit = {};
};

constexpr Eingabe kBelastung[] = {
    {"Sigzdm", &Schnittlasten::Fm, "F<sub>m</sub>", "N"},
    {"Sigbm", &Schnittlasten::Mbm, "M<sub>bm</sub>", "N·m"},
    {"Tautm", &Schnittlasten::Tm, "T<sub>m</sub>", "N·m"},
    {"Sigzda", &Schnittlasten::Fa, "F<sub>a</sub>", "N"},
    {"Sigba", &Schnittlasten::Mba, "M<sub>ba</sub>", "N·m"},
    {"Tauta", &Schnittlasten::Ta, "T<sub>a</sub>", "N·m"},
};
constexpr Eingabe kWerkstoff[] = {{"SigB"},   {"SigS"},   {"SigzdW"},           {"SigbW"},
                                  {"TautW"},  {"K1Fall"}, {"harteRandschicht"}, {"KV"}};
constexpr Eingabe kKerbe[] = {{"Kerbfall"}, {"D"},  {"d"},    {"r"},
                              {"t"},        {"Rz"}, {"deff"}, {"Hohlwelle"}};

// The value of a field as the report shows it, and the unit or the label of
// a selection beside it.
std::pair<std::string, std::string> Anzeige(const Eingabefeld& feld, const Eingabewerte& e,
                                            const Groesse& g) {
  if (feld.real != nullptr) return {Zahl(e.*feld.real), std::string(g.einheit)};
  const int wert = e.*feld.choice;
  if (feld.choice == &Eingabewerte::Kerbfall) return {Zahl(wert), std::string(KerbfallName(wert))};
  if (feld.choice == &Eingabewerte::K1Fall) return {Zahl(wert), Html(K1FallName(wert))};
  return {wert != 0 ? "ja" : "nein", ""};
}

const Eingabefeld* Feld(std::string_view name) {
  const auto felder = Eingabefelder();
  const auto it = std::find_if(felder.begin(), felder.end(),
                               [&](const Eingabefeld& f) { return f.name == name; });
  return it == felder.end() ? nullptr : &*it;
}

template <std::size_t N>
std::string Eingabetabelle(std::string_view titel, const Eingabe (&zeilen)[N], const Fall& fall) {
  std::string html = "<table class=\"werte eingabe\"><caption>" + std::string(titel) +
                     "</caption>\n" + std::string(kWertkopf);
  for (const Eingabe& z : zeilen) {
    const Eingabefeld* feld = Feld(z.feld);
    const Groesse* g = EingabeGroesse(z.feld);
    if (feld == nullptr || g == nullptr) continue;
    std::string name(g->name);
    if (z.last != nullptr && (fall.lasten.*z.last).has_value()) {
      name += "<br><span class=\"klein\">aus " + std::string(z.last_symbol) + " = " +
              Zahl(*(fall.lasten.*z.last)) + " " + std::string(z.last_einheit) + "</span>";
    }
    const auto [wert, einheit] = Anzeige(*feld, fall.e, *g);
    html += Wertzeile(*g, name, wert, einheit, feld->name);
    if (feld->real == &Eingabewerte::d && fall.lasten.di.has_value()) {
      const Groesse bohrung{"d<sub>i</sub>", "Bohrung (zu den Lasten)", "mm"};
      html += Wertzeile(bohrung, std::string(bohrung.name), Zahl(*fall.lasten.di), "mm", "di");
    }
  }
  return html + "</table>\n";
}

// --- The result pages ---------------------------------------------------

constexpr std::string_view kSeitentitel[kPageCount] = {
    "Zug/Druck",
    "Biegung",
    "Torsion, Vergleichsmittelspannungen",
    "Bauteil-Wechselfestigkeiten",
    "Bauteil-Fließgrenzen, Fallprüfung",
    "Ausschlagfestigkeiten, Sicherheiten",
};

// The threshold g of a case line, by its column.
std::optional<double> Schwelle(std::string_view spalte, const Nachweis& n) {
  if (spalte == "Bed_Zug") return n.gZug;
  if (spalte == "Bed_Bie") return n.gBie;
  if (spalte == "Bed_Tor") return n.gTor;
  return std::nullopt;
}

}  // namespace

std::string_view KerbfallName(int kerbfall) {
  switch (kerbfall) {
    case kRundnut: return "Rundnut";
    case kAbsatz: return "Absatz";
    default: return "";
  }
}

std::string DateiName(std::string_view datei) {
  return datei == "-" ? std::string("Standardeingabe") : Html(datei);
}

std::string Urteilsteil(const Fall& fall, double smin, std::size_t hinweise) {
  const Urteil u = Beurteile(fall.e, fall.n, smin);
  std::string html = "<div class=\"urteil " + std::string(u.erfuellt ? "ok" : "nicht") + "\">" +
                     UrteilSatz(u, smin);
  if (hinweise > 0) {
    html += "<br>Bitte " + std::string(hinweise == 1 ? "den Hinweis" : "die Hinweise") +
            " unten beachten (" + Zahl(hinweise) + ").";
  }
  html += "</div>\n";
  html +=
      "<table class=\"werte sicherheit\"><thead><tr><th></th><th>Sicherheit</th>"
      "<th class=\"z\">Wert</th><th class=\"z\">S<sub>min</sub></th><th>Bewertung</th>"
      "<th class=\"klein\">Programm</th></tr></thead>\n";
  struct Zeile {
    const Faktorurteil& f;
    std::string_view spalte, label;
  };
  for (const Zeile& z : {Zeile{u.dauerbruch, "S_Dauerbruch", "S Dauerbruch"},
                         Zeile{u.fliessgrenze, "S_Fliessgrenze", "S Fliessgrenze"}}) {
    const Groesse* g = SeitenGroesse(z.spalte);
    const bool reicht = z.f.bewertung == Bewertung::kReicht;
    html += "<tr><td class=\"sym\">" + std::string(g->symbol) + "</td><td>" +
            std::string(g->name) + "</td><td class=\"z\">" + Zahl(z.f.wert) +
            "</td><td class=\"z\">" + Zahl(smin) + "</td><td class=\"" + (reicht ? "ok" : "nicht") +
            "\">" + std::string(BewertungText(z.f.bewertung)) + "</td><td class=\"l\">" +
            std::string(z.label) + "</td></tr>\n";
    if (!z.f.grund.empty()) {
      html += "<tr class=\"grund\"><td></td><td colspan=\"5\">ungültig, weil: " +
              MitKomma(Html(z.f.grund)) + "</td></tr>\n";
    }
  }
  return html + "</table>\n";
}

std::string Auslegungskurz(const Loesung& loesung) {
  if (!loesung.auslegung) return "keine Auslegung";
  const Auslegung& a = *loesung.auslegung;
  if (!a.erreicht) return "nicht erreichbar";
  return std::string(1, loesung.groesse) + "<sub>erf</sub> = " + Zahl(a.wert) + " mm";
}

std::string Auslegungsteil(const Fall& fall, const Loesung& loesung) {
  const bool radius = loesung.groesse == 'r';
  std::string html = "<div class=\"auslegung\"><strong>Auslegung</strong>: ";
  if (!loesung.auslegung) {
    return html +
           "keine Auslegung von d: nur Spannungen gegeben, d wirkt nur über die "
           "Einflussfaktoren.</div>\n";
  }
  const Auslegung& a = *loesung.auslegung;
  const std::string raster = radius ? Zahl(kRadiusSchritt) : Zahl(kDurchmesserSchritt);
  html += radius ? "kleinster Kerbradius r, alles andere wie gegeben"
                 : "kleinster Durchmesser d, D, r, t, d<sub>eff</sub> und die Bohrung im "
                   "selben Verhältnis";
  html += " (Raster " + raster + " mm von " + Zahl(a.von) + " bis " + Zahl(a.bis) + " mm): ";
  if (a.erreicht) {
    html += std::string(1, loesung.groesse) + "<sub>erf</sub> = " + Zahl(a.wert) + " mm";
    if (!radius) {
      html += " (k = " + Zahl(a.wert / fall.e.d) + "; D = " + Zahl(a.e.D) +
              " mm, r = " + Zahl(a.e.r) + " mm, t = " + Zahl(a.e.t) +
              " mm, d<sub>eff</sub> = " + Zahl(a.e.deff) + " mm";
      if (fall.lasten.di) {
        html += ", d<sub>i</sub> = " + Zahl(*fall.lasten.di * (a.wert / fall.e.d)) + " mm";
      }
      html += ")";
    }
    html += "; dort ";
  } else if (std::isnan(a.wert)) {
    return html + "kein Wert im Suchbereich.</div>\n";
  } else {
    html += "nicht erreichbar bis " + std::string(1, loesung.groesse) + " = " + Zahl(a.bis) +
            " mm; am nächsten kommt " + std::string(1, loesung.groesse) + " = " + Zahl(a.wert) +
            " mm mit ";
  }
  return html + "S Dauerbruch = " + Zahl(a.SDauerbruch) +
         ", S Fließgrenze = " + Zahl(a.SFliessgrenze) + ".</div>\n";
}

std::string Skizzenteil(const Eingabewerte& e) {
  const std::string grund = KeineSkizze(e);
  std::string titel = "Kerbe: " + std::string(KerbfallName(e.Kerbfall));
  if (grund.empty()) {
    titel += " <span class=\"klein\">(Skizze, Maße in mm";
    if (!Gezeichnet(e).massstaeblich) titel += ", nicht maßstäblich";
    titel += ")</span>";
    return "<figure class=\"skizze\"><figcaption>" + titel + "</figcaption>\n" + KerbSkizze(e) +
           "</figure>\n";
  }
  return "<figure class=\"skizze leer\"><figcaption>" + titel +
         "</figcaption>\n<p>Keine Skizze: " + Html(grund) + ".</p>\n</figure>\n";
}

std::string Eingabeteil(const Fall& fall) {
  std::string html = "<h3>Eingabe</h3>\n<div class=\"paare\">\n";
  html += Eingabetabelle("Belastung: Nennspannungen", kBelastung, fall);
  html += Eingabetabelle("Werkstoff", kWerkstoff, fall);
  html += "</div>\n<div class=\"kerbe\">\n" + Skizzenteil(fall.e);
  html += Eingabetabelle("Kerbe", kKerbe, fall);
  return html + "</div>\n";
}

std::string Ergebnisteil(const Nachweis& n) {
  // One table, so that the columns of the six pages line up; each page
  // under a heading row of its own.
  std::string html = "<h3>Ergebnisse</h3>\n<table class=\"werte seiten\">\n" + std::string(kWertkopf);
  for (int page = 1; page <= kPageCount; ++page) {
    html += "<tbody><tr class=\"seitenkopf\"><th colspan=\"5\">Ergebnisse " + Zahl(page) +
            " v.6: " + std::string(kSeitentitel[page - 1]) + "</th></tr>\n";
    for (const PageLine& line : PageLines(page)) {
      const Groesse* g = SeitenGroesse(line.column);
      if (g == nullptr) continue;
      const double wert = line.value(n);
      std::string name(g->name);
      std::string text;
      if (line.condition) {
        text = wert != 0 ? "erfüllt" : "nicht erfüllt";
        if (const auto schwelle = Schwelle(line.column, n)) {
          name += "<br><span class=\"klein\">g = " + Zahl(*schwelle) + " N/mm²</span>";
        }
      } else {
        text = Zahl(wert);
      }
      html += Wertzeile(*g, name, text, g->einheit, Bezeichnung(line.label));
    }
    html += "</tbody>\n";
  }
  return html + "</table>\n";
}

std::string Hinweisteil(const std::vector<std::string>& hinweise) {
  std::string html = "<h3>Hinweise</h3>\n";
  if (hinweise.empty()) return html + "<p>Keine Hinweise.</p>\n";
  html += "<ul class=\"hinweise\">\n";
  for (const std::string& h : hinweise) html += "<li>" + MitKomma(Html(h)) + "</li>\n";
  return html + "</ul>\n";
}

std::string Diagrammteil(const Fall& fall) {
  struct Art {
    Last last;
    std::string_view titel;
  };
  std::string html = "<h3>Dauerfestigkeitsschaubilder</h3>\n<div class=\"diagramme\">\n";
  for (const Art& art :
       {Art{Last::kZug, "Zug/Druck"}, Art{Last::kBie, "Biegung"}, Art{Last::kTor, "Torsion"}}) {
    const HaighWerte w = WerteFuer(fall.e, fall.n, art.last);
    const std::string grund = KeinDiagramm(w, art.last);
    html += "<figure class=\"diagramm" + std::string(grund.empty() ? "" : " leer") +
            "\"><figcaption>" + std::string(art.titel) + "</figcaption>\n";
    if (grund.empty()) {
      html += HaighSvg(w, art.last);
    } else {
      html += "<p>Kein Diagramm: " + Html(grund) + ".</p>\n";
    }
    html += "</figure>\n";
  }
  return html + "</div>\n";
}

std::string Fallabschnitt(const Fall& fall, double smin, const std::vector<std::string>& hinweise,
                          std::string_view anker, std::string_view ueberschrift,
                          const Loesung* loesung) {
  return Fallabschnitt(fall, smin, hinweise, anker, ueberschrift,
                       DateiName(fall.datei) + ", Zeile " + Zahl(fall.zeile), "",
                       loesung != nullptr ? Auslegungsteil(fall, *loesung) : "");
}

std::string Fallabschnitt(const Fall& fall, double smin, const std::vector<std::string>& hinweise,
                          std::string_view anker, std::string_view ueberschrift,
                          std::string_view herkunft, std::string_view vorspann,
                          std::string_view nach_urteil) {
  std::string html = "<section class=\"fall\" id=\"" + Html(anker) +
                     "\">\n<div class=\"fallkopf\">\n<h2>" + Html(ueberschrift);
  if (!fall.name.empty()) html += ": " + Html(fall.name);
  html += "</h2>\n";
  if (!fall.werkstoff.empty() || !fall.bemerkung.empty()) {
    html += "<p class=\"stoff\">";
    if (!fall.werkstoff.empty()) html += "Werkstoff: <strong>" + Html(fall.werkstoff) + "</strong>";
    if (!fall.werkstoff.empty() && !fall.bemerkung.empty()) html += " · ";
    if (!fall.bemerkung.empty()) html += "Bemerkung: " + Html(fall.bemerkung);
    html += "</p>\n";
  }
  html += "<p class=\"herkunft\">" + std::string(herkunft) + "</p>\n</div>\n";
  html += vorspann;
  html += Urteilsteil(fall, smin, hinweise.size());
  html += nach_urteil;
  html += Eingabeteil(fall);
  html += Ergebnisteil(fall.n);
  html += Hinweisteil(hinweise);
  html += Diagrammteil(fall);
  return html + "</section>\n";
}

}  // namespace wellen::report

#include "report/wellenbericht.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>
#include <tuple>
#include <utility>

#include "calc/auslegung.h"
#include "calc/urteil.h"
#include "companion/fall.h"
#include "report/abschnitt.h"
#include "report/html.h"
#include "report/verlauf.h"
#include "report/wellenbild.h"
#include "report/zahl.h"

namespace wellen::report {
namespace {

// The parts of the shaft's report beyond the common style sheet: the shaft
// and each load case on new pages, the drawings and diagrams one under the
// other at the full width (so that they share the x scale), the summary's
// rows of one section kept together.
constexpr std::string_view kWellenstil = R"(
section.welle, section.lastfall { break-before: page; }
@media screen { section.welle, section.lastfall { border-top: 2px solid #333; margin-top: 10mm;
  padding-top: 4mm; } }
section.welle h2, section.lastfall h2 { margin: 0 0 1mm; }
h2 { break-after: avoid; }
figure.diagramm { margin: 1.5mm 0 2.5mm; }
figure.diagramm figcaption { font-size: 8.5pt; margin-bottom: 0.5mm; }
.uebersicht tbody { break-inside: avoid; }
.uebersicht tbody tr:first-child td { border-top: 1px solid #999; }
.uebersicht td { border-bottom: 1px solid #eee; }
.uebersicht td.stelle { font-weight: bold; }
.masse td, .masse th { border-bottom: 1px solid #e4e4e4; }
.masse th { border-bottom: 1.5px solid #333; }
.masse { margin: 1mm 0 3mm; }
.masse caption { text-align: left; font-weight: bold; padding: 0 0 0.5mm 1.5mm; }
.werte.schnitt { width: auto; min-width: 110mm; margin: 2mm 0 1mm; }
.schnitt td { border-bottom: 1px solid #e4e4e4; }
p.anmerkung { font-size: 8pt; color: #333; }
.kleinste { margin: 2mm 0; }
.loesung { font-size: 7.5pt; color: #1f3f7a; white-space: nowrap; }
td.loesung { font-size: 8pt; }
.kleinste th, .kleinste td { border-bottom: 1px solid #e4e4e4; }
.kleinste tr.mit-vermerk td { border-bottom: none; }
.kleinste td.vermerk { font-size: 7.5pt; color: #444; padding: 0 0 1mm 4mm; }
)";

constexpr std::string_view kWellenverfahren =
    "<div class=\"verfahren\">\n"
    "<p><strong>Statik und Verformung.</strong> Die Welle ist ein Balken auf zwei Lagern: das "
    "Festlager nimmt die Längskraft auf (R<sub>x</sub> = −ΣF<sub>x</sub>), das Loslager nur "
    "Querkräfte. In jeder Ebene (x-y und x-z) folgen die Lagerkräfte aus dem Kräfte- und "
    "Momentengleichgewicht, für die Mittelwerte und die Ausschläge der Lasten getrennt, jeweils "
    "als eigener Lastsatz mit Vorzeichen. An der Stelle x gilt, summiert über die Lasten und "
    "Lagerkräfte links von x: M<sub>xy</sub> = ΣF<sub>y,i</sub>·(x − x<sub>i</sub>)/1000 + "
    "ΣM<sub>by,i</sub> (x in mm, M in N·m), M<sub>xz</sub> ebenso mit F<sub>z</sub> und "
    "M<sub>bz</sub>, M<sub>b</sub> "
    "= √(M<sub>xy</sub>² + M<sub>xz</sub>²), T = ΣT<sub>i</sub>, N = −ΣF<sub>x,i</sub> (Zug "
    "positiv). Sitzt eine Last oder ein Lager genau an einer Stelle, gilt für jede Größe die "
    "Seite mit dem größeren Betrag.</p>\n"
    "<p>Schnittlasten des Nachweises: bei einer umlaufenden Welle wird jede Faser wechselnd "
    "gebogen, M<sub>bm</sub> = 0 und M<sub>ba</sub> = M<sub>b</sub> + M<sub>b,a</sub>; bei einer "
    "stehenden Welle M<sub>bm</sub> = M<sub>b</sub> und M<sub>ba</sub> = M<sub>b,a</sub>; stets "
    "T<sub>m</sub> = |T|, T<sub>a</sub> = |T<sub>a</sub>|, F<sub>m</sub> = N und F<sub>a</sub> = "
    "|N<sub>a</sub>|. Daraus die Nennspannungen im Kerbquerschnitt wie oben, mit der Bohrung des "
    "Abschnitts.</p>\n"
    "<p>Die Durchbiegung folgt aus den Mittelwerten: je Ebene w″ = M/(E·I) mit I = "
    "π·(D⁴ − d<sub>i</sub>⁴)/64 des Abschnitts (Nuten und Radien für die Steifigkeit "
    "vernachlässigt, ohne Schubverformung), w = 0 in beiden Lagern, w und w′ stetig; exakt "
    "integriert, ohne Schrittweite. w = √(w<sub>y</sub>² + w<sub>z</sub>²).</p>\n</div>\n";

std::string Anker(std::size_t stelle, std::size_t lastfall) {
  return "stelle-" + Zahl(stelle + 1) + "-lf-" + Zahl(lastfall + 1);
}

std::string Mehrzahl(std::size_t n, std::string_view eins, std::string_view viele) {
  return Zahl(n) + " " + std::string(n == 1 ? eins : viele);
}

std::string Stellenname(const Wellenquelle& q, std::size_t i) {
  return i < q.stellennamen.size() ? MitKomma(q.stellennamen[i]) : "Stelle " + Zahl(i + 1);
}

// The safety of a proof for choosing the governing load case: the smaller
// factor, or minus infinity where either is invalid.
double Massgebend(const Stellennachweis& s, double smin) {
  const Urteil u = Beurteile(s.e, s.n, smin);
  if (u.dauerbruch.bewertung == Bewertung::kUngueltig ||
      u.fliessgrenze.bewertung == Bewertung::kUngueltig) {
    return -std::numeric_limits<double>::infinity();
  }
  return std::fmin(s.n.SDauerbruch, s.n.SFliessgrenze);
}

std::string Faktorzelle(const Faktorurteil& f) {
  std::string html = "<td class=\"z\">" + Zahl(f.wert);
  if (f.bewertung == Bewertung::kUngueltig) html += "<br><span class=\"klein\">ungültig</span>";
  return html + "</td>";
}

// The head row of a table; `ausrichtung` holds a letter per column: 'z'
// for a number (right-aligned), anything else for text.
std::string Kopf(std::string_view ausrichtung, std::initializer_list<std::string_view> spalten) {
  std::string html = "<thead><tr>";
  std::size_t i = 0;
  for (const std::string_view s : spalten) {
    html += i < ausrichtung.size() && ausrichtung[i] == 'z' ? "<th class=\"z\">" : "<th>";
    html += s;
    html += "</th>";
    ++i;
  }
  return html + "</tr></thead>\n";
}

std::string Zelle(double wert) { return "<td class=\"z\">" + Zahl(wert) + "</td>"; }

// --- Design mode --------------------------------------------------------------

// The solved value of section `i` as the tables show it: "r<sub>erf</sub> =
// 0,45 mm"; where S_min is out of reach, the value that came closest.
// Empty without design mode.
std::string Loesungswert(const Wellenquelle& q, std::size_t i) {
  if (q.radien != nullptr && i < q.radien->size()) {
    const Auslegung& a = (*q.radien)[i].auslegung;
    if (std::isnan(a.wert)) return "r<sub>erf</sub>: kein Wert im Suchbereich";
    if (a.erreicht) return "r<sub>erf</sub> = " + Zahl(a.wert) + " mm";
    return "r<sub>erf</sub> nicht erreichbar bis " + Zahl(a.bis) + " mm";
  }
  if (q.groesse != nullptr) {
    const Groessenauslegung& g = *q.groesse;
    if (std::isnan(g.wert) || i >= g.ergebnis.stellen.size()) return {};
    const std::string d = Zahl(g.ergebnis.stellen[i].e.d);
    return g.erreicht ? "d<sub>erf</sub> = " + d + " mm" : "d = " + d + " mm am nächsten";
  }
  return {};
}

// The check of section `i` in load case `f` at the solved value, or null.
const Nachweis* Loesungsnachweis(const Wellenquelle& q, std::size_t f, std::size_t i) {
  if (q.radien != nullptr && i < q.radien->size()) {
    const std::vector<Stellenpruefung>& je = (*q.radien)[i].je_lastfall;
    return f < je.size() ? &je[f].n : nullptr;
  }
  if (q.groesse != nullptr) {
    const Wellenergebnis& e = q.groesse->ergebnis;
    if (f < e.lastfaelle.size() && i < e.lastfaelle[f].stellen.size()) {
      return &e.lastfaelle[f].stellen[i].n;
    }
  }
  return nullptr;
}

// The symbol of the solved value: "r<sub>erf</sub>", "d<sub>erf</sub>", or
// "r = 0,5" where none was reached.
std::string Loesungssymbol(const Wellenquelle& q, std::size_t i) {
  if (q.radien != nullptr && i < q.radien->size()) {
    const Auslegung& a = (*q.radien)[i].auslegung;
    return a.erreicht ? "r<sub>erf</sub>" : "r = " + Zahl(a.wert) + " mm";
  }
  if (q.groesse != nullptr && !q.groesse->erreicht) return "k = " + Zahl(q.groesse->k);
  return "d<sub>erf</sub>";
}

// What design mode found for the whole shaft, in words (HTML); empty
// without it.
std::string Auslegungssatz(const Welle& welle, const Wellenergebnis& ergebnis,
                           const Wellenquelle& q, double smin) {
  if (q.radien != nullptr) {
    std::size_t erreicht = 0;
    std::string fehlend;
    for (std::size_t i = 0; i < q.radien->size(); ++i) {
      if ((*q.radien)[i].auslegung.erreicht) {
        ++erreicht;
      } else {
        fehlend += (fehlend.empty() ? "" : ", ") + Zahl(i + 1);
      }
    }
    std::string html =
        "kleinster Radius jeder Stelle, mit dem sie S<sub>min</sub> = " + Zahl(smin) +
        " in jedem Lastfall erfüllt, alles andere wie gegeben (Raster " + Zahl(kRadiusSchritt) +
        " mm, bis t beim Absatz, bei der Nut bis d/2 und bis "
        "zum Abschnittsende): " +
        Zahl(erreicht) + " von " + Mehrzahl(q.radien->size(), "Stelle", "Stellen") + " erreichbar";
    if (!fehlend.empty()) html += "; nicht erreichbar an Stelle " + fehlend;
    return html + ".";
  }
  if (q.groesse == nullptr) return {};
  const Groessenauslegung& g = *q.groesse;
  std::string html =
      "kleinster gemeinsamer Faktor k aller Durchmesser, Bohrungen, Radien und "
      "Nuttiefen, mit dem jede Stelle S<sub>min</sub> = " +
      Zahl(smin) + " in jedem Lastfall erfüllt (größter Außendurchmesser im Raster " +
      Zahl(kDurchmesserSchritt) + " mm von " + Zahl(g.von) + " bis " + Zahl(g.bis) + " mm): ";
  if (ergebnis.stellen.empty() || std::isnan(g.wert))
    return html + "keine Kerbe, nichts auszulegen.";
  if (g.erreicht) {
    html += "größter Außendurchmesser " + Zahl(g.D_max) + " mm → " + Zahl(g.wert) +
            " mm, k = " + Zahl(g.k) + ". Die geänderte Welle ist vollständig nachgerechnet";
  } else {
    html += "nicht erreichbar bis " + Zahl(g.bis) + " mm; am nächsten kommt " + Zahl(g.wert) +
            " mm, k = " + Zahl(g.k);
  }
  // The smallest factor of the resized shaft, and where.
  double kleinste = std::numeric_limits<double>::infinity();
  std::size_t wo_i = 0, wo_f = 0;
  for (std::size_t f = 0; f < g.ergebnis.lastfaelle.size(); ++f) {
    const Lastfallergebnis& lf = g.ergebnis.lastfaelle[f];
    for (std::size_t i = 0; i < lf.stellen.size(); ++i) {
      const double s = KleinereSicherheit(lf.stellen[i].n);
      if (s < kleinste) {
        kleinste = s;
        wo_i = i;
        wo_f = f;
      }
    }
  }
  if (std::isfinite(kleinste)) {
    html += "; kleinste Sicherheit dort " + Zahl(kleinste) + " (Stelle " + Zahl(wo_i + 1) + ", " +
            Html(Lastfallname(welle, wo_f)) + ")";
  }
  html += ".";
  if (g.uebergangen > 0 && !g.hindernis.empty()) {
    html += " " + Mehrzahl(g.uebergangen, "Größe", "Größen") + " übergangen, die erste bei " +
            Zahl(g.erster_uebergangen) + " mm: " + MitKomma(Html(g.hindernis.front().text)) + ".";
  }
  return html;
}

// The block of a proof: the solved value of its section and the factors
// there in its load case.
std::string Auslegungsblock(const Wellenquelle& q, std::size_t i, std::size_t f,
                            const Welle& welle) {
  std::string html = "<div class=\"auslegung\"><strong>Auslegung</strong>: ";
  if (q.radien != nullptr && i < q.radien->size()) {
    const Radiusauslegung& r = (*q.radien)[i];
    const Auslegung& a = r.auslegung;
    html +=
        "kleinster Radius dieser Stelle, mit dem sie S<sub>min</sub> in jedem Lastfall "
        "erfüllt, alles andere wie gegeben (Raster " +
        Zahl(kRadiusSchritt) + " mm von " + Zahl(a.von) + " bis " + Zahl(a.bis) + " mm): ";
    if (std::isnan(a.wert)) return html + "kein Wert im Suchbereich.</div>\n";
    html += a.erreicht ? "r<sub>erf</sub> = " + Zahl(a.wert) + " mm"
                       : "nicht erreichbar; am nächsten kommt r = " + Zahl(a.wert) + " mm";
    html += " (maßgebend " + Html(Lastfallname(welle, a.massgebend)) + ")";
  } else if (q.groesse != nullptr) {
    const Groessenauslegung& g = *q.groesse;
    html += "kleinster gemeinsamer Faktor aller Durchmesser der Welle";
    if (std::isnan(g.wert) || i >= g.ergebnis.stellen.size()) {
      return html + ": kein Wert im Suchbereich.</div>\n";
    }
    const Eingabewerte& e = g.ergebnis.stellen[i].e;
    html += g.erreicht ? ", k = " + Zahl(g.k)
                       : ": nicht erreichbar; am nächsten kommt k = " + Zahl(g.k);
    html += " (größter Außendurchmesser " + Zahl(g.D_max) + " → " + Zahl(g.wert) +
            " mm); hier d = " + Zahl(e.d) + " mm, D = " + Zahl(e.D) + " mm, r = " + Zahl(e.r) +
            " mm, t = " + Zahl(e.t) + " mm";
    if (g.ergebnis.stellen[i].di > 0) {
      html += ", d<sub>i</sub> = " + Zahl(g.ergebnis.stellen[i].di) + " mm";
    }
    html += ", d<sub>eff</sub> = " + Zahl(e.deff) + " mm";
  } else {
    return {};
  }
  const Nachweis* n = Loesungsnachweis(q, f, i);
  if (n == nullptr) return html + ".</div>\n";
  html += q.radien != nullptr ? "; damit in diesem Lastfall "
                              : "; die geänderte Welle, nachgerechnet, in diesem Lastfall: ";
  return html + "S Dauerbruch = " + Zahl(n->SDauerbruch) +
         ", S Fließgrenze = " + Zahl(n->SFliessgrenze) + ".</div>\n";
}

// --- The first page -------------------------------------------------------

struct Bilanz {
  std::size_t nachweise = 0;
  std::size_t erfuellt = 0;
  std::size_t ungueltig = 0;
};

Bilanz Zaehle(const Wellenergebnis& ergebnis, double smin) {
  Bilanz b;
  for (const Lastfallergebnis& lf : ergebnis.lastfaelle) {
    for (const Stellennachweis& s : lf.stellen) {
      ++b.nachweise;
      const Urteil u = Beurteile(s.e, s.n, smin);
      if (u.erfuellt) ++b.erfuellt;
      if (u.dauerbruch.bewertung == Bewertung::kUngueltig ||
          u.fliessgrenze.bewertung == Bewertung::kUngueltig) {
        ++b.ungueltig;
      }
    }
  }
  return b;
}

std::string Gesamturteil(const Bilanz& b) {
  if (b.nachweise == 0) return "keine Stelle zu prüfen";
  if (b.erfuellt == b.nachweise) return "erfüllt";
  return "nicht erfüllt: " + Zahl(b.nachweise - b.erfuellt) + " von " +
         Mehrzahl(b.nachweise, "Nachweis", "Nachweisen");
}

std::string Titelzeilen(const Welle& welle, const Wellenergebnis& ergebnis,
                        const Wellenquelle& quelle, double smin, const Bilanz& b) {
  std::string html =
      Titelzeile("Wellendatei", quelle.datei == "-" ? "Standardeingabe" : quelle.datei);
  html += Titelzeile("Welle", welle.name);
  html += Titelzeile("Werkstoff", welle.werkstoff_name);
  std::string art = welle.art == Wellenart::kUmlaufend ? "umlaufend" : "stehend";
  art += ", Länge " + Zahl(Gesamtlaenge(welle)) + " mm";
  html += Titelzeile("Art, Länge", art);
  html += Titelzeile("Stellen, Lastfälle",
                     Mehrzahl(ergebnis.stellen.size(), "Stelle", "Stellen") + " in " +
                         Mehrzahl(ergebnis.lastfaelle.size(), "Lastfall", "Lastfällen") + ": " +
                         Mehrzahl(b.nachweise, "Nachweis", "Nachweise"));
  html += "<tr><th>Mindestsicherheit</th><td>S<sub>min</sub> = " + Zahl(smin) + "</td></tr>\n";
  html += Titelzeile("Ergebnis", Gesamturteil(b));
  if (quelle.radien != nullptr) html += Titelzeile("Auslegung", "kleinster Radius jeder Stelle");
  if (quelle.groesse != nullptr) {
    const Groessenauslegung& g = *quelle.groesse;
    html += Titelzeile(
        "Auslegung",
        std::isnan(g.wert) ? std::string("kleinster gemeinsamer Faktor: nichts auszulegen")
        : g.erreicht
            ? "kleinster gemeinsamer Faktor k = " + Zahl(g.k) + ", größter Außendurchmesser " +
                  Zahl(g.D_max) + " → " + Zahl(g.wert) + " mm"
            : "kleinster gemeinsamer Faktor: nicht erreichbar bis " + Zahl(g.bis) + " mm");
  }
  return html;
}

// Where the smallest of one factor is, over every section and load case.
struct Kleinster {
  double wert = std::numeric_limits<double>::infinity();
  std::size_t stelle = 0, lastfall = 0;
  bool gefunden = false;
};

// The invalid factors of one kind that the smallest leaves out, as
// (load case, section) in the order of the load cases, in words: "Stelle 2,
// 3 (Lastfall 2); Stelle 5 (Lastfall 3)"; the first 20 named, the rest
// counted.
std::string Ungueltige(const std::vector<std::pair<std::size_t, std::size_t>>& liste) {
  constexpr std::size_t kGenannt = 20;
  std::string text;
  for (std::size_t k = 0; k < liste.size() && k < kGenannt; ++k) {
    const auto [f, i] = liste[k];
    const bool neu = k == 0 || liste[k - 1].first != f;
    if (neu) text += k == 0 ? "Stelle " : "; Stelle ";
    if (!neu) text += ", ";
    text += Zahl(i + 1);
    if (k + 1 == liste.size() || k + 1 == kGenannt || liste[k + 1].first != f) {
      text += " (Lastfall " + Zahl(f + 1) + ")";
    }
  }
  if (liste.size() > kGenannt) text += " und " + Zahl(liste.size() - kGenannt) + " weitere";
  return text;
}

std::string Zusammenfassung(const Welle& welle, const Wellenergebnis& ergebnis,
                            const Wellenquelle& quelle, double smin, const Bilanz& b,
                            std::size_t volle, std::size_t alle_bis) {
  std::string html = "<h2>Zusammenfassung</h2>\n";
  if (b.nachweise == 0) {
    html +=
        "<div class=\"urteil ok\"><strong>Keine Stelle zu prüfen</strong>: die Welle hat "
        "weder Absatz noch Nut. Lagerkräfte, Schnittgrößen und Durchbiegung stehen unten."
        "</div>\n";
  } else if (b.erfuellt == b.nachweise) {
    html += "<div class=\"urteil ok\"><strong>Nachweis erfüllt</strong>: alle " +
            Mehrzahl(b.nachweise, "Nachweis", "Nachweise") + " (" +
            Mehrzahl(ergebnis.stellen.size(), "Stelle", "Stellen") + " in " +
            Mehrzahl(ergebnis.lastfaelle.size(), "Lastfall", "Lastfällen") +
            ") erreichen S<sub>min</sub> = " + Zahl(smin) + ".</div>\n";
  } else {
    const std::size_t fehlend = b.nachweise - b.erfuellt;
    html += "<div class=\"urteil nicht\"><strong>Nachweis nicht erfüllt</strong>: ";
    html += b.nachweise == 1 ? std::string("der Nachweis erreicht")
                             : Zahl(fehlend) + " von " + Zahl(b.nachweise) + " Nachweisen " +
                                   (fehlend == 1 ? "erreicht" : "erreichen");
    html += " S<sub>min</sub> = " + Zahl(smin) + " nicht";
    if (b.ungueltig > 0) {
      html += b.nachweise == 1 ? ": seine Sicherheit ist ungültig"
                               : ", davon " + Zahl(b.ungueltig) + " mit ungültiger Sicherheit";
    }
    html += ".</div>\n";
  }

  // The smallest factors and the largest deflection, with their places.
  // Invalid factors are left out, and named beside the smallest.
  Kleinster dauer, fliess;
  std::vector<std::pair<std::size_t, std::size_t>> ungueltig_dauer, ungueltig_fliess;
  for (std::size_t f = 0; f < ergebnis.lastfaelle.size(); ++f) {
    const Lastfallergebnis& lf = ergebnis.lastfaelle[f];
    for (std::size_t i = 0; i < lf.stellen.size(); ++i) {
      const Urteil u = Beurteile(lf.stellen[i].e, lf.stellen[i].n, smin);
      for (auto [k, fu, ungueltig] : {std::tuple{&dauer, &u.dauerbruch, &ungueltig_dauer},
                                      std::tuple{&fliess, &u.fliessgrenze, &ungueltig_fliess}}) {
        if (fu->bewertung == Bewertung::kUngueltig || std::isnan(fu->wert)) {
          ungueltig->emplace_back(f, i);
          continue;
        }
        if (!k->gefunden || fu->wert < k->wert) *k = {fu->wert, i, f, true};
      }
    }
  }
  std::size_t w_lf = 0;
  for (std::size_t f = 1; f < ergebnis.lastfaelle.size(); ++f) {
    if (ergebnis.lastfaelle[f].w_max > ergebnis.lastfaelle[w_lf].w_max) w_lf = f;
  }
  html += "<table class=\"kleinste\">\n" +
          Kopf("tztzt", {"", "Wert", "Stelle", "x in mm", "Lastfall"}) + "<tbody>\n";
  for (const auto& [name, k, ungueltig] :
       {std::tuple<std::string_view, const Kleinster&, const decltype(ungueltig_dauer)&>{
            "kleinste Sicherheit gegen Dauerbruch", dauer, ungueltig_dauer},
        std::tuple<std::string_view, const Kleinster&, const decltype(ungueltig_dauer)&>{
            "kleinste Sicherheit gegen Fließen", fliess, ungueltig_fliess}}) {
    if (!k.gefunden && ungueltig.empty()) continue;
    html += std::string(ungueltig.empty() ? "<tr>" : "<tr class=\"mit-vermerk\">") + "<td>" +
            std::string(name) + "</td>";
    if (k.gefunden) {
      html += Zelle(k.wert) + "<td><a href=\"#" + Anker(k.stelle, k.lastfall) + "\">" +
              Zahl(k.stelle + 1) + "</a> " + Html(Stellenname(quelle, k.stelle)) + "</td>" +
              Zelle(ergebnis.stellen[k.stelle].x) + "<td>" + Html(Lastfallname(welle, k.lastfall)) +
              "</td></tr>\n";
    } else {
      html += "<td class=\"z\">–</td><td>–</td><td class=\"z\">–</td><td>–</td></tr>\n";
    }
    if (!ungueltig.empty()) {
      html += std::string("<tr><td colspan=\"5\" class=\"vermerk\">") +
              (k.gefunden ? "ungültige Sicherheiten nicht mitgezählt: "
                          : "keine gültige Sicherheit; ungültig: ") +
              Ungueltige(ungueltig) + "</td></tr>\n";
    }
  }

  if (!ergebnis.lastfaelle.empty()) {
    const Lastfallergebnis& lf = ergebnis.lastfaelle[w_lf];
    html += "<tr><td>größte Durchbiegung</td><td class=\"z\">" + Zahl(lf.w_max * 1000) +
            " µm</td><td>–</td>" + Zelle(lf.x_w_max) + "<td>" + Html(Lastfallname(welle, w_lf)) +
            "</td></tr>\n";
  }
  html += "</tbody>\n</table>\n";
  const std::string auslegung = Auslegungssatz(welle, ergebnis, quelle, smin);
  if (!auslegung.empty()) {
    html += "<div class=\"auslegung\"><strong>Auslegung</strong>: " + auslegung +
            " Die Werte stehen in der Übersicht bei jeder Stelle, mit den Sicherheiten dort in "
            "jedem Lastfall, und bei jedem Nachweis.</div>\n";
  }
  // The notes on the shaft as a whole (material values that took their
  // default), which every proof repeats, here once and also where there is
  // no proof.
  if (!welle.hinweise.empty()) {
    html += "<p><strong>Hinweise zur Welle:</strong></p>\n<ul class=\"hinweise\">\n";
    for (const std::string& h : welle.hinweise) html += "<li>" + MitKomma(Html(h)) + "</li>\n";
    html += "</ul>\n";
  }
  if (b.nachweise > volle) {
    html += "<p>Die Welle hat " + Mehrzahl(b.nachweise, "Nachweis", "Nachweise") +
            ". Ausführlich dargestellt sind, weil es mehr als " + Zahl(alle_bis) +
            " sind, je Stelle der maßgebende Lastfall (mit der kleinsten Sicherheit) und jeder "
            "Lastfall, in dem der Nachweis nicht erfüllt ist";
    if (volle >= kHoechstensNachweise) html += ", höchstens " + Zahl(kHoechstensNachweise);
    html += ": " + Mehrzahl(volle, "Nachweis", "Nachweise") +
            ". Die übrigen stehen mit ihren Schnittgrößen und Sicherheiten in der Übersicht "
            "(mit * gekennzeichnet, der Verweis führt zum ausführlichen Nachweis derselben "
            "Stelle); sie sind ebenso gerechnet.</p>\n";
  } else if (b.nachweise > 0) {
    html += "<p>Jeder Nachweis ist ausführlich dargestellt, einer je Stelle und Lastfall.</p>\n";
  }
  return html;
}

std::string Uebersicht(const Welle& welle, const Wellenergebnis& ergebnis,
                       const Wellenquelle& quelle, double smin,
                       const std::vector<std::vector<bool>>& voll) {
  if (ergebnis.stellen.empty()) return {};
  std::string html = "<h2>Übersicht der Nachweise</h2>\n<table class=\"liste uebersicht\">\n" +
                     Kopf("tzttzzzzzt", {"Stelle", "x in mm", "Art, Durchmesser", "Lastfall",
                                         "M<sub>b</sub> in N·m", "T in N·m", "N in N",
                                         "S Dauerbruch", "S Fließgrenze", "Nachweis"});
  for (std::size_t i = 0; i < ergebnis.stellen.size(); ++i) {
    const Stelle& stelle = ergebnis.stellen[i];
    // The proof of this section shown in full first: the target of the rows without one.
    std::size_t erster = ergebnis.lastfaelle.size();
    for (std::size_t f = 0; f < ergebnis.lastfaelle.size() && erster == ergebnis.lastfaelle.size();
         ++f) {
      if (voll[f][i]) erster = f;
    }
    html += "<tbody>\n";
    for (std::size_t f = 0; f < ergebnis.lastfaelle.size(); ++f) {
      const Stellennachweis& s = ergebnis.lastfaelle[f].stellen[i];
      const Urteil u = Beurteile(s.e, s.n, smin);
      const std::size_t ziel = voll[f][i] ? f : erster;
      html += "<tr>";
      if (f == 0) {
        html += "<td class=\"stelle\">";
        html += erster < ergebnis.lastfaelle.size()
                    ? "<a href=\"#" + Anker(i, erster) + "\">" + Zahl(stelle.nummer) + "</a>"
                    : Zahl(stelle.nummer);
        html += "</td>" + Zelle(stelle.x) + "<td>" + Html(Stellenname(quelle, i));
        html += "<br><span class=\"klein\">r = " + Zahl(stelle.e.r) + " mm";
        if (stelle.di > 0) html += ", d<sub>i</sub> = " + Zahl(stelle.di) + " mm";
        html += "</span>";
        const std::string loesung = Loesungswert(quelle, i);
        if (!loesung.empty()) html += "<br><span class=\"loesung\">" + loesung + "</span>";
        html += "</td>";
      } else {
        html += "<td></td><td></td><td></td>";
      }
      html += "<td>";
      const std::string name = Html(Lastfallname(welle, f));
      html += ziel < ergebnis.lastfaelle.size()
                  ? "<a href=\"#" + Anker(i, ziel) + "\">" + name + "</a>"
                  : name;
      if (!voll[f][i]) html += " *";
      html += "</td>" + Zelle(s.Mb) + Zelle(s.T) + Zelle(s.N);
      const Nachweis* geloest = Loesungsnachweis(quelle, f, i);
      const std::string bei = geloest != nullptr ? Loesungssymbol(quelle, i) : "";
      for (const auto& [fu, wert] :
           {std::pair<const Faktorurteil&, double>{u.dauerbruch,
                                                   geloest != nullptr ? geloest->SDauerbruch : 0.0},
            std::pair<const Faktorurteil&, double>{
                u.fliessgrenze, geloest != nullptr ? geloest->SFliessgrenze : 0.0}}) {
        std::string zelle = Faktorzelle(fu);
        if (geloest != nullptr) {
          zelle.insert(zelle.size() - 5,
                       "<br><span class=\"loesung\">bei " + bei + ": " + Zahl(wert) + "</span>");
        }
        html += zelle;
      }
      html += "<td class=\"" + std::string(u.erfuellt ? "ok\">erfüllt" : "nicht\">nicht erfüllt") +
              "</td></tr>\n";
    }
    html += "</tbody>\n";
  }
  html +=
      "</table>\n<p class=\"anmerkung\">M<sub>b</sub>, T, N: Schnittgrößen der Mittelwerte an "
      "der Stelle. Die Ausschläge und die Schnittlasten des Nachweises stehen bei jedem "
      "ausführlichen Nachweis.</p>\n";
  return html;
}

// --- The shaft ------------------------------------------------------------

// The legend of a drawing that labels the loads by number: each load of
// each load case under its element's number, with its means.
std::string Lastlegende(const Welle& welle, const Wellengeometrie& g) {
  struct Zeile {
    std::size_t element, lastfall;
    const Lastelement* last;
  };
  std::vector<Zeile> zeilen;
  for (std::size_t f = 0; f < welle.lastfaelle.size(); ++f) {
    for (const Lastelement& l : welle.lastfaelle[f].lasten) {
      const std::pair<double, std::string> e{Lage(welle, l.x), l.name.empty() ? "Last" : l.name};
      const auto it = std::find(g.lastelemente.begin(), g.lastelemente.end(), e);
      if (it == g.lastelemente.end()) continue;
      zeilen.push_back({static_cast<std::size_t>(it - g.lastelemente.begin()), f, &l});
    }
  }
  std::stable_sort(zeilen.begin(), zeilen.end(),
                   [](const Zeile& a, const Zeile& b) { return a.element < b.element; });
  std::string html =
      "<table class=\"masse\"><caption>Lasten der Zeichnung (Mittelwerte; die Ausschläge bei "
      "jedem Lastfall)</caption>\n" +
      Kopf("tztzzzzzz",
           {"Nr", "x in mm", "Last, Lastfall", "F<sub>x</sub> in N", "F<sub>y</sub> in N",
            "F<sub>z</sub> in N", "M<sub>by</sub> in N·m", "M<sub>bz</sub> in N·m", "T in N·m"}) +
      "<tbody>\n";
  for (const Zeile& z : zeilen) {
    const Lastelement& l = *z.last;
    html += "<tr><td>" + Html(g.lasten[z.element].text) + "</td>" + Zelle(l.x) + "<td>" +
            Html(g.lastelemente[z.element].second) + ", " + Html(Lastfallname(welle, z.lastfall)) +
            "</td>" + Zelle(l.Fx) + Zelle(l.Fy) + Zelle(l.Fz) + Zelle(l.Mby) + Zelle(l.Mbz) +
            Zelle(l.T) + "</tr>\n";
  }
  return html + "</tbody>\n</table>\n";
}

std::string Wellenteil(const Welle& welle, const Wellenergebnis& ergebnis,
                       const Wellenquelle& quelle) {
  std::string html = "<section class=\"welle\" id=\"welle\">\n<h2>Die Welle";
  if (!welle.name.empty()) html += " " + Html(welle.name);
  html += "</h2>\n";
  const Wellengeometrie g = Geometrie(welle, ergebnis.stellen);
  std::string massstab = "Maße in mm, Längen maßstäblich";
  const std::string durchmesser = Durchmessermassstab(g);
  massstab += durchmesser.empty() ? ", Durchmesser im selben Maßstab" : ", " + durchmesser;
  html +=
      "<figure class=\"diagramm\"><figcaption>Kontur mit Bohrung (gestrichelt), Radien und "
      "Nuten, Lager, Lastangriffe und geprüfte Stellen (rot, nummeriert) <span "
      "class=\"klein\">(" +
      massstab + ")</span></figcaption>\n" + WellenSvg(welle, ergebnis.stellen) + "</figure>\n";
  if (g.lastnummern) html += Lastlegende(welle, g);

  // The segments as given.
  html += "<table class=\"masse\"><caption>Abschnitte</caption>\n" +
          Kopf("tzzzzzzz", {"Nr", "von x in mm", "bis x in mm", "l in mm", "D in mm",
                            "d<sub>i</sub> in mm", "r in mm", "R<sub>z</sub> in µm"}) +
          "<tbody>\n";
  const std::vector<double> grenzen = Grenzen(welle);
  for (std::size_t k = 0; k < welle.abschnitte.size(); ++k) {
    const Abschnitt& a = welle.abschnitte[k];
    html += "<tr><td>" + Zahl(k + 1) + "</td>" + Zelle(grenzen[k]) + Zelle(grenzen[k + 1]) +
            Zelle(a.l) + Zelle(a.D) + Zelle(a.di);
    html += a.r ? Zelle(*a.r) : "<td class=\"z\">–</td>";
    html += a.Rz ? Zelle(*a.Rz) : "<td class=\"z\">–</td>";
    html += "</tr>\n";
  }
  html += "</tbody>\n</table>\n";

  if (!ergebnis.stellen.empty()) {
    const bool geloest = quelle.radien != nullptr || quelle.groesse != nullptr;
    std::string kopf = Kopf("tzttzzzzzzt", {"Nr", "x in mm", "Stelle", "Kerbfall", "D in mm",
                                            "d in mm", "r in mm", "t in mm", "d<sub>i</sub> in mm",
                                            "R<sub>z</sub> in µm", geloest ? "Auslegung" : ""});
    if (!geloest) kopf.replace(kopf.find("<th></th></tr>"), 9, "");
    html += "<table class=\"masse\"><caption>Geprüfte Stellen</caption>\n" + kopf + "<tbody>\n";
    for (std::size_t i = 0; i < ergebnis.stellen.size(); ++i) {
      const Stelle& s = ergebnis.stellen[i];
      html += "<tr><td>" + Zahl(s.nummer) + "</td>" + Zelle(s.x) + "<td>" +
              Html(Stellenname(quelle, i)) + "</td><td class=\"z\">" + Zahl(s.e.Kerbfall) + " " +
              std::string(KerbfallName(s.e.Kerbfall)) + "</td>" + Zelle(s.e.D) + Zelle(s.e.d) +
              Zelle(s.e.r) + Zelle(s.e.t) + Zelle(s.di) + Zelle(s.e.Rz);
      if (geloest) html += "<td class=\"loesung\">" + Loesungswert(quelle, i) + "</td>";
      html += "</tr>\n";
    }
    html += "</tbody>\n</table>\n";
  }
  html += "<p>Festlager bei x = ";
  double x_fest = 0, x_los = 0;
  for (const Lager& l : welle.lager) (l.art == Lagerart::kFest ? x_fest : x_los) = l.x;
  double D_max = 0;
  for (const Abschnitt& a : welle.abschnitte) D_max = std::max(D_max, a.D);
  html += Zahl(x_fest) + " mm, Loslager bei x = " + Zahl(x_los) + " mm, Lagerabstand " +
          Zahl(std::fabs(Lage(welle, x_los) - Lage(welle, x_fest))) + " mm. E = " + Zahl(welle.E) +
          " N/mm², d<sub>eff</sub> = " + Zahl(welle.deff.value_or(D_max)) + " mm";
  if (!welle.deff) html += " (der größte Außendurchmesser)";
  html += ".</p>\n";

  // Reactions, deflection, slopes of every load case.
  html +=
      "<h3>Lagerkräfte und Verformung</h3>\n<table class=\"masse\"><caption>Lagerkräfte "
      "(Kräfte auf die Welle)</caption>\n" +
      Kopf("ttzzzzz", {"Lastfall", "Lager", "x in mm", "F<sub>x</sub> in N", "F<sub>y</sub> in N",
                       "F<sub>z</sub> in N", "F<sub>r</sub> in N"}) +
      "<tbody>\n";
  const auto zeile = [&](const std::string& lastfall, std::string_view lager, double x,
                         const Lagerkraft& k) {
    return "<tr><td>" + lastfall + "</td><td>" + std::string(lager) + "</td>" + Zelle(x) +
           Zelle(k.Fx) + Zelle(k.Fy) + Zelle(k.Fz) + Zelle(k.Fr) + "</tr>\n";
  };
  const auto null = [](const Lagerkraft& k) { return k.Fx == 0 && k.Fy == 0 && k.Fz == 0; };
  for (std::size_t f = 0; f < ergebnis.lastfaelle.size(); ++f) {
    const Lastfallergebnis& lf = ergebnis.lastfaelle[f];
    const std::string name = Html(Lastfallname(welle, f));
    html += zeile(name, "Festlager", x_fest, lf.fest) + zeile("", "Loslager", x_los, lf.los);
    if (!null(lf.fest_a) || !null(lf.los_a)) {
      html += zeile("", "Festlager, Ausschlag", x_fest, lf.fest_a) +
              zeile("", "Loslager, Ausschlag", x_los, lf.los_a);
    }
  }
  html +=
      "</tbody>\n</table>\n<table class=\"masse\"><caption>Verformung (Mittelwerte)</caption>\n" +
      Kopf("tzzzz", {"Lastfall", "größte Durchbiegung w in µm", "bei x in mm",
                     "Neigung im Festlager in mrad", "Neigung im Loslager in mrad"}) +
      "<tbody>\n";
  for (std::size_t f = 0; f < ergebnis.lastfaelle.size(); ++f) {
    const Lastfallergebnis& lf = ergebnis.lastfaelle[f];
    html += "<tr><td>" + Html(Lastfallname(welle, f)) + "</td>" + Zelle(lf.w_max * 1000) +
            Zelle(lf.x_w_max) + Zelle(lf.neigung_fest * 1000) + Zelle(lf.neigung_los * 1000) +
            "</tr>\n";
  }
  html += "</tbody>\n</table>\n";
  return html + "</section>\n";
}

// --- A load case ------------------------------------------------------------

std::string Lastfallteil(const Welle& welle, const Wellenergebnis& ergebnis, std::size_t f,
                         double smin) {
  const Lastfallergebnis& lf = ergebnis.lastfaelle[f];
  const std::string name = Lastfallname(welle, f);
  std::string html = "<section class=\"lastfall\" id=\"lastfall-" + Zahl(f + 1) + "\">\n<h2>" +
                     Html(name) + "</h2>\n";
  // Its loads as given: means, and the amplitudes under them.
  const std::vector<Lastelement>& lasten = welle.lastfaelle[f].lasten;
  html += "<table class=\"masse\"><caption>Lasten (Mittelwerte; Ausschläge darunter)</caption>\n" +
          Kopf("tzzzzzzz",
               {"Last", "x in mm", "F<sub>x</sub> in N", "F<sub>y</sub> in N", "F<sub>z</sub> in N",
                "M<sub>by</sub> in N·m", "M<sub>bz</sub> in N·m", "T in N·m"}) +
          "<tbody>\n";
  if (lasten.empty()) html += "<tr><td colspan=\"8\">Keine Last.</td></tr>\n";
  for (const Lastelement& l : lasten) {
    html += "<tr><td>" + (l.name.empty() ? std::string("Last") : Html(l.name)) + "</td>" +
            Zelle(l.x) + Zelle(l.Fx) + Zelle(l.Fy) + Zelle(l.Fz) + Zelle(l.Mby) + Zelle(l.Mbz) +
            Zelle(l.T) + "</tr>\n";
    if (l.Fx_a != 0 || l.Fy_a != 0 || l.Fz_a != 0 || l.Mby_a != 0 || l.Mbz_a != 0 || l.T_a != 0) {
      html += "<tr><td class=\"klein\">Ausschlag</td><td></td>" + Zelle(l.Fx_a) + Zelle(l.Fy_a) +
              Zelle(l.Fz_a) + Zelle(l.Mby_a) + Zelle(l.Mbz_a) + Zelle(l.T_a) + "</tr>\n";
    }
  }
  html += "</tbody>\n</table>\n";

  const double L = Gesamtlaenge(welle);
  for (const Ebene e : {Ebene::kXY, Ebene::kXZ}) {
    html += "<figure class=\"diagramm\"><figcaption>Lasten und Lagerkräfte in der " +
            std::string(e == Ebene::kXY ? "x-y" : "x-z") +
            "-Ebene <span class=\"klein\">(Mittelwerte mit Vorzeichen, Pfeilspitze am "
            "Angriffspunkt, Momente gegen den Uhrzeigersinn positiv; die Ausschläge in der "
            "Tabelle)</span></figcaption>\n" +
            LastSvg(welle, f, lf, e) + "</figure>\n";
  }
  for (const Verlaufsdiagramm& d : Verlaufsdiagramme(L, Kurven(welle, f), name)) {
    html += "<figure class=\"diagramm\"><figcaption>" + Html(d.titel) + "</figcaption>\n" + d.svg +
            "</figure>\n";
  }
  if (!ergebnis.stellen.empty()) {
    html +=
        "<figure class=\"diagramm\"><figcaption>Sicherheiten der Stellen gegen S<sub>min</sub>"
        "</figcaption>\n" +
        SicherheitenSvg(L, ergebnis.stellen, lf, smin, name) + "</figure>\n";
  }
  html += "<p>Größte Durchbiegung " + Zahl(lf.w_max * 1000) + " µm bei x = " + Zahl(lf.x_w_max) +
          " mm; Neigung im Festlager " + Zahl(lf.neigung_fest * 1000) + " mrad, im Loslager " +
          Zahl(lf.neigung_los * 1000) + " mrad.</p>\n";
  return html + "</section>\n";
}

// --- A proof ----------------------------------------------------------------

// The internal forces at the section, and the section loads they give.
std::string Schnittgroessenteil(const Welle& welle, const Stellennachweis& s) {
  std::string html =
      "<table class=\"werte schnitt\"><caption>Schnittgrößen an der Stelle</caption>\n"
      "<thead><tr><th></th><th>Größe</th><th class=\"z\">Mittelwert</th><th class=\"z\">"
      "Ausschlag</th><th>Einheit</th></tr></thead>\n<tbody>\n";
  const auto zeile = [](std::string_view sym, std::string_view name, double m, double a,
                        std::string_view einheit) {
    return "<tr><td class=\"sym\">" + std::string(sym) + "</td><td>" + std::string(name) + "</td>" +
           Zelle(m) + Zelle(a) + "<td class=\"einheit\">" + std::string(einheit) + "</td></tr>\n";
  };
  html += zeile("M<sub>b</sub>", "Biegemoment", s.Mb, s.Mb_a, "N·m");
  html += zeile("T", "Torsionsmoment", s.T, s.T_a, "N·m");
  html += zeile("N", "Längskraft (Zug positiv)", s.N, s.N_a, "N");
  html += "</tbody>\n</table>\n<p class=\"anmerkung\">";
  if (welle.art == Wellenart::kUmlaufend) {
    html +=
        "Umlaufende Welle: M<sub>bm</sub> = 0, M<sub>ba</sub> = M<sub>b</sub> + "
        "M<sub>b,a</sub> = " +
        Zahl(s.lasten.Mba.value_or(0)) + " N·m";
  } else {
    html += "Stehende Welle: M<sub>bm</sub> = M<sub>b</sub> = " + Zahl(s.lasten.Mbm.value_or(0)) +
            " N·m, M<sub>ba</sub> = M<sub>b,a</sub> = " + Zahl(s.lasten.Mba.value_or(0)) + " N·m";
  }
  html += "; T<sub>m</sub> = |T| = " + Zahl(s.lasten.Tm.value_or(0)) +
          " N·m, T<sub>a</sub> = |T<sub>a</sub>| = " + Zahl(s.lasten.Ta.value_or(0)) +
          " N·m; F<sub>m</sub> = N = " + Zahl(s.lasten.Fm.value_or(0)) +
          " N, F<sub>a</sub> = |N<sub>a</sub>| = " + Zahl(s.lasten.Fa.value_or(0)) + " N.</p>\n";
  return html;
}

std::string Nachweisteil(const Welle& welle, const Wellenergebnis& ergebnis,
                         const Wellenquelle& quelle, double smin, std::size_t i, std::size_t f) {
  const Stelle& stelle = ergebnis.stellen[i];
  const Stellennachweis& s = ergebnis.lastfaelle[f].stellen[i];
  Fall fall;
  fall.datei = quelle.datei;
  fall.werkstoff = welle.werkstoff_name;
  fall.e = s.e;
  fall.lasten = s.lasten;
  fall.n = s.n;
  const std::string ueberschrift = "Stelle " + Zahl(stelle.nummer) + ", " + Stellenname(quelle, i) +
                                   " · " + Lastfallname(welle, f);
  std::string herkunft = "x = " + Zahl(stelle.x) + " mm · " + DateiName(quelle.datei);
  if (!welle.name.empty()) herkunft += ", Welle " + Html(welle.name);
  return Fallabschnitt(fall, smin, s.hinweise, Anker(i, f), ueberschrift, herkunft,
                       Schnittgroessenteil(welle, s), Auslegungsblock(quelle, i, f, welle));
}

}  // namespace

std::vector<std::vector<bool>> VolleNachweise(const Wellenergebnis& ergebnis, double smin,
                                              std::size_t alle_bis) {
  const std::size_t stellen = ergebnis.stellen.size();
  const std::size_t faelle = ergebnis.lastfaelle.size();
  std::vector<std::vector<bool>> voll(faelle, std::vector<bool>(stellen, false));
  if (stellen * faelle <= alle_bis) {
    for (auto& lf : voll) lf.assign(stellen, true);
    return voll;
  }
  std::size_t anzahl = 0;
  for (std::size_t i = 0; i < stellen; ++i) {
    std::size_t massgebend = 0;
    for (std::size_t f = 1; f < faelle; ++f) {
      if (Massgebend(ergebnis.lastfaelle[f].stellen[i], smin) <
          Massgebend(ergebnis.lastfaelle[massgebend].stellen[i], smin)) {
        massgebend = f;
      }
    }
    for (std::size_t f = 0; f < faelle && anzahl < kHoechstensNachweise; ++f) {
      const Stellennachweis& s = ergebnis.lastfaelle[f].stellen[i];
      if (f == massgebend || !NachweisErfuellt(s.e, s.n, smin)) {
        voll[f][i] = true;
        ++anzahl;
      }
    }
  }
  return voll;
}

bool SchreibeWellenbericht(const Welle& welle, const Wellenergebnis& ergebnis,
                           const Wellenquelle& quelle, double smin, const Titelangaben& titel,
                           const Sink& sink, std::size_t alle_bis) {
  const Bilanz bilanz = Zaehle(ergebnis, smin);
  const std::vector<std::vector<bool>> voll = VolleNachweise(ergebnis, smin, alle_bis);
  std::size_t volle = 0;
  for (const auto& lf : voll)
    volle += static_cast<std::size_t>(std::count(lf.begin(), lf.end(), true));

  std::string html = Dokumentanfang(titel, kWellenstil) +
                     Titelblock(titel, Titelzeilen(welle, ergebnis, quelle, smin, bilanz));
  // The verdict first, under the title block; then how it was reached.
  html += Zusammenfassung(welle, ergebnis, quelle, smin, bilanz, volle, alle_bis);
  html += std::string(Geltungsbereich()) + std::string(Verfahren()) + std::string(kWellenverfahren);
  html += Uebersicht(welle, ergebnis, quelle, smin, voll);
  html += "<h2>Freigabe</h2>\n" + Freigabe(titel);
  if (!sink(html)) return false;
  if (!sink(Wellenteil(welle, ergebnis, quelle))) return false;
  for (std::size_t f = 0; f < ergebnis.lastfaelle.size(); ++f) {
    if (!sink(Lastfallteil(welle, ergebnis, f, smin))) return false;
  }
  for (std::size_t i = 0; i < ergebnis.stellen.size(); ++i) {
    for (std::size_t f = 0; f < ergebnis.lastfaelle.size(); ++f) {
      if (voll[f][i] && !sink(Nachweisteil(welle, ergebnis, quelle, smin, i, f))) return false;
    }
  }
  return sink(Dokumentende());
}

}  // namespace wellen::report

#include "report/dokument.h"

#include <algorithm>

#include "report/html.h"

namespace wellen::report {
namespace {

// Print layout: A4 portrait; every case on a new page; no table row, result
// table or diagram cut by a page break. The margin boxes of @page are added
// by Dokumentanfang.
constexpr std::string_view kStil = R"(
@page { size: A4 portrait; margin: 19mm 14mm 16mm 14mm; }
html { font-family: "DejaVu Sans", "Liberation Sans", Arial, sans-serif; font-size: 9pt;
  color: #111; background: #fff; }
body { max-width: 190mm; margin: 0 auto; padding: 6mm 4mm; }
@media print { body { max-width: none; padding: 0; } }
h1 { font-size: 15pt; margin: 0 0 1mm; }
h2 { font-size: 12.5pt; margin: 5mm 0 1.5mm; }
h3 { font-size: 10pt; margin: 4mm 0 1.5mm; border-bottom: 1px solid #999; padding-bottom: 0.5mm;
  break-after: avoid; }
p { margin: 1mm 0; }
sub { font-size: 70%; line-height: 0; }
table { border-collapse: collapse; }
th, td { padding: 0.45mm 1.5mm; text-align: left; vertical-align: baseline; }
thead { display: table-header-group; }
tr, figure, .eingabe, .seite, .urteil, .auslegung, .geltung, .verfahren, .freigabe, .titelblock {
  break-inside: avoid; }
td.z, th.z { text-align: right; font-variant-numeric: tabular-nums; }
td.z { white-space: nowrap; }
.titelblock { width: 100%; border: 1.5px solid #333; margin: 2mm 0 3mm; }
.titelblock th, .titelblock td { border: 1px solid #999; padding: 1mm 2mm; }
.titelblock th { width: 28mm; font-weight: normal; color: #444; font-size: 8pt;
  vertical-align: top; }
.titelblock td { font-weight: bold; }
.titelblock td.leer { font-weight: normal; color: #777; }
.untertitel { color: #333; margin: 0 0 2mm; }
.liste { width: 100%; }
.liste th { border-bottom: 1.5px solid #333; font-weight: bold; }
.liste td { border-bottom: 1px solid #ddd; }
.geltung, .verfahren { border: 1px solid #999; background: #f4f4f4; padding: 1.5mm 3mm;
  margin: 3mm 0; }
.geltung p, .verfahren p { margin: 0.8mm 0; }
.ok { background: #d8eed8; }
.nicht { background: #f6d2cc; }
td.ok, td.nicht { font-weight: bold; }
td.ok, td.nicht, td.kerbfall { white-space: nowrap; }
td.name { min-width: 36mm; overflow-wrap: anywhere; }
.klein { font-size: 7.5pt; color: #444; font-weight: normal; }
.freigabe { width: 100%; margin: 5mm 0 2mm; table-layout: fixed; }
.freigabe th { font-weight: normal; color: #444; font-size: 8pt; padding: 0 2mm 0.5mm 0; }
.freigabe td { border: 1px solid #333; height: 15mm; vertical-align: bottom; font-size: 8pt;
  color: #444; }
section.fall { break-before: page; }
@media screen { section.fall { border-top: 2px solid #333; margin-top: 10mm; padding-top: 4mm; } }
section.fall h2 { margin: 0 0 0.5mm; }
.fallkopf p { margin: 0.3mm 0; }
.herkunft { color: #444; }
.urteil { border: 2px solid; padding: 1.2mm 3mm; margin: 2.5mm 0; font-size: 10pt; }
.urteil.ok { border-color: #2e7d32; }
.urteil.nicht { border-color: #b3261e; }
.urteil strong { font-size: 11pt; }
.auslegung { border: 1px solid #555; padding: 1.2mm 3mm; margin: 2.5mm 0; }
.sicherheit { width: auto; min-width: 120mm; }
.sicherheit tr.grund td { font-size: 8pt; color: #333; padding-bottom: 1mm; }
.werte { width: 100%; }
table.seiten { width: auto; min-width: 130mm; }
.seiten td:nth-child(1) { width: 16mm; }
.seiten td:nth-child(3), .seiten td:nth-child(5) { padding-left: 6mm; }
.seiten tr.seitenkopf th { text-align: left; padding: 2mm 0 0.5mm 1.5mm; border-bottom: 1px solid #bbb; }
.werte td { border-bottom: 1px solid #e4e4e4; }
.werte caption { text-align: left; font-weight: bold; padding: 0 0 0.5mm 1.5mm; }
.werte td.sym { white-space: nowrap; }
.werte td.einheit { white-space: nowrap; color: #333; }
.werte td.l { font-family: "DejaVu Sans Mono", "Liberation Mono", monospace; white-space: pre;
  font-size: 7pt; color: #666; }
.werte td.last { color: #333; font-size: 7.5pt; white-space: nowrap; }
.paare { display: grid; grid-template-columns: 1fr 1fr; gap: 2mm 5mm; align-items: start; }
.kerbe { display: grid; grid-template-columns: 72mm 1fr; gap: 2mm 5mm; align-items: start;
  margin-top: 3mm; }
.hinweise li { margin: 0.5mm 0; }
.diagramme { display: grid; grid-template-columns: 1fr 1fr; gap: 3mm 5mm; }
figure { margin: 0; }
figcaption { font-weight: bold; margin-bottom: 1mm; }
figure svg { display: block; width: 100%; height: auto; }
.leer p { border: 1px dashed #999; padding: 3mm; color: #333; }
)";

constexpr std::string_view kGeltung =
    "<div class=\"geltung\">\n"
    "<p><strong>Geltungsbereich.</strong> Das Verfahren gilt für Wellen und Achsen aus Stahl "
    "ohne Schweißnähte, bei Temperaturen von −40 °C bis 150 °C und in nicht korrosiver "
    "Umgebung. Es setzt voraus, dass die Lasten phasengleich wirken und kein dominierender "
    "Querkraftschub auftritt.</p>\n"
    "<p>Es ist ein Dauerfestigkeitsnachweis, kein Zeitfestigkeitsnachweis.</p>\n"
    "<p>Die Mindestsicherheit S<sub>min</sub> deckt nur die Unsicherheit des Verfahrens. Die "
    "Unsicherheit der Lasten und die Folgen eines Versagens muss der Ingenieur zusätzlich "
    "berücksichtigen.</p>\n</div>\n";

constexpr std::string_view kVerfahren =
    "<div class=\"verfahren\">\n"
    "<p><strong>Verfahren.</strong> Gerechnet wird mit Nennspannungen im Kerbquerschnitt "
    "(Durchmesser d): Mittelspannungen und Spannungsausschläge für Zug/Druck, Biegung und "
    "Torsion, gegeben oder aus den Schnittlasten berechnet (σ<sub>zd</sub> = F/A, "
    "σ<sub>b</sub> = M<sub>b</sub>/W<sub>b</sub>, τ<sub>t</sub> = T/W<sub>t</sub>, bei einer "
    "Bohrung d<sub>i</sub> am Hohlquerschnitt). Der technologische Größeneinflussfaktor "
    "K<sub>1</sub> folgt aus d<sub>eff</sub> und der Werkstoffgruppe und gilt für Zugfestigkeit "
    "und Streckgrenze gleichermaßen.</p>\n"
    "<p>Für jede Beanspruchungsart folgen aus der Kerbgeometrie die Formzahl α, das bezogene "
    "Spannungsgefälle G′, die Stützzahl n und die Kerbwirkungszahl β = α/n; mit dem "
    "geometrischen Größeneinflussfaktor K<sub>2</sub>, dem Rauheitsfaktor K<sub>F</sub> und dem "
    "Verfestigungsfaktor K<sub>V</sub> der Gesamteinflussfaktor K = (β/K<sub>2</sub> + "
    "1/K<sub>F</sub> − 1)/K<sub>V</sub>. Daraus die Bauteil-Wechselfestigkeit σ<sub>WK</sub> = "
    "K<sub>1</sub>·σ<sub>W</sub>/K, die Mittelspannungsempfindlichkeit ψ<sub>K</sub> = "
    "σ<sub>WK</sub>/(2·K<sub>1</sub>·σ<sub>B</sub> − σ<sub>WK</sub>) und die Bauteil-Fließgrenze "
    "σ<sub>FK</sub> = K<sub>2F</sub>·K<sub>1</sub>·γ<sub>F</sub>·σ<sub>S</sub> (bei Torsion "
    "geteilt durch √3).</p>\n"
    "<p>Die Mittelspannungen gehen als Vergleichsmittelspannungen σ<sub>mv</sub> und "
    "τ<sub>mv</sub> = σ<sub>mv</sub>/√3 ein. Fallprüfung: liegt die Vergleichsmittelspannung "
    "nicht über dem Schnittpunkt g = (σ<sub>FK</sub> − σ<sub>WK</sub>)/(1 − ψ<sub>K</sub>) von "
    "Dauerfestigkeits- und Fließgrenzlinie, ist die Bauteil-Ausschlagfestigkeit σ<sub>ADK</sub> "
    "= σ<sub>WK</sub> − ψ<sub>K</sub>·σ<sub>mv</sub>, sonst σ<sub>ADK</sub> = σ<sub>FK</sub> − "
    "σ<sub>mv</sub>. Die Sicherheit gegen Dauerbruch ist S<sub>D</sub> = 1/√((σ<sub>zda</sub>/"
    "σ<sub>zdADK</sub> + σ<sub>ba</sub>/σ<sub>bADK</sub>)² + (τ<sub>ta</sub>/τ<sub>tADK</sub>)²), "
    "die gegen Fließen S<sub>F</sub> ebenso mit den Höchstspannungen (Mittelspannung plus "
    "Ausschlag) und den Bauteil-Fließgrenzen.</p>\n"
    "<p>Eine Sicherheit ist <em>ungültig</em>, wenn sie auf einer Bauteil-Ausschlagfestigkeit oder "
    "Bauteil-Fließgrenze beruht, die nicht positiv oder nicht endlich ist, wenn eine Eingabe "
    "nicht endlich oder ein Ergebnis keine Zahl ist; der Nachweis ist dann nicht erfüllt. "
    "Alle Zahlen sind auf sechs geltende Ziffern gerundet.</p>\n</div>\n";

// A row of the title block; an empty value shows as a dash.
std::string Zeile(std::string_view name, std::string_view wert) {
  std::string html = "<tr><th>" + std::string(name) + "</th>";
  html += wert.empty() ? "<td class=\"leer\">–</td>" : "<td>" + Html(wert) + "</td>";
  return html + "</tr>\n";
}

// The number of characters (code points) of UTF-8 `text`.
std::size_t Zeichen(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// `text` cut after `zeichen` characters, with "…" in place of the rest.
std::string Gekuerzt(std::string_view text, std::size_t zeichen) {
  std::size_t gezaehlt = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool anfang = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    if (anfang && gezaehlt++ == zeichen) return std::string(text.substr(0, i)) + "…";
  }
  return std::string(text);
}

// Two parts of a running header joined by " · ", leaving out empty ones.
// A margin box holds one line: where the two are longer than `zeichen`
// characters, the longer part is cut so that both fit, each keeping at
// least half the line (the title block has them whole).
std::string Verbunden(std::string_view a, std::string_view b, std::size_t zeichen) {
  if (a.empty()) return Gekuerzt(b, zeichen);
  if (b.empty()) return Gekuerzt(a, zeichen);
  const std::size_t platz = zeichen - 3;  // " · "
  const std::size_t la = Zeichen(a);
  const std::size_t lb = Zeichen(b);
  const std::size_t haelfte = platz / 2;
  std::size_t ma = la;
  std::size_t mb = lb;
  if (la + lb > platz) {
    if (la <= haelfte) {
      mb = platz - la;
    } else if (lb <= haelfte) {
      ma = platz - lb;
    } else {
      ma = haelfte;
      mb = platz - haelfte;
    }
  }
  return Gekuerzt(a, ma) + " · " + Gekuerzt(b, mb);
}

// The program and its version: "wellen743-batch 1.0.0".
std::string Programm(const Titelangaben& t) {
  return t.version.empty() ? t.programm : t.programm + " " + t.version;
}

std::string Titel(const Titelangaben& t) {
  return t.titel.empty() ? std::string(kStandardtitel) : t.titel;
}

}  // namespace

std::string Dokumentanfang(const Titelangaben& t, std::string_view stil) {
  const std::string zeichnung = t.zeichnung.empty() ? "" : "Zeichnung " + t.zeichnung;
  const std::string bearbeiter = t.bearbeiter.empty() ? "" : "Bearbeiter: " + t.bearbeiter;
  const std::string programm = Programm(t);
  // A margin box of every printed page with its text.
  const auto box = [](std::string_view wo, std::string_view lage, const std::string& inhalt) {
    return "  @" + std::string(wo) + " { font-size: 7.5pt; color: #333; vertical-align: " +
           std::string(lage) + "; padding: 3mm 0; content: " + inhalt + "; }\n";
  };
  const auto text = [](const std::string& t) {
    std::string css(1, '"');
    css += CssText(t);
    return css + '"';
  };
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
      Html(Titel(t)) + "</title>\n<style>" + std::string(kStil) + std::string(stil);
  // The running header and footer of every printed page.
  html += "@page {\n" + box("top-left", "bottom", text(Verbunden(Titel(t), t.projekt, 80))) +
          box("top-right", "bottom", text(Verbunden(zeichnung, t.datum, 50))) +
          box("bottom-left", "top", text(Verbunden(bearbeiter, programm, 100))) +
          box("bottom-right", "top", "\"Seite \" counter(page) \" von \" counter(pages)") + "}\n";
  return html + "</style>\n</head>\n<body>\n";
}

std::string_view Dokumentende() { return "</body>\n</html>\n"; }

std::string Titelblock(const Titelangaben& t, std::string_view weitere_zeilen) {
  std::string html = "<header>\n<h1>" + Html(Titel(t)) + "</h1>\n";
  if (!t.titel.empty()) html += "<p class=\"untertitel\">" + std::string(kStandardtitel) + "</p>\n";
  html += "<table class=\"titelblock\">\n";
  html += Zeile("Projekt", t.projekt);
  html += Zeile("Zeichnung, Revision", t.zeichnung);
  html += Zeile("Bearbeiter", t.bearbeiter);
  html += Zeile("Datum", t.datum);
  html += Zeile("Programm", Programm(t));
  html += std::string(weitere_zeilen);
  return html + "</table>\n</header>\n";
}

std::string Freigabe(const Titelangaben& t) {
  return "<table class=\"freigabe\">\n<tr><th>Bearbeiter</th><th>Geprüft</th><th>Datum</th></tr>\n"
         "<tr><td>" +
         Html(t.bearbeiter) + "</td><td></td><td></td></tr>\n</table>\n";
}

std::string_view Geltungsbereich() { return kGeltung; }

std::string_view Verfahren() { return kVerfahren; }

std::string Titelzeile(std::string_view name, std::string_view wert) { return Zeile(name, wert); }

}  // namespace wellen::report

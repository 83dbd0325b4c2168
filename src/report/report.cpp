#include "report/report.h"

#include <cmath>
#include <optional>
#include <utility>

#include "report/haigh.h"
#include "calc/hinweise.h"
#include "calc/urteil.h"
#include "format/number.h"
#include "calc/page_table.h"

namespace wellen::report {
namespace {

using std::string_view_literals::operator""sv;

std::string Zahl(double value) { return std::string(Number(value).text()); }
std::string Zahl(int value) { return std::string(Number(value).text()); }
std::string Zahl(std::size_t value) {
  char text[24];
  const int length = std::snprintf(text, sizeof text, "%zu", value);
  return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// Print layout: A4 portrait; every case on a new page; no table row, result
// table or diagram cut by a page break.
constexpr std::string_view kStil = R"(
@page { size: A4 portrait; margin: 14mm 14mm 16mm 14mm; }
html { font-family: "DejaVu Sans", "Liberation Sans", Arial, sans-serif; font-size: 9.5pt;
  color: #111; background: #fff; }
body { max-width: 190mm; margin: 0 auto; padding: 6mm 4mm; }
@media print { body { max-width: none; padding: 0; } }
h1 { font-size: 16pt; margin: 0 0 1mm; }
h2 { font-size: 13pt; margin: 5mm 0 1mm; }
section.fall h2 { margin-top: 0; }
h3 { font-size: 10.5pt; margin: 5mm 0 1.5mm; border-bottom: 1px solid #999; padding-bottom: 0.5mm;
  break-after: avoid; }
p { margin: 1mm 0; }
table { border-collapse: collapse; }
th, td { padding: 0.5mm 1.8mm; text-align: left; vertical-align: baseline; }
thead { display: table-header-group; }
tr, figure, .seite, .eingabe, .urteil, .geltung { break-inside: avoid; }
td.z, th.z { text-align: right; font-variant-numeric: tabular-nums; }
td.z { white-space: nowrap; }
.liste { width: 100%; }
.liste th { border-bottom: 1.5px solid #333; font-weight: bold; }
.liste td { border-bottom: 1px solid #ddd; }
.kopf th { font-weight: normal; color: #444; padding-left: 0; }
.geltung { border: 1px solid #999; background: #f4f4f4; padding: 2mm 3mm; margin: 4mm 0; }
.geltung p { margin: 0.8mm 0; }
.ok { background: #d8eed8; }
.nicht { background: #f6d2cc; }
td.ok, td.nicht { font-weight: bold; }
td.ok, td.nicht, td.kerbfall { white-space: nowrap; }
td.name { min-width: 36mm; overflow-wrap: break-word; }
section.fall { break-before: page; }
@media screen { section.fall { border-top: 2px solid #333; margin-top: 10mm; padding-top: 4mm; } }
.herkunft { color: #444; }
.urteil { border: 2px solid; padding: 1.5mm 3mm; margin: 3mm 0; font-size: 11pt; }
.urteil.ok { border-color: #2e7d32; }
.urteil.nicht { border-color: #b3261e; }
.urteil strong { font-size: 12pt; }
.sicherheit td, .sicherheit th { border-bottom: 1px solid #ddd; }
.gruppen { display: grid; grid-template-columns: repeat(3, 1fr); gap: 2mm 4mm;
  align-items: start; }
.gruppen.lasten { grid-template-columns: 1.5fr 1fr 1fr; }
.gruppen table { width: 100%; }
.seiten { display: grid; grid-template-columns: repeat(3, max-content); gap: 2mm 7mm;
  align-items: start; }
caption { text-align: left; font-weight: bold; padding: 0 0 0.5mm 1.8mm; }
.eingabe td, .seite td { border-bottom: 1px solid #e4e4e4; }
.eingabe td:first-child { white-space: nowrap; }
.l { font-family: "DejaVu Sans Mono", "Liberation Mono", monospace; white-space: pre; }
.last { color: #333; font-size: 8.5pt; white-space: nowrap; }
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
    "<p>Die Mindestsicherheit S_min deckt nur die Unsicherheit des Verfahrens. Die Unsicherheit "
    "der Lasten und die Folgen eines Versagens muss der Ingenieur zusätzlich berücksichtigen."
    "</p>\n</div>\n";

std::string_view KerbfallName(int kerbfall) {
  switch (kerbfall) {
    case kRundnut: return "Rundnut";
    case kAbsatz: return "Absatz";
    default: return "";
  }
}

std::string_view K1FallName(int k1fall) {
  switch (k1fall) {
    case 1: return "Nitrier/Baustahl";
    case 2: return "Baustahl";
    case 3: return "Verguet./CrNiMo-Stahl";
    case 4: return "andere Einsatzstaehle";
    default: return "";
  }
}

std::string DateiName(std::string_view datei) {
  return datei == "-" ? std::string("Standardeingabe") : Html(datei);
}

// A page label as the cell shows it: without the line break in front.
std::string_view Etikett(std::string_view label) {
  while (!label.empty() && label.front() == '\n') label.remove_prefix(1);
  return label;
}

// The two safety factors under their names.
struct Benannt {
  std::string_view name;
  const Faktorurteil& f;
};

// The verdict sentence, without markup around it.
std::string UrteilSatz(const Urteil& u, double smin) {
  const Benannt faktoren[] = {{"S Dauerbruch", u.dauerbruch}, {"S Fließgrenze", u.fliessgrenze}};
  const std::string s_min = "S_min = " + Zahl(smin);
  if (u.erfuellt) {
    return "<strong>Nachweis erfüllt</strong>: S Dauerbruch = " + Zahl(u.dauerbruch.wert) +
           " und S Fließgrenze = " + Zahl(u.fliessgrenze.wert) + " erreichen " + s_min + ".";
  }
  std::vector<std::string> teile;
  const bool ungueltig[] = {u.dauerbruch.bewertung == Bewertung::kUngueltig,
                            u.fliessgrenze.bewertung == Bewertung::kUngueltig};
  if (ungueltig[0] && ungueltig[1] && u.dauerbruch.grund == u.fliessgrenze.grund) {
    teile.push_back("S Dauerbruch = " + Zahl(u.dauerbruch.wert) + " und S Fließgrenze = " +
                    Zahl(u.fliessgrenze.wert) + " sind ungültig: " + Html(u.dauerbruch.grund));
  } else {
    for (const Benannt& b : faktoren) {
      if (b.f.bewertung == Bewertung::kUngueltig) {
        teile.push_back(std::string(b.name) + " = " + Zahl(b.f.wert) + " ist ungültig: " +
                        Html(b.f.grund));
      }
    }
  }
  std::string kurz;
  int kurze = 0;
  for (const Benannt& b : faktoren) {
    if (b.f.bewertung != Bewertung::kReichtNicht) continue;
    kurz += (kurze++ == 0 ? "" : " und ") + std::string(b.name) + " = " + Zahl(b.f.wert);
  }
  if (kurze > 0) teile.push_back(kurz + (kurze == 1 ? " erreicht " : " erreichen ") + s_min + " nicht");
  std::string text = "<strong>Nachweis nicht erfüllt</strong>: ";
  for (std::size_t i = 0; i < teile.size(); ++i) text += (i == 0 ? "" : "; ") + teile[i];
  return text + ".";
}

// One row of the input tables: a label as the display of the current values
// shows it, the value and its unit, and the load the value was made from.
struct EingabeZeile {
  std::string_view label;
  double Eingabewerte::*feld;
  std::string_view einheit;
  std::optional<double> Schnittlasten::*last = nullptr;
  std::string_view last_name = {};
  std::string_view last_einheit = {};
};

constexpr std::string_view kSpannung = "N/mm²";

const EingabeZeile kGruppe1[] = {
    {"Sigzdm", &Eingabewerte::Sigzdm, kSpannung, &Schnittlasten::Fm, "Fm", "N"},
    {"Sigbm", &Eingabewerte::Sigbm, kSpannung, &Schnittlasten::Mbm, "Mbm", "N m"},
    {"Tautm", &Eingabewerte::Tautm, kSpannung, &Schnittlasten::Tm, "Tm", "N m"},
    {"Sigzda", &Eingabewerte::Sigzda, kSpannung, &Schnittlasten::Fa, "Fa", "N"},
    {"Sigba", &Eingabewerte::Sigba, kSpannung, &Schnittlasten::Mba, "Mba", "N m"},
    {"Tauta", &Eingabewerte::Tauta, kSpannung, &Schnittlasten::Ta, "Ta", "N m"},
    {"SigB", &Eingabewerte::SigB, kSpannung},
    {"SigS", &Eingabewerte::SigS, kSpannung},
};

const EingabeZeile kGruppe2[] = {
    {"SigzdW", &Eingabewerte::SigzdW, kSpannung}, {"SigbW", &Eingabewerte::SigbW, kSpannung},
    {"TautW", &Eingabewerte::TautW, kSpannung},   {"Durchm. D", &Eingabewerte::D, "mm"},
    {"Durchm. d", &Eingabewerte::d, "mm"},        {"Radius r", &Eingabewerte::r, "mm"},
    {"Tiefe t", &Eingabewerte::t, "mm"},          {"Rauheit Rz", &Eingabewerte::Rz, "µm"},
};

std::string Zeile(std::string_view label, std::string_view wert, std::string_view einheit,
                  std::string_view rest = {}) {
  return "<tr><td>" + std::string(label) + "</td><td class=\"z\">" + std::string(wert) +
         "</td><td>" + std::string(einheit) + "</td>" + std::string(rest) + "</tr>\n";
}

std::string Eingaben(const Fall& fall) {
  const Eingabewerte& e = fall.e;
  const Schnittlasten& l = fall.lasten;
  const bool lasten = l.AnyLoad();
  std::string html =
      "<h3>Eingabe</h3>\n<div class=\"gruppen" + std::string(lasten ? " lasten" : "") + "\">\n";
  html += "<table class=\"eingabe\"><caption>Werte 1: Spannungen, Festigkeit</caption>\n";
  for (const EingabeZeile& z : kGruppe1) {
    std::string rest;
    if (lasten) {
      rest = "<td class=\"last\">";
      if (z.last != nullptr && (l.*z.last).has_value()) {
        rest += "aus " + std::string(z.last_name) + " = " + Zahl(*(l.*z.last)) + " " +
                std::string(z.last_einheit);
      }
      rest += "</td>";
    }
    html += Zeile(z.label, Zahl(e.*z.feld), z.einheit, rest);
  }
  html += "</table>\n";

  html += "<table class=\"eingabe\"><caption>Werte 2: Dauerfestigkeit, Abmessungen</caption>\n";
  for (const EingabeZeile& z : kGruppe2) {
    html += Zeile(z.label, Zahl(e.*z.feld), z.einheit);
    if (z.feld == &Eingabewerte::d && l.di.has_value()) {
      html += Zeile("Bohrung di", Zahl(*l.di), "mm");
    }
  }
  html += "</table>\n";

  html += "<table class=\"eingabe\"><caption>Werte 3: weitere Angaben</caption>\n";
  html += Zeile("Kerbfall", Zahl(e.Kerbfall), KerbfallName(e.Kerbfall));
  html += Zeile("K1-Fall", Zahl(e.K1Fall), K1FallName(e.K1Fall));
  html += Zeile("Durch.deff", Zahl(e.deff), "mm");
  html += std::string("<tr><td colspan=\"3\">") +
          (e.harteRandschicht != 0 ? "harte Randschicht" : "keine harte Randschicht") +
          "</td></tr>\n";
  html += std::string("<tr><td colspan=\"3\">") + (e.Hohlwelle != 0 ? "Hohlwelle" : "Vollwelle") +
          "</td></tr>\n";
  html += Zeile("KV", Zahl(e.KV), "");
  html += "</table>\n</div>\n";
  return html;
}

std::string Seiten(const Nachweis& n) {
  std::string html = "<h3>Ergebnisse</h3>\n<div class=\"seiten\">\n";
  for (int page = 1; page <= kPageCount; ++page) {
    html += "<table class=\"seite\"><caption>Ergebnisse " + Zahl(page) + " v.6</caption>\n";
    for (const PageLine& line : PageLines(page)) {
      const double wert = line.value(n);
      std::string text;
      if (line.condition) {
        text = std::string(wert != 0 ? kErfuellt : kNichtErfuellt);
      } else {
        text = Zahl(wert);
      }
      html += "<tr><td class=\"l\">" + Html(Etikett(line.label)) + "</td><td class=\"z\">" + text +
              "</td></tr>\n";
    }
    html += "</table>\n";
  }
  return html + "</div>\n";
}

std::string Sicherheiten(const Fall& fall, double smin, std::size_t hinweise) {
  const Urteil u = Beurteile(fall.e, fall.n, smin);
  std::string html = "<div class=\"urteil " + std::string(u.erfuellt ? "ok" : "nicht") + "\">" +
                     UrteilSatz(u, smin);
  if (hinweise > 0) {
    html += "<br>Bitte " + std::string(hinweise == 1 ? "den Hinweis" : "die Hinweise") +
            " unten beachten (" + Zahl(hinweise) + ").";
  }
  html += "</div>\n";
  html +=
      "<table class=\"sicherheit\"><thead><tr><th>Sicherheit</th><th class=\"z\">Wert</th>"
      "<th class=\"z\">S_min</th><th>Bewertung</th></tr></thead>\n";
  for (const auto& [name, f] : {std::pair<std::string_view, const Faktorurteil*>{"S Dauerbruch", &u.dauerbruch},
                                std::pair<std::string_view, const Faktorurteil*>{"S Fließgrenze", &u.fliessgrenze}}) {
    const bool reicht = f->bewertung == Bewertung::kReicht;
    html += "<tr><td>" + std::string(name) + "</td><td class=\"z\">" + Zahl(f->wert) +
            "</td><td class=\"z\">" + Zahl(smin) + "</td><td class=\"" +
            (reicht ? "ok" : "nicht") + "\">" + std::string(BewertungText(f->bewertung));
    if (!f->grund.empty()) html += ": " + Html(f->grund);
    html += "</td></tr>\n";
  }
  return html + "</table>\n";
}

std::string HinweisListe(const std::vector<std::string>& hinweise) {
  std::string html = "<h3>Hinweise</h3>\n";
  if (hinweise.empty()) return html + "<p>Keine Hinweise.</p>\n";
  html += "<ul class=\"hinweise\">\n";
  for (const std::string& h : hinweise) html += "<li>" + Html(h) + "</li>\n";
  return html + "</ul>\n";
}

std::string Diagramme(const Fall& fall) {
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

std::string Anker(std::size_t nummer) { return "fall-" + Zahl(nummer); }

}  // namespace

std::string Html(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  constexpr std::string_view kErsatz = "\xEF\xBF\xBD";  // U+FFFD
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        case '\t':
        case '\n': out += static_cast<char>(c); break;
        default: out += (c < 0x20 || c == 0x7F) ? kErsatz : std::string_view(&text[i], 1);
      }
      ++i;
      continue;
    }
    // A multi-byte sequence: its length from the lead byte, then the
    // continuation bytes; overlong forms, surrogates and values above
    // U+10FFFF do not count as UTF-8.
    std::size_t laenge = 0;
    unsigned wert = 0;
    if (c >= 0xC2 && c <= 0xDF) {
      laenge = 2;
      wert = c & 0x1Fu;
    } else if (c >= 0xE0 && c <= 0xEF) {
      laenge = 3;
      wert = c & 0x0Fu;
    } else if (c >= 0xF0 && c <= 0xF4) {
      laenge = 4;
      wert = c & 0x07u;
    }
    bool gut = laenge != 0 && i + laenge <= text.size();
    for (std::size_t k = 1; gut && k < laenge; ++k) {
      const auto f = static_cast<unsigned char>(text[i + k]);
      gut = (f & 0xC0u) == 0x80u;
      wert = (wert << 6) | (f & 0x3Fu);
    }
    if (gut) {
      gut = !(laenge == 3 && (wert < 0x800 || (wert >= 0xD800 && wert <= 0xDFFF))) &&
            !(laenge == 4 && (wert < 0x10000 || wert > 0x10FFFF));
    }
    if (gut) {
      // A C1 control character is well-formed but has no place in a page.
      out += wert < 0xA0 ? kErsatz : text.substr(i, laenge);
      i += laenge;
    } else {
      out += kErsatz;
      ++i;
    }
  }
  return out;
}

Report::Spool::Spool() : datei_(std::tmpfile()) {}

Report::Spool::~Spool() {
  if (datei_ != nullptr) static_cast<void>(std::fclose(datei_));
}

void Report::Spool::Append(std::string_view text) {
  if (datei_ == nullptr) {
    speicher_ += text;
  } else if (std::fwrite(text.data(), 1, text.size(), datei_) != text.size()) {
    fehler_ = true;
  }
}

bool Report::Spool::Replay(const Sink& sink) {
  if (datei_ == nullptr) return sink(speicher_);
  if (fehler_ || std::fflush(datei_) != 0 || std::fseek(datei_, 0, SEEK_SET) != 0) return false;
  char puffer[1 << 16];
  bool gut = true;
  while (gut) {
    const std::size_t n = std::fread(puffer, 1, sizeof puffer, datei_);
    if (n > 0) gut = sink(std::string_view(puffer, n));
    if (n < sizeof puffer) break;
  }
  gut = gut && std::ferror(datei_) == 0;
  // Later rows go on at the end.
  return std::fseek(datei_, 0, SEEK_END) == 0 && gut;
}

Report::Report(std::vector<std::string> dateien, double smin, std::string version,
               std::size_t volle_abschnitte)
    : dateien_(std::move(dateien)),
      smin_(smin),
      version_(std::move(version)),
      volle_abschnitte_(volle_abschnitte) {}

Report::~Report() = default;

void Report::Add(const Fall& fall) { Add(fall, Hinweise(fall.e, fall.n, fall.lasten)); }

void Report::Add(const Fall& fall, const std::vector<std::string>& hinweise) {
  ++faelle_;
  const bool ok = NachweisErfuellt(fall.e, fall.n, smin_);
  if (ok) ++erfuellt_;
  const bool voll = faelle_ <= volle_abschnitte_;
  if (voll) volle_.emplace_back(fall, hinweise);

  std::string html = "<tr><td class=\"z\">";
  html += voll ? "<a href=\"#" + Anker(faelle_) + "\">" + Zahl(faelle_) + "</a>" : Zahl(faelle_);
  html += "</td>";
  if (dateien_.size() > 1) html += "<td>" + DateiName(fall.datei) + "</td>";
  html += "<td class=\"z\">" + Zahl(fall.zeile) + "</td><td class=\"name\">" + Html(fall.name) +
          "</td><td class=\"kerbfall\">" + Zahl(fall.e.Kerbfall) + " " +
          std::string(KerbfallName(fall.e.Kerbfall)) + "</td><td class=\"z\">" + Zahl(fall.e.d) +
          "</td><td class=\"z\">" + Zahl(fall.n.SDauerbruch) + "</td><td class=\"z\">" +
          Zahl(fall.n.SFliessgrenze) + "</td><td class=\"" +
          (ok ? "ok\">erfüllt" : "nicht\">nicht erfüllt") + "</td><td class=\"z\">" +
          Zahl(hinweise.size()) + "</td></tr>\n";
  zusammenfassung_.Append(html);
}

void Report::Refuse(std::string_view datei, std::size_t zeile, std::string_view meldung) {
  ++abgewiesen_;
  abweisungen_.Append("<tr><td>" + DateiName(datei) + "</td><td class=\"z\">" + Zahl(zeile) +
                      "</td><td>" + Html(meldung) + "</td></tr>\n");
}

bool Report::Write(const Sink& sink) {
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<title>Festigkeitsnachweis nach DIN 743</title>\n<style>" +
      std::string(kStil) + "</style>\n</head>\n<body>\n";
  html += "<header>\n<h1>Festigkeitsnachweis für Wellen und Achsen nach DIN 743</h1>\n";
  html += "<table class=\"kopf\">\n<tr><th>Eingabedateien</th><td>";
  for (std::size_t i = 0; i < dateien_.size(); ++i) {
    if (i > 0) html += ", ";
    html += DateiName(dateien_[i]);
  }
  html += "</td></tr>\n<tr><th>Fälle</th><td>" + Zahl(faelle_) + " berechnet, davon " +
          Zahl(erfuellt_) + " erfüllt und " + Zahl(faelle_ - erfuellt_) + " nicht erfüllt; " +
          Zahl(abgewiesen_) + (abgewiesen_ == 1 ? " Zeile" : " Zeilen") + " abgewiesen</td></tr>\n";
  html += "<tr><th>Mindestsicherheit</th><td>S_min = " + Zahl(smin_) + "</td></tr>\n";
  html += "<tr><th>Programm</th><td>wellen743-batch " + Html(version_) + "</td></tr>\n</table>\n";
  html += std::string(kGeltung) + "</header>\n";

  html += "<h2>Übersicht</h2>\n";
  if (faelle_ > volle_abschnitte_) {
    html += "<p>Die Übersicht nennt alle " + Zahl(faelle_) +
            " Fälle; ausführlich dargestellt sind nur die ersten " + Zahl(volle_abschnitte_) +
            ".</p>\n";
  }
  html += "<table class=\"liste\">\n<thead><tr><th class=\"z\">Fall</th>";
  if (dateien_.size() > 1) html += "<th>Datei</th>";
  html +=
      "<th class=\"z\">Zeile</th><th>Name</th><th>Kerbfall</th><th class=\"z\">d</th>"
      "<th class=\"z\">S Dauerbruch</th><th class=\"z\">S Fliessgrenze</th><th>Nachweis</th>"
      "<th class=\"z\">Hinweise</th></tr></thead>\n<tbody>\n";
  if (!sink(html)) return false;
  if (faelle_ == 0) {
    const std::size_t spalten = dateien_.size() > 1 ? 10 : 9;
    if (!sink("<tr><td colspan=\"" + Zahl(spalten) + "\">Kein Fall berechnet.</td></tr>\n")) {
      return false;
    }
  }
  if (!zusammenfassung_.Replay(sink)) return false;
  if (!sink("</tbody>\n</table>\n<h2>Abgewiesene Zeilen</h2>\n")) return false;
  if (abgewiesen_ == 0) {
    if (!sink("<p>Keine Zeile abgewiesen.</p>\n")) return false;
  } else {
    if (!sink("<table class=\"liste\">\n<thead><tr><th>Datei</th><th class=\"z\">Zeile</th>"
              "<th>Meldung</th></tr></thead>\n<tbody>\n") ||
        !abweisungen_.Replay(sink) || !sink("</tbody>\n</table>\n")) {
      return false;
    }
  }

  for (std::size_t i = 0; i < volle_.size(); ++i) {
    const auto& [fall, hinweise] = volle_[i];
    const std::size_t nummer = i + 1;
    html = "<section class=\"fall\" id=\"" + Anker(nummer) + "\">\n<h2>Fall " + Zahl(nummer);
    if (!fall.name.empty()) html += ": " + Html(fall.name);
    html += "</h2>\n<p class=\"herkunft\">" + DateiName(fall.datei) + ", Zeile " +
            Zahl(fall.zeile) + "</p>\n";
    html += Sicherheiten(fall, smin_, hinweise.size());
    html += Eingaben(fall);
    html += Seiten(fall.n);
    html += HinweisListe(hinweise);
    html += Diagramme(fall);
    html += "</section>\n";
    if (!sink(html)) return false;
  }
  return sink("</body>\n</html>\n");
}

bool Report::Write(std::FILE* out) {
  const bool gut = Write([out](std::string_view text) {
    return std::fwrite(text.data(), 1, text.size(), out) == text.size();
  });
  return std::fflush(out) == 0 && gut;
}

}  // namespace wellen::report

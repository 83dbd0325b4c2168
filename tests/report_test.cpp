// The HTML report as text: numbers in German style, escaping for HTML and
// CSS, a name and unit for every value, the title data, the notch sketch,
// the verdict, the summary beyond the cases shown in full, and the same
// bytes for the same calls. Its structure (tidy, xmllint) and print layout
// (a browser) are tested by scripts.
#include "report/report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cctype>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "calc/hinweise.h"
#include "calc/page_table.h"
#include "report/dokument.h"
#include "report/groessen.h"
#include "report/skizze.h"
#include "report/zahl.h"

namespace wellen::report {
namespace {

TEST(Report, NumbersInGermanStyle) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<std::pair<double, std::string>> zahlen = {
      {131.683, "131,683"}, {200, "200"},         {-93.0998, "-93,0998"}, {0.0001, "0,0001"},
      {1e6, "1e+06"},       {1.5e6, "1,5e+06"},   {1.24088e-5, "1,24088e-05"},
      {inf, "inf"},         {-inf, "-inf"},       {std::nan(""), "nan"}};
  for (const auto& [wert, text] : zahlen) EXPECT_EQ(Zahl(wert), text) << text;
  // In the texts of the calculation only points between digits change.
  const std::vector<std::pair<std::string, std::string>> texte = {
      {"t = 4.94 weicht um mehr als 1 % von (D - d)/2 = 5 ab",
       "t = 4,94 weicht um mehr als 1 % von (D - d)/2 = 5 ab"},
      {"Ergebnis nicht endlich: Bed.Zug, as  Zug", "Ergebnis nicht endlich: Bed.Zug, as  Zug"},
      {"SigzdADK = -1.5e+06 nicht positiv", "SigzdADK = -1,5e+06 nicht positiv"},
      {"1. 2 .3 4.", "1. 2 .3 4."},
  };
  for (const auto& [text, erwartet] : texte) EXPECT_EQ(MitKomma(text), erwartet);
}

TEST(Report, CssTextCannotLeaveItsString) {
  const std::vector<std::pair<std::string, std::string>> tabelle = {
      {"Welle 1 · Größe", "Welle 1 · Größe"},
      {"a\"b", "a\\22 b"},
      {"</style><script>", "\\3C /style\\3E \\3C script\\3E "},
      {"c:\\d", "c:\\5C d"},
      {"a\nb\tc", "a b c"},
      {"\x1b[0m\xff", "\xEF\xBF\xBD[0m\xEF\xBF\xBD"},
  };
  for (const auto& [text, erwartet] : tabelle) EXPECT_EQ(CssText(text), erwartet) << text;
}

// Every value of the pages and every input has a symbol, a name and the
// unit of its kind: stresses and strengths in N/mm², G' in 1/mm, lengths in
// mm, Rz in µm, the rest without.
TEST(Report, EveryValueHasSymbolNameAndUnit) {
  const auto einheit = [](std::string_view name) -> std::string_view {
    if (name.rfind("Sig", 0) == 0 || name.rfind("Tau", 0) == 0) return "N/mm²";
    if (name.rfind("Gs_", 0) == 0) return "1/mm";
    if (name == "D" || name == "d" || name == "deff" || name == "r" || name == "t") return "mm";
    if (name == "Rz") return "µm";
    return "";
  };
  int seitenwerte = 0;
  for (int page = 1; page <= kPageCount; ++page) {
    for (const PageLine& line : PageLines(page)) {
      const Groesse* g = SeitenGroesse(line.column);
      ASSERT_NE(g, nullptr) << line.column;
      EXPECT_FALSE(g->symbol.empty()) << line.column;
      EXPECT_FALSE(g->name.empty()) << line.column;
      EXPECT_EQ(g->einheit, einheit(line.column)) << line.column;
      ++seitenwerte;
    }
  }
  EXPECT_EQ(seitenwerte, 47);
  for (const Eingabefeld& feld : Eingabefelder()) {
    const Groesse* g = EingabeGroesse(feld.name);
    ASSERT_NE(g, nullptr) << feld.name;
    EXPECT_FALSE(g->name.empty()) << feld.name;
    EXPECT_EQ(g->symbol.empty(), feld.choice != nullptr) << feld.name;
    EXPECT_EQ(g->einheit, einheit(feld.name)) << feld.name;
  }
  EXPECT_EQ(SeitenGroesse("Sigzdm"), nullptr);
  EXPECT_EQ(EingabeGroesse("S_Dauerbruch"), nullptr);
}

TEST(Report, HtmlEscapesAndRepairsText) {
  const std::vector<std::pair<std::string, std::string>> tabelle = {
      {"Welle 1", "Welle 1"},
      {"<b>&\"'", "&lt;b&gt;&amp;&quot;&#39;"},
      {"Größe µm €", "Größe µm €"},
      {"a\tb\nc", "a\tb\nc"},
      {std::string("a\0b", 3),
       "a\xEF\xBF\xBD"
       "b"},  // control character
      {"\x1b[31m", "\xEF\xBF\xBD[31m"},
      {"\xff", "\xEF\xBF\xBD"},                                                    // not UTF-8
      {"\xC3", "\xEF\xBF\xBD"},                                                    // cut short
      {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},                                    // overlong
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},                    // surrogate
      {"\xF4\x90\x80\x80x", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDx"},  // > U+10FFFF
      {"\xC2\x85", "\xEF\xBF\xBD"},                                                // C1 control
      {"\xF0\x9F\x94\xA9", "\xF0\x9F\x94\xA9"},  // outside the BMP
  };
  for (std::size_t i = 0; i < tabelle.size(); ++i) {
    EXPECT_EQ(Html(tabelle[i].first), tabelle[i].second) << "row " << i;
  }
}

// The title data of a report without any given on the command line.
Titelangaben Batch() {
  Titelangaben t;
  t.programm = "wellen743-batch";
  t.version = "1.0.0";
  return t;
}

Fall Berechnet(std::size_t zeile, std::string name, const Eingabewerte& e) {
  Fall fall;
  fall.datei = "f<1>.csv";
  fall.zeile = zeile;
  fall.name = std::move(name);
  fall.e = e;
  fall.n = Calculate(e);
  return fall;
}

std::string Text(Report& report) {
  std::string html;
  EXPECT_TRUE(report.Write([&](std::string_view teil) {
    html += teil;
    return true;
  }));
  return html;
}

std::size_t Anzahl(const std::string& text, const std::string& muster) {
  std::size_t n = 0;
  for (auto pos = text.find(muster); pos != std::string::npos; pos = text.find(muster, pos + 1)) {
    ++n;
  }
  return n;
}

TEST(Report, SummaryListsEveryCaseSectionsOnlyTheFirst) {
  Report report({"f<1>.csv", "-"}, 1.2, Batch(), 2);
  Eingabewerte hoch = DefaultEingabewerte();
  hoch.Sigzdm = 600;
  report.Add(Berechnet(2, "<script>alert(1)</script>", DefaultEingabewerte()));
  report.Refuse("-", 7, "Spalte \"d\": <leer>");
  report.Add(Berechnet(3, "hoch", hoch));
  report.Add(Berechnet(4, "dritter", DefaultEingabewerte()));
  const std::string html = Text(report);

  // User text only escaped.
  EXPECT_EQ(html.find("<script>"), std::string::npos);
  EXPECT_NE(html.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
  EXPECT_NE(html.find("f&lt;1&gt;.csv, Standardeingabe"), std::string::npos);
  EXPECT_NE(html.find("<td>Standardeingabe</td><td class=\"z\">7</td><td>Spalte &quot;d&quot;: "
                      "&lt;leer&gt;</td>"),
            std::string::npos);
  // Three summary rows, links and sections for the first two only.
  EXPECT_NE(html.find("nur die ersten 2."), std::string::npos);
  EXPECT_NE(html.find("<a href=\"#fall-2\">2</a>"), std::string::npos);
  EXPECT_EQ(html.find("#fall-3"), std::string::npos);
  EXPECT_NE(html.find("<td class=\"name\">dritter</td>"), std::string::npos);
  EXPECT_EQ(Anzahl(html, "<section class=\"fall\""), 2U);
  EXPECT_EQ(Anzahl(html, "<svg"), 8U);  // three diagrams and a sketch per section
  EXPECT_NE(html.find("3 berechnet, davon 2 erfüllt und 1 nicht erfüllt; 1 Zeile abgewiesen"),
            std::string::npos);
  // The verdict names the factors that fall short, in words and by class.
  EXPECT_NE(html.find("<div class=\"urteil nicht\"><strong>Nachweis nicht erfüllt</strong>: "
                      "S Dauerbruch = 0,352079 ist ungültig: SigzdADK = -93,0998 nicht positiv; "
                      "S Fließgrenze = 0,845912 erreicht S<sub>min</sub> = 1,2 nicht.<br>"
                      "Bitte den Hinweis unten beachten (1).</div>"),
            std::string::npos);
  EXPECT_NE(html.find("<div class=\"urteil ok\"><strong>Nachweis erfüllt</strong>: "
                      "S Dauerbruch = 1,24088 und S Fließgrenze = 1,39679 erreichen "
                      "S<sub>min</sub> = 1,2.</div>"),
            std::string::npos);
  // Each factor rated, an invalid one with its reason.
  EXPECT_NE(html.find("<td class=\"nicht\">ungültig</td><td class=\"l\">S Dauerbruch</td></tr>\n"
                      "<tr class=\"grund\"><td></td><td colspan=\"5\">ungültig, weil: "
                      "SigzdADK = -93,0998 nicht positiv</td></tr>"),
            std::string::npos);
  // The page values under symbol, name and unit, the program's label last.
  EXPECT_NE(html.find("<tr><td class=\"sym\">S<sub>D</sub></td><td>Sicherheit gegen Dauerbruch"
                      "</td><td class=\"z\">0,352079</td><td class=\"einheit\"></td>"
                      "<td class=\"l\">S Dauerbruch</td></tr>"),
            std::string::npos);
  EXPECT_NE(html.find("<td class=\"sym\">σ<sub>zdADK</sub></td><td>Bauteil-Ausschlagfestigkeit"
                      "</td><td class=\"z\">-93,0998</td><td class=\"einheit\">N/mm²</td>"
                      "<td class=\"l\">SigzdADK</td>"),
            std::string::npos);
  EXPECT_NE(html.find("<td class=\"z\">nicht erfüllt</td><td class=\"einheit\"></td>"
                      "<td class=\"l\">Bed.Zug</td>"),
            std::string::npos);

  // Writing again gives the same bytes: the spool is read back from the start.
  EXPECT_EQ(Text(report), html);
}

// What design mode found stands beside the verdict, in the summary and in
// the case's section: the solved value with the factors there, or that none
// is reachable and the factors of the closest, or that nothing was sized.
TEST(Report, SolvedValuesBesideTheVerdict) {
  Report report({"a.csv"}, 1.2, Batch());
  Eingabewerte hoch = DefaultEingabewerte();
  hoch.Sigzdm = 600;
  const Fall gut = Berechnet(2, "gut", DefaultEingabewerte());
  const Fall schlecht = Berechnet(3, "hoch", hoch);
  Schnittlasten lasten;
  lasten.Mba = 450;
  lasten.Tm = 300;
  const struct {
    const Fall& fall;
    Loesung loesung;
    std::vector<std::string> texte;
  } faelle[] = {
      {gut, {'r', KleinsterRadius(gut.e, 1.2)}, {"r<sub>erf</sub> = 2,6 mm"}},
      {schlecht,
       {'r', KleinsterRadius(schlecht.e, 1.2)},
       {"nicht erreichbar", "nicht erreichbar bis r = 5 mm; am nächsten kommt r = "}},
      {gut,
       {'d', KleinsterDurchmesser(gut.e, lasten, 1.2)},
       {"d<sub>erf</sub> = ", "(k = ", "; dort S Dauerbruch = "}},
      {gut, {'d', std::nullopt}, {"keine Auslegung", "keine Auslegung von d: nur Spannungen"}},
  };
  for (const auto& f : faelle) report.Add(f.fall, {}, &f.loesung);
  report.Add(gut, {});  // without: nothing of it
  const std::string html = Text(report);
  for (const auto& f : faelle) {
    for (const std::string& text : f.texte) {
      EXPECT_NE(html.find(text), std::string::npos) << text;
    }
  }
  const Auslegung& r = *faelle[0].loesung.auslegung;
  EXPECT_NE(html.find("erfüllt<br><span class=\"klein\">r<sub>erf</sub> = 2,6 mm</span></td>"),
            std::string::npos);
  EXPECT_NE(html.find("r<sub>erf</sub> = 2,6 mm; dort S Dauerbruch = " + Zahl(r.SDauerbruch) +
                      ", S Fließgrenze = " + Zahl(r.SFliessgrenze) + ".</div>"),
            std::string::npos);
  EXPECT_EQ(Anzahl(html, "<div class=\"auslegung\">"), 4U);
}

TEST(Report, OneFactorShortAndNotANumber) {
  Report report({"a.csv"}, 1.3, Batch());
  report.Add(Berechnet(2, "", DefaultEingabewerte()));  // 1.24088 < 1.3 <= 1.39679
  Eingabewerte kaputt = DefaultEingabewerte();
  kaputt.Sigzda = std::nan("");
  report.Add(Berechnet(3, "", kaputt));
  const std::string html = Text(report);
  EXPECT_NE(html.find("S Dauerbruch = 1,24088 erreicht S<sub>min</sub> = 1,3 nicht."),
            std::string::npos);
  EXPECT_NE(html.find("S Dauerbruch = nan und S Fließgrenze = nan sind ungültig: Eingabe nicht "
                      "endlich: Sigzda."),
            std::string::npos);
  EXPECT_NE(html.find("<h2>Fall 2</h2>"), std::string::npos);  // no name, no colon
  EXPECT_NE(html.find("Kein Diagramm: "), std::string::npos);
  EXPECT_NE(html.find("Keine Zeile abgewiesen."), std::string::npos);
}

// The notes are the calculation's plain text: escaped like any other, so
// that "Rz < 1" cannot open a tag (which tidy would not notice).
TEST(Report, NotesAreEscaped) {
  Report report({"a.csv"}, 1.2, Batch());
  Eingabewerte glatt = DefaultEingabewerte();
  glatt.Rz = 0.5;
  report.Add(Berechnet(2, "", glatt));
  const std::string html = Text(report);
  EXPECT_NE(html.find("<li>Rz &lt; 1 µm: Rauheitsfaktor über 1</li>"), std::string::npos);
  EXPECT_EQ(html.find("Rz <"), std::string::npos);
}

// The title data in the title block, in the running header and footer of
// every printed page (as CSS strings), and the sign-off box; material and
// remark beside the case's name; the method; and no date where none is
// given.
TEST(Report, TitleDataMaterialAndMethod) {
  Titelangaben t = Batch();
  t.titel = "Welle \"A\" </style><script>";
  t.projekt = "Getriebe <GT-200>";
  t.bearbeiter = "M. Muster";
  t.zeichnung = "GT-200-0815 Rev. B";
  Report ohne_datum({"a.csv"}, 1.2, t);
  Fall fall = Berechnet(2, "Lagersitz", DefaultEingabewerte());
  fall.werkstoff = "42CrMo4";
  fall.bemerkung = "links <außen>";
  ohne_datum.Add(fall);
  const std::string html = Text(ohne_datum);
  const std::string stil = html.substr(0, html.find("</style>"));

  EXPECT_NE(html.find("<title>Welle &quot;A&quot; &lt;/style&gt;&lt;script&gt;</title>"),
            std::string::npos);
  EXPECT_NE(html.find("<h1>Welle &quot;A&quot; &lt;/style&gt;&lt;script&gt;</h1>"),
            std::string::npos);
  EXPECT_EQ(Anzahl(html, "<script"), 0U);
  EXPECT_EQ(Anzahl(html, "</style>"), 1U);
  for (const char* kasten :
       {"@top-left { font-size: 7.5pt; color: #333; vertical-align: bottom; padding: 3mm 0; "
        "content: \"Welle \\22 A\\22  \\3C /style\\3E \\3C script\\3E  · Getriebe "
        "\\3C GT-200\\3E \"; }",
        "content: \"Zeichnung GT-200-0815 Rev. B\"; }",
        "content: \"Bearbeiter: M. Muster · wellen743-batch 1.0.0\"; }",
        "content: \"Seite \" counter(page) \" von \" counter(pages); }"}) {
    EXPECT_NE(stil.find(kasten), std::string::npos) << kasten;
  }
  EXPECT_NE(html.find("<tr><th>Projekt</th><td>Getriebe &lt;GT-200&gt;</td></tr>"),
            std::string::npos);
  EXPECT_NE(html.find("<tr><th>Zeichnung, Revision</th><td>GT-200-0815 Rev. B</td></tr>"),
            std::string::npos);
  EXPECT_NE(html.find("<tr><th>Datum</th><td class=\"leer\">–</td></tr>"), std::string::npos);
  EXPECT_NE(html.find("<table class=\"freigabe\">\n<tr><th>Bearbeiter</th><th>Geprüft</th>"
                      "<th>Datum</th></tr>\n<tr><td>M. Muster</td><td></td><td></td></tr>"),
            std::string::npos);
  EXPECT_NE(html.find("<h2>Fall 1: Lagersitz</h2>\n<p class=\"stoff\">Werkstoff: <strong>"
                      "42CrMo4</strong> · Bemerkung: links &lt;außen&gt;</p>"),
            std::string::npos);
  EXPECT_NE(html.find("Lagersitz<br><span class=\"klein\">42CrMo4</span>"), std::string::npos);
  EXPECT_NE(html.find("<strong>Verfahren.</strong>"), std::string::npos);
  EXPECT_NE(html.find("<td class=\"einheit\">Vergüt./CrNiMo-Stahl</td>"), std::string::npos);
  // The standard without an edition, wherever it is named.
  EXPECT_GE(Anzahl(html, "DIN 743"), 1U);
  EXPECT_EQ(Anzahl(html, "DIN 743"), Anzahl(html, "DIN 743 ") + Anzahl(html, "DIN 743<"));

  t.datum = "8. Dezember 2026";
  Report mit_datum({"a.csv"}, 1.2, t);
  const std::string datiert = Text(mit_datum);
  EXPECT_NE(datiert.find("content: \"Zeichnung GT-200-0815 Rev. B · 8. Dezember 2026\"; }"),
            std::string::npos);
  EXPECT_NE(datiert.find("<tr><th>Datum</th><td>8. Dezember 2026</td></tr>"), std::string::npos);
}

// A running header holds one line: long title data are cut, each part
// keeping at least half of it, at a character, not a byte.
TEST(Report, RunningHeaderCutToOneLine) {
  const std::string lang(100, 'x');
  const std::string umlaute = "Ä" + std::string(40, 'y') + "öüß";
  const struct {
    std::string titel, projekt, erwartet;
  } tabelle[] = {
      {"Welle", "GT-200", "Welle · GT-200"},
      {lang, "", std::string(80, 'x') + "…"},
      {lang, "GT-200", std::string(71, 'x') + "… · GT-200"},
      {"Welle", lang, "Welle · " + std::string(72, 'x') + "…"},
      {lang, lang, std::string(38, 'x') + "… · " + std::string(39, 'x') + "…"},
      {umlaute, umlaute, "Ä" + std::string(37, 'y') + "… · Ä" + std::string(38, 'y') + "…"},
      {umlaute, "GT", umlaute + " · GT"},
  };
  for (const auto& z : tabelle) {
    Titelangaben t = Batch();
    t.titel = z.titel;
    t.projekt = z.projekt;
    const std::string html = Dokumentanfang(t);
    const std::string kasten = "@top-left { font-size: 7.5pt; color: #333; vertical-align: "
                               "bottom; padding: 3mm 0; content: \"" + z.erwartet + "\"; }";
    EXPECT_NE(html.find(kasten), std::string::npos) << z.erwartet << "\n" << html;
  }
}

// Each notch as drawn: the reason where there is no sketch; otherwise the
// proportions drawn, whether to scale, every coordinate on the drawing and
// the case's own values in the labels.
TEST(Skizze, TableOfGeometries) {
  struct Kerbe {
    const char* was;
    int kerbfall;
    double D, d, r;
    std::string grund;
    double gezeichnet_d, gezeichnet_r;  // shares of D
    bool massstaeblich;
  };
  const double nan = std::nan("");
  const std::vector<Kerbe> kerben = {
      {"shoulder, defaults", kAbsatz, 50, 40, 3, "", 0.8, 0.06, true},
      {"shoulder, fillet deeper than the step", kAbsatz, 50, 40, 20, "", 0.8, 0.4, true},
      {"shoulder, sharp", kAbsatz, 50, 40, 0, "", 0.8, 0, true},
      {"groove, half circle at the root", kRundnut, 50, 40, 3, "", 0.8, 0.06, true},
      {"groove, shallow arc", kRundnut, 50.5, 46.46, 20.2, "", 0.92, 0.4, true},
      {"groove, sharp", kRundnut, 50, 40, 0, "", 0.8, 0, true},
      {"radius too small to see", kAbsatz, 50, 40, 0.01, "", 0.8, 0.01, false},
      {"radius beyond D", kRundnut, 50, 40, 500, "", 0.8, 1, false},
      {"d a fiftieth of D", kAbsatz, 50, 1, 3, "", 0.1, 0.06, false},
      {"step too shallow to see", kRundnut, 50, 49.9, 3, "", 0.92, 0.06, false},
      {"d equal to D", kAbsatz, 50, 50, 3, "d = 50 ist nicht kleiner als D = 50", 0, 0, false},
      {"D not a number", kAbsatz, nan, 40, 3, "D = nan ist nicht endlich", 0, 0, false},
      {"d zero", kRundnut, 50, 0, 3, "d = 0 ist nicht positiv", 0, 0, false},
      {"r negative", kAbsatz, 50, 40, -1.5, "r = -1,5 ist negativ", 0, 0, false},
  };
  for (const Kerbe& k : kerben) {
    Eingabewerte e = DefaultEingabewerte();
    e.Kerbfall = k.kerbfall;
    e.D = k.D;
    e.d = k.d;
    e.r = k.r;
    e.t = 4.25;
    EXPECT_EQ(KeineSkizze(e), k.grund) << k.was;
    const std::string svg = KerbSkizze(e);
    if (!k.grund.empty()) {
      EXPECT_EQ(svg, "") << k.was;
      continue;
    }
    const Skizzenmass m = Gezeichnet(e);
    EXPECT_NEAR(m.d, k.gezeichnet_d, 1e-12) << k.was;
    EXPECT_NEAR(m.r, k.gezeichnet_r, 1e-12) << k.was;
    EXPECT_EQ(m.massstaeblich, k.massstaeblich) << k.was;
    for (const std::string& label : {"D = " + Zahl(k.D), "d = " + Zahl(k.d), "r = " + Zahl(k.r),
                                     std::string("t = 4,25")}) {
      EXPECT_NE(svg.find(">" + label + "</text>"), std::string::npos) << k.was << ": " << label;
    }
    // Every number of a coordinate or a path lies on the 300 x 170 drawing.
    int zahlen = 0;
    for (const char* attribut : {" d=\"", " x=\"", " y=\"", " x1=\"", " y1=\"", " x2=\"", " y2=\""}) {
      for (auto pos = svg.find(attribut); pos != std::string::npos;
           pos = svg.find(attribut, pos + 1)) {
        const auto anfang = pos + std::string_view(attribut).size();
        std::string wert = svg.substr(anfang, svg.find('"', anfang) - anfang);
        for (char& c : wert) {
          if (std::isalpha(static_cast<unsigned char>(c)) || c == ',') c = ' ';
        }
        std::istringstream in(wert);
        for (double v = 0; in >> v; ++zahlen) {
          EXPECT_GE(v, 0) << k.was << ": " << attribut << wert;
          EXPECT_LE(v, attribut[1] == 'y' ? 170 : 300) << k.was << ": " << attribut << wert;
        }
      }
    }
    EXPECT_GT(zahlen, 60) << k.was;
  }
}

TEST(Report, StopsWhenTheSinkFails) {
  Report report({"a.csv"}, 1.2, Batch());
  report.Add(Berechnet(2, "", DefaultEingabewerte()));
  int aufrufe = 0;
  EXPECT_FALSE(report.Write([&](std::string_view) { return ++aufrufe < 2; }));
  EXPECT_EQ(aufrufe, 2);
}

}  // namespace
}  // namespace wellen::report

// The HTML report as text: escaping, the verdict, the summary beyond the
// cases shown in full, and the same bytes for the same calls. Its structure
// (tidy, xmllint) and print layout (a browser) are tested by scripts.
#include "report/report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "calc/hinweise.h"

namespace wellen::report {
namespace {

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
  Report report({"f<1>.csv", "-"}, 1.2, "1.0.0", 2);
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
  EXPECT_EQ(Anzahl(html, "<svg"), 6U);
  EXPECT_NE(html.find("3 berechnet, davon 2 erfüllt und 1 nicht erfüllt; 1 Zeile abgewiesen"),
            std::string::npos);
  // The verdict names the factors that fall short, in words and by class.
  EXPECT_NE(html.find("<div class=\"urteil nicht\"><strong>Nachweis nicht erfüllt</strong>: "
                      "S Dauerbruch = 0.352079 ist ungültig: SigzdADK = -93.0998 nicht positiv; "
                      "S Fließgrenze = 0.845912 erreicht S_min = 1.2 nicht.<br>Bitte den Hinweis unten beachten (1).</div>"),
            std::string::npos);
  EXPECT_NE(html.find("<div class=\"urteil ok\"><strong>Nachweis erfüllt</strong>: "
                      "S Dauerbruch = 1.24088 und S Fließgrenze = 1.39679 erreichen S_min = 1.2."
                      "</div>"),
            std::string::npos);
  // The page values under their printed labels.
  EXPECT_NE(html.find("<td class=\"l\">S Dauerbruch  = </td><td class=\"z\">0.352079</td>"),
            std::string::npos);
  EXPECT_NE(html.find("<td class=\"l\">Bed.Zug </td><td class=\"z\">nicht erfuellt</td>"),
            std::string::npos);

  // Writing again gives the same bytes: the spool is read back from the start.
  EXPECT_EQ(Text(report), html);
}

TEST(Report, OneFactorShortAndNotANumber) {
  Report report({"a.csv"}, 1.3, "1.0.0");
  report.Add(Berechnet(2, "", DefaultEingabewerte()));  // 1.24088 < 1.3 <= 1.39679
  Eingabewerte kaputt = DefaultEingabewerte();
  kaputt.Sigzda = std::nan("");
  report.Add(Berechnet(3, "", kaputt));
  const std::string html = Text(report);
  EXPECT_NE(html.find("S Dauerbruch = 1.24088 erreicht S_min = 1.3 nicht."), std::string::npos);
  EXPECT_NE(html.find("S Dauerbruch = nan und S Fließgrenze = nan sind ungültig: Eingabe nicht endlich: "
                      "Sigzda."),
            std::string::npos);
  EXPECT_NE(html.find("<h2>Fall 2</h2>"), std::string::npos);  // no name, no colon
  EXPECT_NE(html.find("Kein Diagramm: "), std::string::npos);
  EXPECT_NE(html.find("Keine Zeile abgewiesen."), std::string::npos);
}

TEST(Report, StopsWhenTheSinkFails) {
  Report report({"a.csv"}, 1.2, "1.0.0");
  report.Add(Berechnet(2, "", DefaultEingabewerte()));
  int aufrufe = 0;
  EXPECT_FALSE(report.Write([&](std::string_view) { return ++aufrufe < 2; }));
  EXPECT_EQ(aufrufe, 2);
}

}  // namespace
}  // namespace wellen::report

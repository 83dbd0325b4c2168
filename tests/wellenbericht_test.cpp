// The report of a whole shaft: its drawing's coordinates against values
// worked out by hand, the diameters' own scale of slender and of thick
// shafts, which proofs are written in full, and a large shaft's report as
// text. Structure (tidy, xmllint), the diagrams' extremes against --curves
// and the printed pages are tested end to end.
#include "report/wellenbericht.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "calc/urteil.h"
#include "report/verlauf.h"
#include "report/wellenbild.h"
#include "statik/statik.h"

namespace wellen::report {
namespace {

std::size_t Anzahl(const std::string& text, const std::string& muster) {
  std::size_t n = 0;
  for (auto pos = text.find(muster); pos != std::string::npos; pos = text.find(muster, pos + 1)) {
    ++n;
  }
  return n;
}

// 200 mm long: 80 mm of D 40, 100 mm of D 50 (a step up with r 2), 20 mm of
// D 45 with a bore of 20 (a step down with r 1); a groove t 1, r 0.5 at
// x 140; the fixed bearing at 40, the loose one at 190; a gear at 100.
Welle Klein() {
  Welle w;
  w.abschnitte = {
      {.l = 80, .D = 40}, {.l = 100, .D = 50, .r = 2.0}, {.l = 20, .D = 45, .di = 20, .r = 1.0}};
  w.nuten = {{.x = 140, .t = 1, .r = 0.5}};
  w.lager = {{40, Lagerart::kFest}, {190, Lagerart::kLos}};
  w.lastfaelle = {
      {"Nennlast", {{.x = 100, .name = "Rad", .Fy = 1000, .T = 100}, {.x = 10, .T = -100}}}};
  return w;
}

// The drawing of Klein() by hand. The shaft spans 76 to 650 units, 574 for
// 200 mm: sx = 2.87 per mm. D 50 is drawn 143.5 high, between the limits
// of 36 and 260, so the diameters share that scale.
TEST(Wellenbild, SmallShaftAgainstCoordinatesByHand) {
  const Welle w = Klein();
  ASSERT_TRUE(Pruefe(w).empty());
  const std::vector<Stelle> stellen = Stellen(w);
  const Wellengeometrie g = Geometrie(w, stellen);
  constexpr double sx = 2.87;
  struct Wert {
    const char* was;
    double ist, soll;
  };
  ASSERT_EQ(g.stufen.size(), 3U);
  ASSERT_EQ(g.rundungen.size(), 2U);
  ASSERT_EQ(g.nuten.size(), 1U);
  ASSERT_EQ(g.lager.size(), 2U);
  ASSERT_EQ(g.stellen.size(), 3U);
  ASSERT_EQ(g.lasten.size(), 2U);
  const Wert werte[] = {
      {"sx", g.sx, sx},
      {"sy", g.sy, sx},
      {"ueberhoehung", g.ueberhoehung, 1},
      // Segments: ends at 76 + x sx, half heights D/2 sx, the bore's di/2 sx.
      {"stufe 1 x0", g.stufen[0].x0, 76},
      {"stufe 1 x1", g.stufen[0].x1, 305.6},
      {"stufe 1 ra", g.stufen[0].ra, 57.4},
      {"stufe 2 x1", g.stufen[1].x1, 592.6},
      {"stufe 2 ra", g.stufen[1].ra, 71.75},
      {"stufe 3 x1", g.stufen[2].x1, 650},
      {"stufe 3 ra", g.stufen[2].ra, 64.575},
      {"stufe 3 ri", g.stufen[2].ri, 28.7},
      // The step up at x 80: its fillet in the smaller segment left of the
      // face, r 2 drawn 5.74 each way; the step down at x 180 on the right,
      // r 1 drawn 2.87.
      {"rundung 1 x", g.rundungen[0].x, 305.6},
      {"rundung 1 rx", g.rundungen[0].rx, 5.74},
      {"rundung 1 ry", g.rundungen[0].ry, 5.74},
      {"rundung 1 rechts", g.rundungen[0].rechts ? 1.0 : 0.0, 0},
      {"rundung 1 hoehe", g.rundungen[0].hoehe, 57.4},
      {"rundung 2 x", g.rundungen[1].x, 592.6},
      {"rundung 2 rx", g.rundungen[1].rx, 2.87},
      {"rundung 2 rechts", g.rundungen[1].rechts ? 1.0 : 0.0, 1},
      {"rundung 2 hoehe", g.rundungen[1].hoehe, 64.575},
      // The groove at x 140 in D 50: 1 deep, r 0.5.
      {"nut x", g.nuten[0].x, 477.8},
      {"nut hoehe", g.nuten[0].hoehe, 71.75},
      {"nut tiefe", g.nuten[0].tiefe, 2.87},
      {"nut rx", g.nuten[0].rx, 1.435},
      // Bearings under the contour at x 40 (D 40) and x 190 (D 45).
      {"festlager x", g.lager[0].x, 190.8},
      {"festlager y", g.lager[0].y - g.achse, 57.4},
      {"festlager fest", g.lager[0].fest ? 1.0 : 0.0, 1},
      {"loslager x", g.lager[1].x, 621.3},
      {"loslager y", g.lager[1].y - g.achse, 64.575},
      {"loslager fest", g.lager[1].fest ? 1.0 : 0.0, 0},
      // Sections in order of x: the shoulder at 80, the groove at 140, the
      // shoulder at 180; each leader ends on the contour, the larger
      // diameter at a face.
      {"stelle 1 x", g.stellen[0].x, 305.6},
      {"stelle 1 bis", g.achse - g.stellen[0].bis_y, 71.75},
      {"stelle 2 x", g.stellen[1].x, 477.8},
      {"stelle 3 x", g.stellen[2].x, 592.6},
      // Load elements by place: the unnamed one at 10 first.
      {"last 1 x", g.lasten[0].x, 104.7},
      {"last 2 x", g.lasten[1].x, 363},
      {"last 2 bis", g.achse - g.lasten[1].bis_y, 71.75},
  };
  for (const Wert& v : werte) EXPECT_NEAR(v.ist, v.soll, 1e-9) << v.was;
  EXPECT_EQ(g.stellen[0].text, "1");
  EXPECT_EQ(g.stellen[2].text, "3");
  EXPECT_EQ(g.lasten[0].text, "Last");
  EXPECT_EQ(g.lasten[1].text, "Rad");
  // Labels stand above the contour, dimensions below the bearings.
  for (const Wellengeometrie::Marke& m : g.stellen) EXPECT_LT(m.text_y, g.achse - 71.75);
  EXPECT_LT(g.lasten[1].text_y, g.stellen[0].text_y);
  EXPECT_GT(g.mass_lager_y, g.lager[1].y);
  EXPECT_GT(g.mass_gesamt_y, g.mass_lager_y);
  EXPECT_GT(g.hoehe, g.mass_gesamt_y);
  EXPECT_EQ(Durchmessermassstab(g), "");

  // The SVG draws the fillets and the groove as arcs of those radii, and
  // writes the dimensions 150 and 200.
  const std::string svg = WellenSvg(w, stellen);
  for (const char* text :
       {"A5.7,5.7 0 0 0 305.6,", "A2.9,2.9 0 0 0 595.5,", "A1.4,1.4 0 0 0 479.2,", ">150</text>",
        ">200</text>", ">Festlager</text>", ">Loslager</text>", ">Rad</text>",
        "stroke-dasharray=\"4 2.5\""}) {
    EXPECT_NE(svg.find(text), std::string::npos) << text;
  }
}

// Klein() with a load on the groove, and twelve load cases that put a gear
// at 95 to 106 mm: its name would stack in twelve rows, so the loads are
// numbered: the unnamed one at 10 "L1"; the gears, each 2.87 units from
// the next, and the wheel at 100 "L2" over their middle; the load on the
// groove "L3". The legend names each load in each load case. The groove's circle
// moves a circle and a gap (18 units) to the right, off the load's line,
// its leader still ending at the groove.
TEST(Wellenbild, LoadsByNumberAndSectionsBesideThem) {
  Welle w = Klein();
  w.lastfaelle[0].lasten.push_back({.x = 140, .name = "Auf der Nut", .Fz = 500});
  for (int k = 0; k < 12; ++k) {
    w.lastfaelle.push_back(
        {"", {{.x = 95.0 + k, .name = "Zahnrad mit langem Namen", .Fy = 800}, {.x = 10, .T = 0}}});
  }
  ASSERT_TRUE(Pruefe(w).empty());
  const Wellengeometrie g = Geometrie(w, Stellen(w));
  ASSERT_EQ(g.lasten.size(), 15U);
  ASSERT_EQ(g.lastelemente.size(), 15U);
  EXPECT_TRUE(g.lastnummern);
  const std::pair<std::size_t, const char*> texte[] = {
      {0, "L1"}, {1, "L2"}, {13, "L2"}, {14, "L3"}};
  for (const auto& [k, text] : texte) EXPECT_EQ(g.lasten[k].text, text) << k;
  EXPECT_EQ(g.lastelemente[14], (std::pair<double, std::string>{140, "Auf der Nut"}));
  struct Wert {
    const char* was;
    double ist, soll;
  };
  const Wert werte[] = {
      {"L2 x", g.lasten[1].text_x, 76 + 100.5 * 2.87},
      {"L2 x 106", g.lasten[13].x, 76 + 106 * 2.87},
      {"stelle 2 x", g.stellen[1].x, 477.8},
      {"stelle 2 kreis", g.stellen[1].text_x, 495.8},
      {"stelle 1 kreis", g.stellen[0].text_x, 305.6},
      {"last auf der nut", g.lasten[14].text_x, 477.8},
  };
  for (const Wert& v : werte) EXPECT_NEAR(v.ist, v.soll, 1e-9) << v.was;
  std::string html;
  ASSERT_TRUE(SchreibeWellenbericht(w, Berechne(w), {"w.toml", {}}, 1.2,
                                    Titelangaben{"wellen743-welle", "1", "", "", "", "", ""},
                                    [&](std::string_view t) {
                                      html += t;
                                      return true;
                                    }));
  for (const char* zeile :
       {"<tr><td>L2</td><td class=\"z\">106</td><td>Zahnrad mit langem Namen, Lastfall 13</td>"
        "<td class=\"z\">0</td><td class=\"z\">800</td>",
        "<tr><td>L3</td><td class=\"z\">140</td><td>Auf der Nut, Lastfall 1: Nennlast</td>"}) {
    EXPECT_NE(html.find(zeile), std::string::npos) << zeile;
  }
  EXPECT_EQ(Anzahl(html, "<tr><td>L1</td>"), 13U);
  EXPECT_EQ(Anzahl(html, "<tr><td>L2</td>"), 13U);
  EXPECT_EQ(Anzahl(html, "<tr><td>L3</td>"), 1U);
}

// A slender shaft gets its diameters drawn larger, a short thick one
// smaller, each by a round factor that the drawing states.
TEST(Wellenbild, DiameterScaleOfSlenderAndThickShafts) {
  struct Fall {
    double l, D;
    double ueberhoehung;
    const char* text;
  };
  const Fall faelle[] = {
      {200, 40, 1, ""},  // 114.8 units high
      // 200 mm of D 10: 28.7 units < 36, raised by 1.5 (36 / 28.7 = 1.25).
      {200, 10, 1.5, "Durchmesser 1,5 : 1 zu den Längen"},
      // 2000 mm of D 20: 5.74 units, raised by 8 (6.27).
      {2000, 20, 8, "Durchmesser 8 : 1 zu den Längen"},
      // 20 mm of D 50: 1435 units > 260, lowered by 6 (5.52).
      {20, 50, 1.0 / 6, "Durchmesser 1 : 6 zu den Längen"},
      // 1e300 mm of D 1e-300: no factor between them is a double; drawn
      // 148 units high, and said to be not to scale.
      {1e300, 1e-300, std::nan(""), "Durchmesser nicht maßstäblich"},
  };
  for (const Fall& f : faelle) {
    Welle w;
    w.abschnitte = {{.l = f.l, .D = f.D}};
    w.lager = {{0, Lagerart::kFest}, {f.l, Lagerart::kLos}};
    w.lastfaelle = {{"", {{.x = f.l / 2, .Fy = 100}}}};
    const Wellengeometrie g = Geometrie(w, {});
    if (std::isnan(f.ueberhoehung)) {
      EXPECT_TRUE(std::isnan(g.ueberhoehung));
    } else {
      EXPECT_DOUBLE_EQ(g.ueberhoehung, f.ueberhoehung) << f.l << " " << f.D;
      EXPECT_DOUBLE_EQ(g.sy, g.sx * f.ueberhoehung);
    }
    EXPECT_EQ(Durchmessermassstab(g), f.text);
    const double hoehe = f.D * g.sy;
    EXPECT_TRUE(hoehe >= 36 && hoehe <= 260) << hoehe;
    EXPECT_NE(WellenSvg(w, {}).find(f.text), std::string::npos);
  }
}

// A shaft of n segments alternating between D 50 and D 56, a groove in
// each but the last, with `faelle` load cases scaled from 1 up: 2n - 2
// sections.
Welle Lang(int n, int faelle) {
  Welle w;
  w.name = "Lang";
  for (int k = 0; k < n; ++k) {
    Abschnitt a{.l = 24, .D = k % 2 == 0 ? 50.0 : 56.0};
    if (k > 0) a.r = 1.5;
    w.abschnitte.push_back(a);
    if (k + 1 < n) w.nuten.push_back({.x = 24.0 * k + 12, .t = 1, .r = 0.3});
  }
  const double L = 24.0 * n;
  w.lager = {{12, Lagerart::kFest}, {L - 12, Lagerart::kLos}};
  for (int f = 0; f < faelle; ++f) {
    const double s = 1 + 0.6 * f;
    w.lastfaelle.push_back(
        {"Stufe " + std::to_string(f + 1),
         {{.x = L / 4, .name = "Zahnrad 1", .Fy = -3000 * s, .T = 800 * s},
          {.x = 3 * L / 4, .name = "Zahnrad 2", .Fz = -2600 * s, .T = -800 * s}}});
  }
  return w;
}

// Up to the limit every proof is written; beyond it each section's
// governing load case (its smallest factor) and every one where it fails.
TEST(Wellenbericht, WhichProofsInFull) {
  const Welle w = Lang(6, 4);  // 10 sections, 40 proofs
  const Wellenergebnis e = Berechne(w);
  ASSERT_EQ(e.stellen.size(), 10U);
  const auto kleinste = [&](std::size_t f, std::size_t i) {
    return std::fmin(e.lastfaelle[f].stellen[i].n.SDauerbruch,
                     e.lastfaelle[f].stellen[i].n.SFliessgrenze);
  };
  for (const double smin : {1.2, 12.0, 30.0}) {
    SCOPED_TRACE(smin);
    const std::vector<std::vector<bool>> alle = VolleNachweise(e, smin, 40);
    for (const auto& lf : alle)
      EXPECT_TRUE(std::all_of(lf.begin(), lf.end(), [](bool b) { return b; }));
    const std::vector<std::vector<bool>> voll = VolleNachweise(e, smin, 39);
    std::size_t mehrere = 0;
    for (std::size_t i = 0; i < 10; ++i) {
      std::size_t volle = 0;
      std::size_t erfuellte = 0;
      for (std::size_t f = 0; f < 4; ++f) {
        const Stellennachweis& s = e.lastfaelle[f].stellen[i];
        const bool erfuellt = NachweisErfuellt(s.e, s.n, smin);
        EXPECT_TRUE(erfuellt || voll[f][i]) << "section " << i << " case " << f;
        if (!voll[f][i]) continue;
        ++volle;
        if (!erfuellt) continue;
        ++erfuellte;
        for (std::size_t g = 0; g < 4; ++g) EXPECT_LE(kleinste(f, i), kleinste(g, i));
      }
      EXPECT_GE(volle, 1U) << i;
      EXPECT_LE(erfuellte, 1U) << i;
      if (volle > 1) ++mehrere;
    }
    // S_min 1.2 keeps one per section (the smallest factor is 5.18); at
    // 12 and 30 sections fail in more than one load case.
    EXPECT_EQ(mehrere > 0, smin > 10);
  }
  // At the default limit: 1000 proofs are all written; of 1020, each
  // section's governing one (102, the heaviest load case), or where every
  // one fails, the first 1000, the last section's last load case not.
  struct Grenze {
    int n;
    double smin;
    std::size_t volle;
    bool letzter;
  };
  for (const Grenze& g :
       {Grenze{51, 1e6, 1000, true}, Grenze{52, 0.1, 102, true}, Grenze{52, 1e6, 1000, false}}) {
    const std::vector<std::vector<bool>> voll = VolleNachweise(Berechne(Lang(g.n, 10)), g.smin);
    std::size_t volle = 0;
    for (const auto& lf : voll)
      volle += static_cast<std::size_t>(std::count(lf.begin(), lf.end(), true));
    EXPECT_EQ(volle, g.volle) << g.n << " " << g.smin;
    EXPECT_EQ(voll.back().back(), g.letzter) << g.n << " " << g.smin;
  }
}

// 50 sections in 10 load cases: every row in the summary, the diagrams
// numbered by section; every proof in full by default, and at a limit of
// 100 the proofs chosen and the report saying so.
TEST(Wellenbericht, LargeShaftStaysReadable) {
  const Welle w = Lang(26, 10);
  const Wellenergebnis e = Berechne(w);
  ASSERT_EQ(e.stellen.size(), 50U);
  Wellenquelle q{"lang.toml", {}};
  for (const Stelle& s : e.stellen) q.stellennamen.push_back("S" + std::to_string(s.nummer));
  std::string html;
  ASSERT_TRUE(SchreibeWellenbericht(
      w, e, q, 1.2, Titelangaben{"wellen743-welle", "1", "", "", "", "", ""},
      [&](std::string_view t) {
        html += t;
        return true;
      },
      100));
  for (const auto& lf : VolleNachweise(e, 1.2))
    EXPECT_TRUE(std::all_of(lf.begin(), lf.end(), [](bool b) { return b; }));
  const std::vector<std::vector<bool>> voll = VolleNachweise(e, 1.2, 100);
  std::size_t volle = 0;
  for (const auto& lf : voll)
    volle += static_cast<std::size_t>(std::count(lf.begin(), lf.end(), true));
  EXPECT_LT(volle, 500U);
  EXPECT_GE(volle, 50U);
  EXPECT_EQ(Anzahl(html, "<section class=\"fall\""), volle);
  EXPECT_NE(html.find("Die Welle hat 500 Nachweise. Ausführlich dargestellt sind, weil es mehr "
                      "als 100 sind, je Stelle der maßgebende Lastfall"),
            std::string::npos);
  EXPECT_NE(html.find(": " + std::to_string(volle) + " Nachweise."), std::string::npos);
  // One summary row per section and load case, each linked to a proof.
  EXPECT_EQ(Anzahl(html, "<td class=\"ok\">erfüllt</td></tr>") +
                Anzahl(html, "<td class=\"nicht\">nicht erfüllt</td></tr>"),
            500U);
  EXPECT_EQ(Anzahl(html, " *</td>"), 500U - volle);
  // Every link has its target.
  for (auto pos = html.find("href=\"#"); pos != std::string::npos;
       pos = html.find("href=\"#", pos + 1)) {
    const std::string ziel = html.substr(pos + 7, html.find('"', pos + 7) - pos - 7);
    EXPECT_NE(html.find("id=\"" + ziel + "\""), std::string::npos) << ziel;
  }
  // The safety diagram of each load case carries the sections' numbers, no names.
  const std::size_t s = html.find("Lastfall 10: Stufe 10 – Sicherheiten der Stellen");
  ASSERT_NE(s, std::string::npos);
  const std::string sicherheiten = html.substr(s, html.find("</svg>", s) - s);
  for (const char* nummer : {">1</text>", ">26</text>", ">50</text>"}) {
    EXPECT_NE(sicherheiten.find(nummer), std::string::npos) << nummer;
  }
  EXPECT_EQ(sicherheiten.find("S50"), std::string::npos);
  // Drawings and diagrams: one drawing, then two load views, four curves
  // and the factors per load case; three pictures per full proof.
  EXPECT_EQ(Anzahl(html, "<svg"), 1 + 10 * 7 + 4 * volle);
}

TEST(Wellenbericht, StopsWhenTheSinkFails) {
  const Welle w = Klein();
  const Wellenergebnis e = Berechne(w);
  int aufrufe = 0;
  EXPECT_FALSE(SchreibeWellenbericht(w, e, {"w.toml", {}}, 1.2,
                                     Titelangaben{"wellen743-welle", "1", "", "", "", "", ""},
                                     [&](std::string_view) { return ++aufrufe < 3; }));
  EXPECT_EQ(aufrufe, 3);
}

}  // namespace
}  // namespace wellen::report

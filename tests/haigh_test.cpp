// The fatigue diagram: its geometry from the values of the worked examples,
// the cases where there is no diagram, and odd but finite values that must
// still give a sane picture.
#include "report/haigh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "console/format.h"
#include "expected_pages.h"
#include "report/zahl.h"

namespace wellen::report {
namespace {

std::string P(Punkt p) {
  std::string text = "(";
  text += Number(p.x).text();
  text += ", ";
  text += Number(p.y).text();
  return text + ")";
}

// The worked example with a compressive mean stress.
Eingabewerte Druck() {
  Eingabewerte e = DefaultEingabewerte();
  testing_pages::kWorkedExamples.at(1).change(e);
  return e;
}

struct Erwartet {
  const char* was;
  Eingabewerte e;
  Last last;
  // Fatigue line start and end, threshold point, yield line end, operating
  // and permissible point, printed as the pages print.
  std::string dauer_a, dauer_b, schwelle, fliess_b, betrieb, zulaessig;
};

TEST(Haigh, GeometryOfTheWorkedExamples) {
  const Eingabewerte vorgabe = DefaultEingabewerte();
  const std::vector<Erwartet> tabelle = {
      {"defaults, tension", vorgabe, Last::kZug, "(0, 189.85)", "(711.811, 111.605)",
       "(711.811, 111.605)", "(823.415, 0)", "(529.15, 50)", "(529.15, 131.683)"},
      {"defaults, bending", vorgabe, Last::kBie, "(0, 230.729)", "(877.43, 110.668)",
       "(877.43, 110.668)", "(988.098, 0)", "(529.15, 60)", "(529.15, 158.324)"},
      {"defaults, torsion", vorgabe, Last::kTor, "(0, 178.561)", "(406.507, 136.806)",
       "(406.507, 136.806)", "(543.313, 0)", "(305.505, 40)", "(305.505, 147.181)"},
      // Compressive mean stress: the fatigue line goes on to the left, to m,
      // and the permissible point lies on it, above WK.
      {"compressive, tension", Druck(), Last::kZug, "(-144.222, 195.8)", "(847.806, 102.098)",
       "(847.806, 102.098)", "(949.904, 0)", "(-144.222, 50)", "(-144.222, 195.8)"},
      {"compressive, bending", Druck(), Last::kBie, "(-144.222, 251.492)", "(818.133, 131.771)",
       "(818.133, 131.771)", "(949.904, 0)", "(-144.222, 60)", "(-144.222, 251.492)"},
      {"compressive, torsion", Druck(), Last::kTor, "(-83.2666, 191.935)", "(347.793, 150.777)",
       "(347.793, 150.777)", "(498.57, 0)", "(-83.2666, 40)", "(-83.2666, 191.935)"},
  };
  for (const Erwartet& t : tabelle) {
    SCOPED_TRACE(t.was);
    const HaighWerte w = WerteFuer(t.e, Calculate(t.e), t.last);
    EXPECT_EQ(KeinDiagramm(w, t.last), "");
    const HaighGeometrie g = Geometrie(w);
    EXPECT_EQ(P(g.dauer.a), t.dauer_a);
    EXPECT_EQ(P(g.dauer.b), t.dauer_b);
    EXPECT_EQ(P(g.schwelle), t.schwelle);
    EXPECT_EQ(P(g.fliess.a), t.schwelle);
    EXPECT_EQ(P(g.fliess.b), t.fliess_b);
    EXPECT_EQ(P(g.betrieb), t.betrieb);
    EXPECT_EQ(P(g.zulaessig), t.zulaessig);
    EXPECT_FALSE(g.jenseits.has_value());
    // The two lines meet at the threshold, and the check raises the
    // amplitude: the permissible point is above the operating point.
    EXPECT_NEAR(g.dauer.b.y, g.schwelle.y, 1e-9 * w.FK);
    EXPECT_GT(g.zulaessig.y, g.betrieb.y);
    // The axes hold the origin and every point, on round ticks.
    for (const Punkt p : {Punkt{0, 0}, g.dauer.a, g.dauer.b, g.fliess.b, g.betrieb, g.zulaessig}) {
      EXPECT_LE(g.x.min, p.x);
      EXPECT_GE(g.x.max, p.x);
      EXPECT_LE(g.y.min, p.y);
      EXPECT_GE(g.y.max, p.y);
    }
    for (const Achse& a : {g.x, g.y}) {
      EXPECT_DOUBLE_EQ(std::remainder(a.min, a.schritt), 0);
      EXPECT_DOUBLE_EQ(std::remainder(a.max, a.schritt), 0);
      const double ticks = (a.max - a.min) / a.schritt;
      EXPECT_GE(ticks, 3);
      EXPECT_LE(ticks, 12);
    }
    const std::string svg = HaighSvg(w, t.last);
    const HaighNamen& namen = NamenFuer(t.last);
    for (const auto& [name, wert] : {std::pair{namen.WK, w.WK}, std::pair{namen.FK, w.FK},
                                     std::pair{namen.g, w.g}, std::pair{namen.ADK, w.ADK}}) {
      EXPECT_NE(svg.find(std::string(name) + " = " + Zahl(wert)),
                std::string::npos)
          << name;
    }
  }
}

// The high mean stress of the third worked example lies beyond FK: the
// yield line is carried on to the negative permissible amplitude.
TEST(Haigh, MeanStressBeyondTheYieldStrength) {
  Eingabewerte e = DefaultEingabewerte();
  e.Sigzdm = 600;
  const HaighWerte w = WerteFuer(e, Calculate(e), Last::kZug);
  const HaighGeometrie g = Geometrie(w);
  ASSERT_TRUE(g.jenseits.has_value());
  EXPECT_EQ(P(g.jenseits->a), "(823.415, 0)");
  EXPECT_EQ(P(g.jenseits->b), "(916.515, -93.0998)");
  EXPECT_EQ(P(g.zulaessig), "(916.515, -93.0998)");
  EXPECT_LE(g.y.min, -93.0998);
}

// The yield line is carried on, dashed, only where m lies beyond both g and
// FK, and so the permissible point below the mean stress axis.
TEST(Haigh, DashedContinuationOnlyBeyondBothGAndFK) {
  const struct {
    const char* was;
    double Sigzdm;
    double g;  // 0: as calculated
    bool gestrichelt;
  } tabelle[] = {
      {"m 916.5 beyond g 711.8 and FK 823.4", 600, 0, true},
      {"m 769.7 between g 711.8 and FK 823.4", 450, 0, false},
      {"m 529.2 below g 711.8 and FK 823.4", 200, 0, false},
      {"m 916.5 beyond FK 823.4, below g 1000", 600, 1000, false},
  };
  for (const auto& t : tabelle) {
    SCOPED_TRACE(t.was);
    Eingabewerte e = DefaultEingabewerte();
    e.Sigzdm = t.Sigzdm;
    HaighWerte w = WerteFuer(e, Calculate(e), Last::kZug);
    if (t.g != 0) w.g = t.g;
    ASSERT_EQ(KeinDiagramm(w, Last::kZug), "");
    EXPECT_EQ(Geometrie(w).jenseits.has_value(), t.gestrichelt);
    EXPECT_EQ(HaighSvg(w, Last::kZug).find("stroke-dasharray=\"2 3\"") != std::string::npos,
              t.gestrichelt);
  }
}

// The defaults' tension diagram, worked out by hand from the values of the
// pages: the axes run from 0 to 1000 across (ticks of 200) and from 0 to 250
// up (ticks of 50), drawn from x 62 to 450 and from y 266 up to 16, so that
// a point (m, a) lies at x = 62 + 0.388 m, y = 266 - a. The amplitude axis
// points up: the operating point (50) lies below the permissible one
// (131.683), at the larger y.
TEST(Haigh, PixelsOfTheDefaultsTensionDiagram) {
  const Eingabewerte e = DefaultEingabewerte();
  const std::string svg = HaighSvg(WerteFuer(e, Calculate(e), Last::kZug), Last::kZug);
  const std::pair<const char*, const char*> tabelle[] = {
      {"operating point (529.15, 50)",
       "<circle cx=\"267.3\" cy=\"216\" r=\"5\" fill=\"#000000\"/>"},
      {"permissible point (529.15, 131.683)",
       "<circle cx=\"267.3\" cy=\"134.3\" r=\"5\" fill=\"#ffffff\""},
      {"yield line down to (823.415, 0)", "x2=\"381.5\" y2=\"266\" stroke=\"#b8321f\""},
      {"amplitude axis at m = 0",
       "<line x1=\"62\" y1=\"16\" x2=\"62\" y2=\"266\" stroke=\"#000000\"/>"},
      {"mean stress axis at a = 0",
       "<line x1=\"62\" y1=\"266\" x2=\"450\" y2=\"266\" stroke=\"#000000\"/>"},
      {"grid line at a = 100",
       "<line x1=\"62\" y1=\"166\" x2=\"450\" y2=\"166\" stroke=\"#dddddd\"/>"},
      {"grid line at m = 200",
       "<line x1=\"139.6\" y1=\"16\" x2=\"139.6\" y2=\"266\" stroke=\"#dddddd\"/>"},
  };
  for (const auto& [was, element] : tabelle) {
    EXPECT_NE(svg.find(element), std::string::npos) << was << ": " << element;
  }
}

// Every number in a coordinate attribute of the SVG lies on the drawing.
void ExpectInsideTheDrawing(const std::string& svg) {
  int anzahl = 0;
  for (auto ende = svg.find("=\""); ende != std::string::npos; ende = svg.find("=\"", ende + 1)) {
    const auto anfang = svg.rfind(' ', ende) + 1;
    const std::string name = svg.substr(anfang, ende - anfang);
    if (name != "x" && name != "y" && name != "x1" && name != "y1" && name != "x2" &&
        name != "y2" && name != "cx" && name != "cy") {
      continue;
    }
    const double v = std::stod(svg.substr(ende + 2));
    EXPECT_GE(v, 0) << name << "=" << v;
    EXPECT_LE(v, name.find('x') != std::string::npos ? 480 : 350) << name << "=" << v;
    ++anzahl;
  }
  EXPECT_GT(anzahl, 20);
}

struct Abwandlung {
  const char* was;
  std::function<void(HaighWerte&)> aendern;
  std::string grund;  // empty: a diagram
};

TEST(Haigh, DegenerateAndOddValues) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<Abwandlung> tabelle = {
      {"WK not a number", [&](HaighWerte& w) { w.WK = nan; }, "SigzdWK = nan ist nicht endlich"},
      {"psi infinite", [&](HaighWerte& w) { w.psi = inf; }, "psizdsK = inf ist nicht endlich"},
      {"FK infinite", [&](HaighWerte& w) { w.FK = -inf; }, "SigzdFK = -inf ist nicht endlich"},
      {"g infinite", [&](HaighWerte& w) { w.g = inf; }, "gZug = inf ist nicht endlich"},
      {"m not a number", [&](HaighWerte& w) { w.m = nan; }, "Sigmv = nan ist nicht endlich"},
      {"amplitude infinite", [&](HaighWerte& w) { w.amplitude = inf; },
       "Sigzda = inf ist nicht endlich"},
      {"ADK not a number", [&](HaighWerte& w) { w.ADK = -nan; },
       "SigzdADK = -nan ist nicht endlich"},
      {"WK zero", [](HaighWerte& w) { w.WK = 0; }, "SigzdWK = 0 ist nicht positiv"},
      {"FK negative", [](HaighWerte& w) { w.FK = -5; }, "SigzdFK = -5 ist nicht positiv"},
      {"too large for the axes",
       [](HaighWerte& w) {
         w.m = -1.7e308;
         w.FK = 1.7e308;
       },
       "die Werte sind zu groß für die Achsen"},
      // Odd but finite: still a diagram, whose axes hold everything.
      {"g negative", [](HaighWerte& w) { w.g = -300; }, ""},
      {"g beyond FK", [](HaighWerte& w) { w.g = 2000; }, ""},
      {"ADK negative", [](HaighWerte& w) { w.ADK = -500; }, ""},
      {"amplitude above ADK and WK", [](HaighWerte& w) { w.amplitude = 900; }, ""},
      {"psi negative", [](HaighWerte& w) { w.psi = -0.5; }, ""},
      {"all zero but WK and FK", [](HaighWerte& w) { w = {1, 0, 1, 0, 0, 0, 0}; }, ""},
      {"tiny values", [](HaighWerte& w) { w = {1e-6, 0.1, 3e-6, 2e-6, 1e-6, 1e-7, 9e-7}; }, ""},
      {"huge m", [](HaighWerte& w) { w.m = 1e9; }, ""},
  };
  const Eingabewerte e = DefaultEingabewerte();
  const HaighWerte vorgabe = WerteFuer(e, Calculate(e), Last::kZug);
  for (const Abwandlung& a : tabelle) {
    SCOPED_TRACE(a.was);
    HaighWerte w = vorgabe;
    a.aendern(w);
    EXPECT_EQ(KeinDiagramm(w, Last::kZug), a.grund);
    const std::string svg = HaighSvg(w, Last::kZug);
    if (!a.grund.empty()) {
      EXPECT_EQ(svg, "");
      continue;
    }
    const HaighGeometrie g = Geometrie(w);
    for (const Punkt p :
         {g.dauer.a, g.dauer.b, g.fliess.a, g.fliess.b, g.betrieb, g.zulaessig, Punkt{0, 0}}) {
      EXPECT_TRUE(g.x.min <= p.x && p.x <= g.x.max && g.y.min <= p.y && p.y <= g.y.max) << P(p);
    }
    EXPECT_EQ(svg.find("nan"), std::string::npos);
    EXPECT_EQ(svg.find("inf"), std::string::npos);
    ExpectInsideTheDrawing(svg);
  }
}

}  // namespace
}  // namespace wellen::report

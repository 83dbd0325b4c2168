// The shaft model: statics and deflection against closed forms, a stepped
// shaft against a numerical integration of its own, the faults of bad
// shafts, and the sections of a small shaft worked out by hand.
#include "statik/statik.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "load.h"

namespace wellen {
namespace {

constexpr double kE = 210000;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kPi = std::numbers::pi;
// E I of the plain shaft of 40 mm [N mm^2].
const double kEI = kE * kPi * std::pow(40.0, 4) / 64;

Abschnitt Zylinder(double l, double D, std::optional<double> r = {}, double di = 0) {
  return {.l = l, .D = D, .di = di, .r = r};
}

Welle Glatt(double L, double x_fest, double x_los, std::vector<Lastelement> lasten) {
  Welle w;
  w.E = kE;
  w.abschnitte = {Zylinder(L, 40)};
  w.lager = {{x_fest, Lagerart::kFest}, {x_los, Lagerart::kLos}};
  w.lastfaelle = {{"Lastfall 1", std::move(lasten)}};
  return w;
}

// ---------------------------------------------------------------------------
// Closed forms.

struct Schnitt {
  double x;
  bool rechts;
  double Qy, Qz, Mxy, Mxz, T, N;
};
struct Durchbiegung {
  double x, wy, wz;
};
// What the check takes at the one section of a shaft.
struct Seitenwahl {
  double Mb, Mb_a, T, T_a, N, N_a, Mbm, Mba;
};
struct Fall {
  std::string name;
  Welle welle;
  Lagerkraft fest, los;  // of the means
  std::vector<Schnitt> schnitte{};
  std::vector<Durchbiegung> biegung{};
  std::optional<double> neigung_fest{}, neigung_los{}, w_max{}, x_w_max{};
  std::optional<Seitenwahl> stelle{};
};

std::vector<Fall> Faelle() {
  const double F = 1000, L = 200;
  // A load F at a from the fixed bearing, b from the loose one: w left and
  // right of it.
  const double a = 60, b = 140;
  const auto links = [&](double F, double x) {
    return F * b * x * (L * L - b * b - x * x) / (6 * L * kEI);
  };
  const auto rechts = [&](double F, double x) {
    return F * a * (L - x) * (L * L - a * a - (L - x) * (L - x)) / (6 * L * kEI);
  };
  const auto mitte = [&](double x) { return F * x * (3 * L * L - 4 * x * x) / (48 * kEI); };
  const double c = 100;     // overhang beyond the loose bearing
  const double M0 = 100e3;  // point moment [N mm]
  const double Fz = -500;   // in the x-z plane, at a
  const auto moment = [&](double x) { return M0 * x * (L * L / 4 - x * x) / (6 * kEI * L); };
  const Lastelement axial{.x = 100, .Fx = 300};
  const Lastelement an{.x = 50, .T = 450}, ab{.x = 150, .T = -450};

  // Loads on a shoulder: each quantity takes its larger side, and each side
  // is taken by some quantity. At 100 of 200: Mxy -65 | -35, N +300 | -300
  // (equal: tension), T 0 | 200; Mxy_a -10 | -90, T_a 0 | 50, N_a 0 | 100.
  // clang-format off
  Welle schulter = Glatt(L, L, 0, {
      {.x = 50, .Fx = -300},
      {.x = 100, .Fx = 600, .Fy = 1000, .Mby = 30, .T = 200, .Fx_a = -100, .Fy_a = 1000, .Mby_a = -80, .T_a = 50},
      {.x = 150, .T = -200, .T_a = -50}});
  // At 30.3 of 50.3, where 10.1 + 20.2 = 30.299999999999997 puts the
  // shoulder: Mxy 0 | -20, N 0 | -100, T -30 | 0; Mxy_a -20 30.3/50.3 |
  // 20 (1 - 30.3/50.3), T_a 50 | 0, N_a -40 | 0.
  Welle grenze = Glatt(50.3, 50.3, 0, {
      {.x = 10, .T = -30, .Fx_a = 40, .T_a = 50},
      {.x = 30.3, .Fx = 100, .Fy = 1000, .Mby = -20, .T = 30, .Fx_a = -40, .Mby_a = 20, .T_a = -50}});
  // clang-format on
  schulter.abschnitte = {Zylinder(100, 40), Zylinder(100, 50, 2.0)};
  schulter.hinweise = {"Vorgabewert verwendet: SigB 1100"};
  Welle stehend = schulter;  // the same notes
  stehend.art = Wellenart::kStehend;
  grenze.abschnitte = {Zylinder(10.1, 40), Zylinder(20.2, 40), Zylinder(20, 30, 1.0)};
  const double Mb_a = 20 * 30.3 / 50.3;

  // clang-format off
  return {
    {.name = "Last in der Mitte", .welle = Glatt(L, 0, L, {{.x = 100, .Fy = F}}),
     .fest = {0, -500, 0}, .los = {0, -500, 0},
     .schnitte = {{50, true, -500, 0, -25, 0, 0, 0}, {100, false, -500, 0, -50, 0, 0, 0},
                  {100, true, 500, 0, -50, 0, 0, 0}},
     .biegung = {{100, F * L * L * L / (48 * kEI), 0}, {50, mitte(50), 0}},
     .neigung_fest = F * L * L / (16 * kEI), .neigung_los = F * L * L / (16 * kEI),
     .w_max = F * L * L * L / (48 * kEI), .x_w_max = 100},
    {.name = "Last außermittig", .welle = Glatt(L, 0, L, {{.x = a, .Fy = F}}),
     .fest = {0, -700, 0}, .los = {0, -300, 0},
     .schnitte = {{60, true, 300, 0, -42, 0, 0, 0}, {150, false, 300, 0, -15, 0, 0, 0}},
     .biegung = {{30, links(F, 30), 0}, {a, F * a * a * b * b / (3 * kEI * L), 0},
                 {150, rechts(F, 150), 0}},
     .neigung_fest = F * a * b * (L + b) / (6 * L * kEI),
     .neigung_los = F * a * b * (L + a) / (6 * L * kEI),
     .w_max = F * a * std::pow(L * L - a * a, 1.5) / (9 * std::sqrt(3.0) * L * kEI),
     .x_w_max = L - std::sqrt((L * L - a * a) / 3)},
    {.name = "Last am Überhang", .welle = Glatt(L + c, 0, L, {{.x = L + c, .Fy = F}}),
     .fest = {0, 500, 0}, .los = {0, -1500, 0},
     .schnitte = {{100, true, 500, 0, 50, 0, 0, 0}, {200, false, 500, 0, 100, 0, 0, 0},
                  {200, true, -1000, 0, 100, 0, 0, 0}, {250, true, -1000, 0, 50, 0, 0, 0}},
     .biegung = {{100, -F * c * L * L / (16 * kEI), 0}, {300, F * c * c * (L + c) / (3 * kEI), 0}},
     .neigung_fest = F * c * L / (6 * kEI), .neigung_los = F * c * L / (3 * kEI),
     .w_max = F * c * c * (L + c) / (3 * kEI), .x_w_max = 300},
    {.name = "Punktmoment", .welle = Glatt(L, 0, L, {{.x = 100, .Mby = 100}}),
     .fest = {0, -500, 0}, .los = {0, 500, 0},
     .schnitte = {{100, false, -500, 0, -50, 0, 0, 0}, {100, true, -500, 0, 50, 0, 0, 0}},
     .biegung = {{100, 0, 0}, {40, moment(40), 0}, {160, -moment(40), 0}},
     .neigung_fest = M0 * L / (24 * kEI), .neigung_los = M0 * L / (24 * kEI),
     .w_max = M0 * L * L / (72 * std::sqrt(3.0) * kEI)},  // at L/(2 sqrt 3) and mirrored
    {.name = "beide Ebenen", .welle = Glatt(L, 0, L, {{.x = 100, .Fy = F}, {.x = a, .Fz = Fz}}),
     .fest = {0, -500, 350}, .los = {0, -500, 150},
     .schnitte = {{100, true, 500, -150, -50, 15, 0, 0}},
     .biegung = {{60, mitte(60), Fz * a * a * b * b / (3 * kEI * L)}, {100, mitte(100), rechts(Fz, 100)}},
     .neigung_fest = std::hypot(F * L * L / (16 * kEI), Fz * a * b * (L + b) / (6 * L * kEI)),
     .neigung_los = std::hypot(F * L * L / (16 * kEI), Fz * a * b * (L + a) / (6 * L * kEI))},
    {.name = "Festlager links: Zug", .welle = Glatt(L, 0, L, {axial, an, ab}),
     .fest = {-300, 0, 0}, .los = {0, 0, 0},
     .schnitte = {{75, true, 0, 0, 0, 0, 450, 300}, {125, true, 0, 0, 0, 0, 450, 0},
                  {175, true, 0, 0, 0, 0, 0, 0}},
     .biegung = {{100, 0, 0}}, .neigung_fest = 0, .neigung_los = 0, .w_max = 0},
    {.name = "Festlager rechts: Druck", .welle = Glatt(L, L, 0, {axial}),
     .fest = {-300, 0, 0}, .los = {0, 0, 0},
     .schnitte = {{75, true, 0, 0, 0, 0, 0, 0}, {125, true, 0, 0, 0, 0, 0, -300}}},
    {.name = "Seitenwahl umlaufend", .welle = schulter, .fest = {-300, -350, 0}, .los = {0, -650, 0},
     .schnitte = {{100, false, -650, 0, -65, 0, 0, 300}, {100, true, 350, 0, -35, 0, 200, -300}},
     .stelle = Seitenwahl{65, 90, 200, 50, 300, 100, 0, 155}},
    {.name = "Seitenwahl stehend", .welle = stehend, .fest = {-300, -350, 0}, .los = {0, -650, 0},
     .stelle = Seitenwahl{65, 90, 200, 50, 300, 100, 65, 90}},
    {.name = "Last auf gerundeter Grenze", .welle = grenze, .fest = {-100, -1000, 0}, .los = {0, 0, 0},
     .schnitte = {{10.1 + 20.2, false, 0, 0, 0, 0, -30, 0}, {10.1 + 20.2, true, 1000, 0, -20, 0, 0, -100}},
     .stelle = Seitenwahl{20, Mb_a, -30, 50, -100, -40, 0, 20 + Mb_a}},
  };
  // clang-format on
}

// Value by value, each within `toleranz`.
void Vergleiche(std::vector<double> ist, std::vector<double> soll, double toleranz) {
  ASSERT_EQ(ist.size(), soll.size());
  for (std::size_t i = 0; i < ist.size(); ++i)
    EXPECT_NEAR(ist[i], soll[i], toleranz) << "Wert " << i;
}

TEST(StatikTest, GeschlosseneFormen) {
  constexpr double kKraft = 1e-9;  // N, N m
  for (const Fall& f : Faelle()) {
    SCOPED_TRACE(f.name);
    ASSERT_TRUE(Pruefe(f.welle).empty());
    const Lastsatz mittel(f.welle, f.welle.lastfaelle[0], false);
    const Biegelinie linie(f.welle, mittel);
    const Wellenergebnis e = Berechne(f.welle);
    ASSERT_EQ(e.lastfaelle.size(), 1U);
    const Lastfallergebnis& r = e.lastfaelle[0];
    const Lagerkraft &fest = mittel.fest(), &los = mittel.los();
    Vergleiche({fest.Fx, fest.Fy, fest.Fz, fest.Fr, los.Fx, los.Fy, los.Fz, r.fest.Fy, r.los.Fz},
               {f.fest.Fx, f.fest.Fy, f.fest.Fz, std::hypot(f.fest.Fy, f.fest.Fz), 0, f.los.Fy,
                f.los.Fz, f.fest.Fy, f.los.Fz},
               kKraft);
    for (const Schnitt& s : f.schnitte) {
      SCOPED_TRACE("x = " + std::to_string(s.x) + (s.rechts ? " rechts" : " links"));
      const Schnittgroessen g = s.rechts ? mittel.Rechts(s.x) : mittel.Links(s.x);
      Vergleiche({g.Qy, g.Qz, g.Mxy, g.Mxz, g.Mb, g.T, g.N},
                 {s.Qy, s.Qz, s.Mxy, s.Mxz, std::hypot(s.Mxy, s.Mxz), s.T, s.N}, kKraft);
    }

    // Deflections to 1e-9 of the largest one expected (or of 1 um), zero at
    // both bearings.
    double w_ref = 1e-3;
    for (const Durchbiegung& d : f.biegung)
      w_ref = std::max({w_ref, std::fabs(d.wy), std::fabs(d.wz)});
    for (const Durchbiegung& d : f.biegung) {
      SCOPED_TRACE("w bei x = " + std::to_string(d.x));
      Vergleiche({linie.wy(d.x), linie.wz(d.x), linie.w(d.x)}, {d.wy, d.wz, std::hypot(d.wy, d.wz)},
                 1e-9 * w_ref);
    }
    Vergleiche({linie.w(mittel.lage_fest()), linie.w(mittel.lage_los())}, {0, 0}, 1e-15 * w_ref);
    const double neigung_ref = 1e-9 * std::max(f.neigung_fest.value_or(0), 1e-4);
    if (f.neigung_fest)
      Vergleiche({r.neigung_fest, r.neigung_los}, {*f.neigung_fest, *f.neigung_los}, neigung_ref);
    if (f.w_max) Vergleiche({r.w_max, linie.w(r.x_w_max)}, {*f.w_max, *f.w_max}, 1e-9 * w_ref);
    if (f.x_w_max) Vergleiche({r.x_w_max}, {*f.x_w_max}, 1e-6);

    if (f.stelle) {
      ASSERT_EQ(r.stellen.size(), 1U);
      const Stellennachweis& s = r.stellen[0];
      const Seitenwahl& w = *f.stelle;
      const Schnittlasten& l = s.lasten;
      ASSERT_TRUE(l.Mbm && l.Mba && l.Tm && l.Ta && l.Fm && l.Fa);
      Vergleiche({s.Mb, s.Mb_a, s.T, s.T_a, s.N, s.N_a, *l.Mbm, *l.Mba, *l.Tm, *l.Ta, *l.Fm, *l.Fa},
                 {w.Mb, w.Mb_a, w.T, w.T_a, w.N, w.N_a, w.Mbm, w.Mba, std::fabs(w.T),
                  std::fabs(w.T_a), w.N, std::fabs(w.N_a)},
                 kKraft);
      // The nominal stresses at d of the solid shaft; the shaft's notes last.
      const double d = s.e.d;
      Vergleiche({s.e.Sigba, s.e.Sigzdm, s.e.Tautm},
                 {32000 * w.Mba / (kPi * d * d * d), w.N / (kPi * d * d / 4),
                  16000 * std::fabs(w.T) / (kPi * d * d * d)},
                 1e-9);
      if (!f.welle.hinweise.empty()) {
        ASSERT_FALSE(s.hinweise.empty());
        EXPECT_EQ(s.hinweise.back(), f.welle.hinweise.back());
      }
    }
  }
}

// ---------------------------------------------------------------------------
// A stepped, partly hollow shaft with overhangs at both ends, loaded in both
// planes, against w'' = M / (E I) integrated numerically: the curvature at
// the middle of each step (exact for a linear M), the slope by the trapezoid
// rule, then the straight line that puts w = 0 at both bearings.
TEST(StatikTest, AbgesetzteWelleGegenNumerischeIntegration) {
  Welle w = Glatt(200, 20, 170,
                  {{.x = 10, .Mby = -5},
                   {.x = 60, .Fy = 2000, .Fz = -800},
                   {.x = 120, .Fy = -1200, .Mbz = 40},
                   {.x = 200, .Fz = 200}});
  w.abschnitte = {Zylinder(30, 30), Zylinder(50, 40, 1.0), Zylinder(80, 50, 2.0, 20),
                  Zylinder(40, 35, 1.5)};
  ASSERT_TRUE(Pruefe(w).empty());
  const Lastsatz mittel(w, w.lastfaelle[0], false);
  const Biegelinie linie(w, mittel);

  const auto EI = [&](double x) {  // the test's own contour
    const double D = x < 30 ? 30 : x < 80 ? 40 : x < 160 ? 50 : 35;
    const double di = x >= 80 && x < 160 ? 20 : 0;
    return kE * kPi * (std::pow(D, 4) - std::pow(di, 4)) / 64;
  };
  constexpr int kSchritte = 40000;  // h = 0.005 mm; every jump on a node
  const double h = 200.0 / kSchritte;
  std::vector<double> wy(kSchritte + 1), wz(kSchritte + 1), ty(kSchritte + 1), tz(kSchritte + 1);
  for (int i = 0; i < kSchritte; ++i) {
    const double mitte = (i + 0.5) * h;
    const Schnittgroessen s = mittel.Rechts(mitte);
    const auto k = static_cast<std::size_t>(i);
    ty[k + 1] = ty[k] + 1000 * s.Mxy / EI(mitte) * h;
    tz[k + 1] = tz[k] + 1000 * s.Mxz / EI(mitte) * h;
    wy[k + 1] = wy[k] + (ty[k] + ty[k + 1]) / 2 * h;
    wz[k + 1] = wz[k] + (tz[k] + tz[k + 1]) / 2 * h;
  }
  const std::size_t ia = 20 * kSchritte / 200, ib = 170 * kSchritte / 200;
  const double wy_a = wy[ia], wz_a = wz[ia];
  const double by = -(wy[ib] - wy_a) / 150, bz = -(wz[ib] - wz_a) / 150;
  double w_max = 0, x_max = 0, y_ref = 0;
  for (std::size_t i = 0; i <= kSchritte; ++i) {
    const double x = static_cast<double>(i) * h;
    wy[i] += -wy_a + by * (x - 20);
    wz[i] += -wz_a + bz * (x - 20);
    y_ref = std::max({y_ref, std::fabs(wy[i]), std::fabs(wz[i])});
    if (std::hypot(wy[i], wz[i]) > w_max) {
      w_max = std::hypot(wy[i], wz[i]);
      x_max = x;
    }
  }
  for (std::size_t i = 0; i <= kSchritte; i += 250) {
    const double x = static_cast<double>(i) * h;
    SCOPED_TRACE("x = " + std::to_string(x));
    EXPECT_NEAR(linie.wy(x), wy[i], 1e-7 * y_ref);
    EXPECT_NEAR(linie.wz(x), wz[i], 1e-7 * y_ref);
  }
  const double neigung = std::max(std::fabs(ty[ia] + by), std::fabs(tz[ia] + bz));
  Vergleiche({linie.NeigungY(20), linie.NeigungZ(20), linie.NeigungY(170), linie.NeigungZ(170)},
             {ty[ia] + by, tz[ia] + bz, ty[ib] + by, tz[ib] + bz}, 1e-7 * neigung);
  const Biegelinie::Groesstwert m = linie.Maximum();
  EXPECT_NEAR(m.w, w_max, 1e-7 * w_max);
  EXPECT_NEAR(m.x, x_max, 2 * h);
  // Inside a piece, so (wy^2 + wz^2)' = 0 there, to rounding.
  EXPECT_NEAR(linie.wy(m.x) * linie.NeigungY(m.x) + linie.wz(m.x) * linie.NeigungZ(m.x), 0,
              1e-12 * m.w * neigung);
}

// ---------------------------------------------------------------------------
// Bad shafts: each change to a sound shaft gives exactly its one fault.

Welle Gut() {
  Welle w = Glatt(190, 20, 150, {});
  w.abschnitte = {Zylinder(40, 40), Zylinder(120, 50, 2.0), Zylinder(30, 45, 1.5)};
  w.nuten = {{.x = 95, .t = 1.25, .r = 0.2}};
  const std::vector<Lastelement> lasten = {{.x = 100, .Fy = 2500, .Fz = -900, .T = 450, .T_a = 30},
                                           {.x = 180, .T = -450, .T_a = -30}};
  w.lastfaelle = {{"Nennlast", lasten}, {"Anfahren", lasten}};
  return w;
}

TEST(StatikTest, Pruefe) {
  using O = Fehler::Ort;
  struct Zeile {
    void (*aendern)(Welle&);
    Fehler fehler;
  };
  // clang-format off
  const Zeile zeilen[] = {
    {[](Welle& w) { w.E = 0; }, {O::kWelle, 0, 0, "E", "E nicht positiv"}},
    {[](Welle& w) { w.deff = -1; }, {O::kWelle, 0, 0, "deff", "deff nicht positiv"}},
    {[](Welle& w) { w.Rz = kNaN; }, {O::kWelle, 0, 0, "Rz", "Rz nicht endlich"}},
    {[](Welle& w) { w.werkstoff.SigB = kNaN; }, {O::kWerkstoff, 0, 0, "SigB", "SigB nicht endlich"}},
    {[](Welle& w) { w.werkstoff.K1Fall = 5; }, {O::kWerkstoff, 0, 0, "K1Fall", "K1Fall = 5 nicht 1 bis 4"}},
    {[](Welle& w) { w.werkstoff.harteRandschicht = 2; },
     {O::kWerkstoff, 0, 0, "harteRandschicht", "harteRandschicht = 2 nicht 0 oder 1"}},
    {[](Welle& w) { w.abschnitte.clear(); }, {O::kWelle, 0, 0, "abschnitt", "keine Abschnitte"}},
    {[](Welle& w) { w.abschnitte[1].l = 0; }, {O::kAbschnitt, 1, 0, "l", "l nicht positiv"}},
    {[](Welle& w) { w.abschnitte[0].D = kInf; }, {O::kAbschnitt, 0, 0, "D", "D nicht endlich"}},
    {[](Welle& w) { w.abschnitte[2].D = 0; }, {O::kAbschnitt, 2, 0, "D", "D nicht positiv"}},
    {[](Welle& w) { w.abschnitte[1].di = 50; }, {O::kAbschnitt, 1, 0, "di", "di = 50 nicht kleiner als D = 50"}},
    {[](Welle& w) { w.abschnitte[1].di = -1; }, {O::kAbschnitt, 1, 0, "di", "di negativ"}},
    {[](Welle& w) { w.abschnitte[1].r.reset(); }, {O::kAbschnitt, 1, 0, "r", "r fehlt: D wechselt von 40 auf 50"}},
    {[](Welle& w) { w.abschnitte[2].r = 0; }, {O::kAbschnitt, 2, 0, "r", "r nicht positiv"}},
    {[](Welle& w) { w.abschnitte[0].r = 1; }, {O::kAbschnitt, 0, 0, "r", "r beim ersten Abschnitt: kein Übergang"}},
    {[](Welle& w) { w.abschnitte.push_back(Zylinder(10, 45, 1.0)); },
     {O::kAbschnitt, 3, 0, "r", "r gegeben, aber D wechselt hier nicht"}},
    {[](Welle& w) { w.abschnitte.push_back(Zylinder(10, 45)); w.abschnitte[3].Rz = 3.2; },
     {O::kAbschnitt, 3, 0, "Rz", "Rz gegeben, aber D wechselt hier nicht"}},
    {[](Welle& w) { w.abschnitte[1].l = w.abschnitte[2].l = 1e308; },
     {O::kWelle, 0, 0, "abschnitt", "Gesamtlänge nicht endlich"}},
    {[](Welle& w) { w.nuten[0].x = 40; }, {O::kNut, 0, 0, "x", "x = 40 auf einer Abschnittsgrenze"}},
    {[](Welle& w) { w.nuten[0].x = 40.1; }, {O::kNut, 0, 0, "x", "x = 40.1 näher als r = 0.2 am Abschnittsende 40"}},
    {[](Welle& w) { w.nuten[0].x = 250; }, {O::kNut, 0, 0, "x", "x = 250 außerhalb der Welle (0 bis 190)"}},
    {[](Welle& w) { w.nuten[0].t = 25; }, {O::kNut, 0, 0, "t", "t = 25 nicht kleiner als D/2 = 25"}},
    {[](Welle& w) { w.abschnitte[1].di = 46; w.nuten[0].t = 2; },
     {O::kNut, 0, 0, "t", "t = 2 nicht kleiner als die Wanddicke (D - di)/2 = 2"}},
    {[](Welle& w) { w.nuten[0].r = -0.2; }, {O::kNut, 0, 0, "r", "r nicht positiv"}},
    {[](Welle& w) { w.lager.pop_back(); },
     {O::kWelle, 0, 0, "lager", "1 Lager statt zwei (eines \"fest\", eines \"los\")"}},
    {[](Welle& w) { w.lager[1].art = Lagerart::kFest; },
     {O::kLager, 1, 0, "art", "zwei Festlager: eines muss \"los\" sein"}},
    {[](Welle& w) { w.lager[1].x = 20; }, {O::kLager, 1, 0, "x", "beide Lager bei x = 20"}},
    {[](Welle& w) { w.lager[0].x = -1; }, {O::kLager, 0, 0, "x", "x = -1 außerhalb der Welle (0 bis 190)"}},
    {[](Welle& w) { w.lastfaelle.clear(); }, {O::kWelle, 0, 0, "lastfall", "kein Lastfall"}},
    {[](Welle& w) { w.lastfaelle[1].name = "Nennlast"; },
     {O::kLastfall, 1, 0, "name", "name \"Nennlast\" hat schon Lastfall 1"}},
    {[](Welle& w) { w.lastfaelle[1].lasten[1].x = 191; },
     {O::kLast, 1, 1, "x", "x = 191 außerhalb der Welle (0 bis 190)"}},
    {[](Welle& w) { w.lastfaelle[0].lasten[0].Fy_a = kNaN; }, {O::kLast, 0, 0, "Fy_a", "Fy_a nicht endlich"}},
    {[](Welle& w) { w.lastfaelle[1].lasten[0].T = 400; },
     {O::kLastfall, 1, 0, "T", "Summe der T = -50 nicht null: die Welle dreht frei"}},
    {[](Welle& w) { w.lastfaelle[0].lasten[1].T_a = -30.001; },
     {O::kLastfall, 0, 0, "T_a", "Summe der T_a = -0.001 nicht null: die Welle dreht frei"}},
  };
  // clang-format on
  ASSERT_TRUE(Pruefe(Gut()).empty());
  for (const Zeile& z : zeilen) {
    Welle w = Gut();
    z.aendern(w);
    const std::vector<Fehler> fehler = Pruefe(w);
    SCOPED_TRACE(z.fehler.text);
    ASSERT_EQ(fehler.size(), 1U) << (fehler.size() > 1 ? fehler[1].text : "");
    EXPECT_EQ(fehler[0].ort, z.fehler.ort);
    EXPECT_EQ(fehler[0].index, z.fehler.index);
    EXPECT_EQ(fehler[0].lastfall, z.fehler.lastfall);
    EXPECT_EQ(fehler[0].schluessel, z.fehler.schluessel);
    EXPECT_EQ(fehler[0].text, z.fehler.text);
    EXPECT_TRUE(Berechne(w).lastfaelle.empty());
    // What the model gives for it is meaningless, but must not crash
    // (the sanitizer build runs this).
    static_cast<void>(Stellen(w));
    if (!w.lastfaelle.empty()) {
      const Lastsatz mittel(w, w.lastfaelle[0], false);
      static_cast<void>(Biegelinie(w, mittel).Maximum());
    }
  }

  // Within 1e-9 of the length is still on the shaft, and torques that
  // cancel to rounding are balanced.
  Welle w = Gut();
  w.lastfaelle[0].lasten[1].x = 190 + 1e-8;
  w.lastfaelle[0].lasten[0].T = 0.1 + 0.2;
  w.lastfaelle[0].lasten[1].T = -0.3;
  EXPECT_TRUE(Pruefe(w).empty());
}

// ---------------------------------------------------------------------------
// The sections of a small hollow shaft, worked out by hand.
TEST(StatikTest, Stellen) {
  Welle w = Gut();
  w.Rz = 4;
  w.werkstoff.SigB = 1000;
  w.abschnitte[1].di = 20;
  w.abschnitte[1].Rz = 3.2;
  w.abschnitte[2].di = 10;
  w.nuten[0].Rz = 6.3;
  w.nuten.push_back({.x = 20, .t = 1, .r = 0.5});

  const auto e = [](int kerbfall, double D, double d, double t, double r, double Rz, int hohl) {
    Eingabewerte x = DefaultEingabewerte();
    x.Sigzdm = x.Sigbm = x.Tautm = x.Sigzda = x.Sigba = x.Tauta = 0;
    x.SigB = 1000;
    x.deff = 50;
    x.Kerbfall = kerbfall;
    x.D = D;
    x.d = d;
    x.t = t;
    x.r = r;
    x.Rz = Rz;
    x.Hohlwelle = hohl;
    return x;
  };
  const Stelle soll[] = {
      {1, 20, 0, 1, e(kRundnut, 40, 38, 1, 0.5, 4, 0)},
      {2, 40, 0, 1, e(kAbsatz, 50, 40, 5, 2, 3.2, 0)},
      {3, 95, 20, 0, e(kRundnut, 50, 47.5, 1.25, 0.2, 6.3, 1)},
      {4, 160, 10, 2, e(kAbsatz, 50, 45, 2.5, 1.5, 4, 1)},
  };
  ASSERT_TRUE(Pruefe(w).empty());
  const std::vector<Stelle> stellen = Stellen(w);
  ASSERT_EQ(stellen.size(), std::size(soll));
  for (std::size_t i = 0; i < stellen.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(stellen[i].nummer, soll[i].nummer);
    EXPECT_EQ(stellen[i].x, soll[i].x);
    EXPECT_EQ(stellen[i].di, soll[i].di);
    EXPECT_EQ(stellen[i].quelle, soll[i].quelle);
    EXPECT_TRUE(stellen[i].e == soll[i].e);
  }

  // deff given; without Welle::Rz, the record's default roughness.
  w.deff = 60;
  w.Rz.reset();
  const std::vector<Stelle> ohne = Stellen(w);
  EXPECT_EQ(ohne[0].e.Rz, DefaultEingabewerte().Rz);
  EXPECT_EQ(ohne[3].e.Rz, DefaultEingabewerte().Rz);
  EXPECT_EQ(ohne[1].e.Rz, 3.2);
  for (const Stelle& s : ohne) EXPECT_EQ(s.e.deff, 60);
}

// The curves: every place with both sides where a value jumps, the evenly
// spaced points, in order of x, and the deflection of the means.
TEST(StatikTest, Kurven) {
  const Welle w = Gut();
  const std::vector<Kurvenpunkt> k = Kurven(w, 0, 200);
  ASSERT_FALSE(k.empty());
  EXPECT_TRUE(std::is_sorted(k.begin(), k.end(),
                             [](const Kurvenpunkt& p, const Kurvenpunkt& q) { return p.x < q.x; }));
  const auto bei = [&](double x) {
    std::vector<Kurvenpunkt> v;
    std::copy_if(k.begin(), k.end(), std::back_inserter(v),
                 [&](const Kurvenpunkt& p) { return p.x == x; });
    return v;
  };
  // 201 evenly spaced points, of which 0, 95 and 190 are places; the places
  // 20, 40, 100, 150, 160 and 180 besides (the deflection is largest at the
  // free end, 190). The bearings and the loads jump, boundaries and the
  // groove do not.
  EXPECT_EQ(k.size(), 201U + 6U + 4U);
  for (const double x : {20.0, 100.0, 150.0, 180.0}) EXPECT_EQ(bei(x).size(), 2U) << x;
  for (const double x : {0.0, 40.0, 95.0, 160.0, 190.0}) EXPECT_EQ(bei(x).size(), 1U) << x;
  EXPECT_NEAR(k[1].x, 0.95, 1e-12);
  const std::vector<Kurvenpunkt> last = bei(100);
  EXPECT_EQ(last[0].mittel.T, 0);
  EXPECT_EQ(last[1].mittel.T, 450);
  EXPECT_EQ(last[1].T_a, 30);
  const Lastsatz mittel(w, w.lastfaelle[0], false);
  const Biegelinie linie(w, mittel);
  EXPECT_EQ(last[0].wy, linie.wy(100));
  // The largest deflection of the curves is the exact one.
  const Biegelinie::Groesstwert groesste = linie.Maximum();
  const auto w_max = std::max_element(
      k.begin(), k.end(), [](const Kurvenpunkt& p, const Kurvenpunkt& q) { return p.w < q.w; });
  EXPECT_EQ(w_max->w, groesste.w);
  EXPECT_EQ(w_max->x, groesste.x);
  EXPECT_EQ(bei(groesste.x).size(), 1U);
  // A largest deflection between the places is a point of its own: a load
  // off the middle between the bearings at the ends, 8 evenly spaced
  // points: 9 of them, the load at 70 and the maximum, and a second point
  // where the load and the two reactions jump.
  const Welle glatt = Glatt(300, 0, 300, {{.x = 70, .Fy = 1000}});
  const Biegelinie glatt_linie(glatt, Lastsatz(glatt, glatt.lastfaelle[0], false));
  const std::vector<Kurvenpunkt> acht = Kurven(glatt, 0, 8);
  EXPECT_EQ(acht.size(), 9U + 1U + 1U + 3U);
  EXPECT_EQ(std::count_if(acht.begin(), acht.end(),
                          [&](const Kurvenpunkt& p) {
                            return p.x == glatt_linie.Maximum().x && p.w == glatt_linie.Maximum().w;
                          }),
            1);
  EXPECT_TRUE(Kurven(w, 2).empty());
}

}  // namespace
}  // namespace wellen

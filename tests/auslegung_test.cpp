// Design mode: each search's answer meets S_min, no smaller grid value does,
// and where none meets, no grid value has a larger smaller factor. Walked
// over one table of cases per search, including a shoulder that meets S_min
// only between two radii.
#include "calc/auslegung.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "calc/nachweis.h"
#include "calc/urteil.h"

namespace wellen {
namespace {

constexpr double kSmin = 1.2;

double Kleinere(const Nachweis& n) {
  if (std::isnan(n.SDauerbruch) || std::isnan(n.SFliessgrenze)) return -INFINITY;
  return std::min(n.SDauerbruch, n.SFliessgrenze);
}

// Checks `a` against every grid value i / teiler from `erster` to `letzter`,
// each checked afresh by `bei`.
void PruefeGitter(const Auslegung& a, long erster, long letzter, double teiler,
                  const std::function<Eingabewerte(double)>& bei) {
  double beste = -INFINITY;
  bool gefunden = false;
  for (long i = erster; i <= letzter; ++i) {
    const double wert = static_cast<double>(i) / teiler;
    const Eingabewerte e = bei(wert);
    const Nachweis n = Calculate(e);
    if (NachweisErfuellt(e, n, kSmin)) {
      ASSERT_TRUE(a.erreicht) << "meets at " << wert;
      EXPECT_EQ(a.wert, wert) << "the first grid value that meets";
      EXPECT_EQ(a.SDauerbruch, n.SDauerbruch);
      EXPECT_EQ(a.SFliessgrenze, n.SFliessgrenze);
      gefunden = true;
      break;
    }
    beste = std::max(beste, Kleinere(n));
  }
  if (!gefunden) {
    EXPECT_FALSE(a.erreicht);
    const Nachweis n = Calculate(bei(a.wert));
    EXPECT_EQ(Kleinere(n), beste) << "the best grid value where none meets";
    EXPECT_EQ(a.SDauerbruch, n.SDauerbruch);
  }
}

Eingabewerte Fall(std::function<void(Eingabewerte&)> aendern) {
  Eingabewerte e = DefaultEingabewerte();
  aendern(e);
  return e;
}

TEST(Auslegung, SmallestRadius) {
  const struct {
    const char* was;
    Eingabewerte e;
    bool erreicht;
    double wert;  // where known by hand, else 0
  } faelle[] = {
      {"defaults: already met at r = 3, a smaller radius suffices",
       Fall([](Eingabewerte&) {}), true, 0},
      // The yield increase factor steps from 1.15 to 1.1 as max(alpha, beta)
      // falls below 3, and S Fliessgrenze with it: met only from 0.14 to 0.52.
      {"shoulder met only between two radii",
       Fall([](Eingabewerte& e) {
         e.D = 80, e.d = 76, e.t = 2, e.deff = 80;
         e.Sigzdm = 0, e.Sigzda = 0, e.Sigbm = 700, e.Sigba = 40, e.Tautm = 200, e.Tauta = 0;
       }),
       true, 0.14},
      {"round groove, searched up to d/2",
       Fall([](Eingabewerte& e) {
         e.Kerbfall = kRundnut, e.D = 42, e.d = 39.5, e.t = 1.25, e.deff = 42, e.Rz = 6.3;
         e.Sigzdm = 0, e.Sigbm = 0, e.Sigzda = 0, e.Tauta = 0, e.Tautm = 60, e.Sigba = 98;
       }),
       true, 0},
      {"not reachable: the mean stress exceeds the yield strength",
       Fall([](Eingabewerte& e) { e.Sigzdm = 600; }), false, 0},
      {"no grid value: a step below the first radius",
       Fall([](Eingabewerte& e) { e.t = 0.005; }), false, NAN},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.was);
    const Auslegung a = KleinsterRadius(f.e, kSmin);
    EXPECT_EQ(a.erreicht, f.erreicht);
    if (f.wert != 0) {
      if (std::isnan(f.wert)) {
        EXPECT_TRUE(std::isnan(a.wert) && std::isnan(a.SDauerbruch));
        continue;
      }
      EXPECT_EQ(a.wert, f.wert);
    }
    EXPECT_EQ(a.bis, RadiusGrenze(f.e));
    EXPECT_EQ(a.e.r, a.wert);
    const auto letzter = static_cast<long>(std::floor(RadiusGrenze(f.e) * 100 + 1e-6));
    PruefeGitter(a, 1, letzter, 100, [&](double r) {
      Eingabewerte e = f.e;
      e.r = r;
      return e;
    });
  }
  // Not monotonic: beyond 0.52 the shoulder no longer meets S_min, so a
  // bisection over 0.01 ... t would have missed the answer.
  Eingabewerte e = faelle[1].e;
  e.r = 0.53;
  EXPECT_FALSE(NachweisErfuellt(e, Calculate(e), kSmin));
  e.r = 0.52;
  EXPECT_TRUE(NachweisErfuellt(e, Calculate(e), kSmin));
}

// A wild input must not make a search run for ever, nor be called not
// reachable where a small value is enough: the range ends after a million
// grid values, and says where.
TEST(Auslegung, ALongRangeEndsAfterAMillionValues) {
  const struct {
    const char* was;
    double von, bis, schritt, genug;  // pruefe meets from `genug` on
    bool erreicht;
    double wert, ende;
    long pruefungen;
  } faelle[] = {
      {"a step of 20 m, met at 0.48", 0.01, 20000, 0.01, 0.48, true, 0.48, 10000, 48},
      {"a step of 20 m, never met", 0.01, 20000, 0.01, INFINITY, false, 0.01, 10000, 1000000},
      {"d of 25 m", 5000, 125000, 0.1, INFINITY, false, 5000, 104999.9, 1000000},
      {"a range of exactly a million", 0.01, 10000, 0.01, INFINITY, false, 0.01, 10000, 1000000},
      {"beyond every index", 1e300, INFINITY, 0.01, 0, false, NAN, INFINITY, 0},
      {"far out", 1e300, 2e300, 0.01, 0, false, NAN, 2e300, 0},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.was);
    long pruefungen = 0;
    const Gittersuche s = SucheAufGitter(f.von, f.bis, f.schritt, [&](double wert) {
      ++pruefungen;
      return Gitterpruefung{wert >= f.genug, -wert};  // the first is the best
    });
    EXPECT_EQ(s.erreicht, f.erreicht);
    if (std::isnan(f.wert)) {
      EXPECT_TRUE(std::isnan(s.wert));
    } else {
      EXPECT_EQ(s.wert, f.wert);
    }
    EXPECT_EQ(s.bis, f.ende);
    EXPECT_EQ(pruefungen, f.pruefungen);
  }
  // The real search passes the end on.
  const Auslegung a = KleinsterRadius(Fall([](Eingabewerte& e) { e.t = 20000; }), kSmin);
  EXPECT_TRUE(a.erreicht);
  EXPECT_EQ(a.bis, 10000);
}

TEST(Auslegung, SmallestSizeScalesTheShape) {
  Schnittlasten biegung;  // a bearing seat under rotating bending and torque
  biegung.Mba = 450;
  biegung.Tm = 300;
  Schnittlasten hohl = biegung;
  hohl.di = 20;
  Schnittlasten gross;
  gross.Mba = 2500;
  gross.Tm = 1500;
  const struct {
    const char* was;
    Eingabewerte e;
    Schnittlasten lasten;
    bool erreicht;
  } faelle[] = {
      {"over-designed: shrinks",
       Fall([](Eingabewerte& e) { e.Sigzdm = 0, e.Sigbm = 0, e.Sigzda = 0, e.Tauta = 0; }),
       biegung, true},
      {"hollow: the bore scales too",
       Fall([](Eingabewerte& e) {
         e.Sigzdm = 0, e.Sigbm = 0, e.Sigzda = 0, e.Tauta = 0, e.Hohlwelle = 1;
       }),
       hohl, true},
      {"under-designed: grows",
       Fall([](Eingabewerte& e) { e.Sigzdm = 0, e.Sigbm = 0, e.Sigzda = 0, e.Tauta = 0; }),
       gross, true},
      {"not reachable: a given mean stress beyond the yield strength stays",
       Fall([](Eingabewerte& e) { e.Sigzdm = 900; }), biegung, false},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.was);
    const Auslegung a = KleinsterDurchmesser(f.e, f.lasten, kSmin);
    EXPECT_EQ(a.erreicht, f.erreicht);
    const auto bei = [&](double d) { return Skaliert(f.e, f.lasten, d); };
    PruefeGitter(a, static_cast<long>(std::ceil(2 * f.e.d - 1e-6)),
                 static_cast<long>(std::floor(50 * f.e.d + 1e-6)), 10, bei);
    // The shape stays: every length scaled by k = d_erf / d, the loads
    // converted again at the new section.
    const double k = a.wert / f.e.d;
    EXPECT_EQ(a.e.d, a.wert);
    EXPECT_EQ(a.e.D, k * f.e.D);
    EXPECT_EQ(a.e.r, k * f.e.r);
    EXPECT_EQ(a.e.t, k * f.e.t);
    EXPECT_EQ(a.e.deff, k * f.e.deff);
    EXPECT_EQ(a.e.Tautm, TorsionStress(*f.lasten.Tm, a.wert, k * f.lasten.di.value_or(0)));
    EXPECT_EQ(a.e.Sigzdm, f.e.Sigzdm) << "a stress given as such stays";
  }
  EXPECT_LT(KleinsterDurchmesser(faelle[0].e, biegung, kSmin).wert, 40);
  EXPECT_GT(KleinsterDurchmesser(faelle[2].e, faelle[2].lasten, kSmin).wert, 40);
}

}  // namespace
}  // namespace wellen

// Design mode of a whole shaft, each answer checked by a full computation of
// the shaft with the answer put in (Berechne, not the searches' own lean
// path): the smallest radius of every section meets S_min in every load
// case and no smaller grid radius does; the resized shaft meets S_min
// everywhere and no smaller size does. And the resized shaft written as a
// file reads back as the very same shaft.
#include "statik/wellenauslegung.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "calc/urteil.h"
#include "welle/reader.h"
#include "welle/schreiber.h"
#include "welle/template.h"

namespace wellen::welle {
namespace {

Welle Lies(std::string_view text) {
  std::vector<Dateifehler> fehler;
  std::optional<Welle> welle = LeseWelle(text, fehler);
  EXPECT_TRUE(welle.has_value()) << (fehler.empty() ? "" : fehler.front().text);
  return welle.value_or(Welle{});
}

// Whether section i meets S_min in every load case; every section where i
// is npos. False for a shaft that cannot be computed.
bool Erfuellt(const Welle& welle, double smin, std::size_t i = std::string::npos) {
  const Wellenergebnis e = Berechne(welle);
  if (e.lastfaelle.empty()) return false;
  return std::all_of(e.lastfaelle.begin(), e.lastfaelle.end(), [&](const Lastfallergebnis& f) {
    for (std::size_t k = 0; k < f.stellen.size(); ++k) {
      if ((i == std::string::npos || k == i) && !NachweisErfuellt(f.stellen[k].e, f.stellen[k].n, smin)) {
        return false;
      }
    }
    return true;
  });
}

// The shaft with the radius of section `stelle` set to r.
Welle MitRadius(Welle welle, const Stelle& stelle, double r) {
  if (stelle.e.Kerbfall == kRundnut) {
    welle.nuten.at(stelle.quelle).r = r;
  } else {
    welle.abschnitte.at(stelle.quelle).r = r;
  }
  return welle;
}

// A shaft whose groove sits 0.6 mm from its segment's end, and whose first
// shoulder is a step of 0.004 mm, below the smallest radius of the grid.
const char* const kEng = R"(
[werkstoff]
SigB = 1000
SigS = 800
[[abschnitt]]
l = 60
D = 40
[[abschnitt]]
l = 60
D = 40.008
r = 0.5
[[abschnitt]]
l = 60
D = 48
r = 1
[[nut]]
x = 59.4
t = 1
r = 0.2
[[lager]]
x = 10
art = "fest"
[[lager]]
x = 170
art = "los"
[[last]]
x = 90
Fy = 9000
T = 400
[[last]]
x = 175
T = -400
)";

TEST(Wellenauslegung, SmallestRadiusOfEverySection) {
  const Welle vorlage = Lies(Vorlage());
  const Welle eng = Lies(kEng);
  const struct {
    const char* was;
    const Welle& welle;
    double smin;
  } faelle[] = {
      {"template: every radius shrinks", vorlage, 1.2},
      {"template: some reachable, some not", vorlage, 10},
      {"a groove with little room, a step below the grid", eng, 1.2},
      {"the same, harder", eng, 2.5},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.was);
    const std::vector<Radiusauslegung> radien = KleinsteRadien(f.welle, f.smin);
    const Wellenergebnis ergebnis = Berechne(f.welle);
    ASSERT_EQ(radien.size(), ergebnis.stellen.size());
    for (std::size_t i = 0; i < radien.size(); ++i) {
      SCOPED_TRACE("Stelle " + std::to_string(i + 1));
      const Stelle& stelle = ergebnis.stellen[i];
      const Auslegung& a = radien[i].auslegung;
      EXPECT_EQ(a.bis, RadiusGrenze(f.welle, stelle));
      // Every grid value below the answer (or up to the limit) fails, by
      // the full computation of the shaft with that radius.
      const long bis = a.erreicht ? std::lround(a.wert * 100) - 1
                                  : static_cast<long>(std::floor(a.bis * 100 + 1e-6));
      double beste = -INFINITY;
      for (long k = 1; k <= bis; ++k) {
        const Welle w = MitRadius(f.welle, stelle, static_cast<double>(k) / 100);
        ASSERT_FALSE(Erfuellt(w, f.smin, i)) << "r = " << k / 100.0;
        const Wellenergebnis e = Berechne(w);
        if (e.lastfaelle.empty()) continue;  // the groove would not fit
        double kleinste = INFINITY;
        for (const Lastfallergebnis& lf : e.lastfaelle) {
          kleinste = std::min(kleinste, KleinereSicherheit(lf.stellen[i].n));
        }
        beste = std::max(beste, kleinste);
      }
      if (std::isnan(a.wert)) {
        EXPECT_LT(a.bis, kRadiusSchritt);
        EXPECT_TRUE(radien[i].je_lastfall.empty());
        continue;
      }
      const Welle mit = MitRadius(f.welle, stelle, a.wert);
      const Wellenergebnis e = Berechne(mit);
      ASSERT_EQ(e.lastfaelle.size(), radien[i].je_lastfall.size()) << "the answer fits";
      EXPECT_EQ(Erfuellt(mit, f.smin, i), a.erreicht);
      double kleinste = INFINITY;
      for (std::size_t lf = 0; lf < e.lastfaelle.size(); ++lf) {
        const Nachweis& n = e.lastfaelle[lf].stellen[i].n;
        EXPECT_EQ(radien[i].je_lastfall[lf].n.SDauerbruch, n.SDauerbruch);
        EXPECT_EQ(radien[i].je_lastfall[lf].n.SFliessgrenze, n.SFliessgrenze);
        kleinste = std::min(kleinste, KleinereSicherheit(n));
      }
      const Nachweis& m = e.lastfaelle[a.massgebend].stellen[i].n;
      EXPECT_EQ(KleinereSicherheit(m), kleinste) << "the governing load case";
      EXPECT_EQ(a.SDauerbruch, m.SDauerbruch);
      if (!a.erreicht) {
        EXPECT_EQ(kleinste, beste) << "the best grid value where none meets";
      }
    }
  }
  // What the table shows: the groove's radius is bounded by its room in the
  // segment (0.6 mm), not d/2; the first step is below the grid.
  const std::vector<Radiusauslegung> radien = KleinsteRadien(eng, 2.5);
  const std::vector<Stelle> stellen = Stellen(eng);
  EXPECT_NEAR(radien.at(0).auslegung.bis, 0.6, 1e-12);
  EXPECT_EQ(stellen.at(0).e.Kerbfall, kRundnut);
  EXPECT_TRUE(Pruefe(MitRadius(eng, stellen.at(0), 0.6)).empty());
  EXPECT_FALSE(Pruefe(MitRadius(eng, stellen.at(0), 0.61)).empty()) << "the limit is real";
  EXPECT_TRUE(std::isnan(radien.at(1).auslegung.wert));
}

TEST(Wellenauslegung, SmallestCommonFactor) {
  const Welle vorlage = Lies(Vorlage());
  Welle hohl = vorlage;  // bored through, with a deff of its own
  for (Abschnitt& a : hohl.abschnitte) a.di = 20;
  hohl.deff = 70;
  // A groove with 0.02 mm to spare: it no longer fits once the shaft grows
  // by more than 10 %.
  Welle knapp = Lies(kEng);
  knapp.nuten[0].r = 0.58;
  const struct {
    const char* was;
    const Welle& welle;
    double smin;
    bool erreicht;
  } faelle[] = {
      {"over-designed: shrinks", vorlage, 1.2, true},
      {"a harder S_min: shrinks less", vorlage, 4, true},
      {"hollow", hohl, 1.5, true},
      {"grows", Lies(kEng), 3, true},
      {"not reachable: the groove no longer fits", knapp, 4, false},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.was);
    const Groessenauslegung g = KleinsterGemeinsamerFaktor(f.welle, f.smin);
    EXPECT_EQ(g.erreicht, f.erreicht);
    double D_max = 0;
    for (const Abschnitt& a : f.welle.abschnitte) D_max = std::max(D_max, a.D);
    ASSERT_EQ(g.D_max, D_max);
    EXPECT_EQ(g.k, g.wert / D_max);
    // The shape stays: every diameter, bore, radius and depth times k; the
    // largest diameter on the grid exactly; lengths, places, loads as given.
    Welle erwartet = f.welle;
    for (Abschnitt& a : erwartet.abschnitte) {
      a.D = a.D == D_max ? g.wert : g.k * a.D;
      a.di *= g.k;
      if (a.r) *a.r *= g.k;
    }
    for (Nut& n : erwartet.nuten) n.t *= g.k, n.r *= g.k;
    if (erwartet.deff) *erwartet.deff *= g.k;
    EXPECT_EQ(g.welle, erwartet);
    EXPECT_EQ(Skaliert(f.welle, g.wert), erwartet);
    // The answer meets S_min by a full computation, and no smaller size on
    // the grid does.
    EXPECT_EQ(Erfuellt(g.welle, f.smin), f.erreicht);
    EXPECT_EQ(g.ergebnis.stellen.size(), Berechne(g.welle).stellen.size());
    const long erster = static_cast<long>(std::ceil(D_max * 2 - 1e-6));
    const long letzter = std::lround(g.wert * 10) - (f.erreicht ? 1 : 0);
    for (long k = erster; k <= letzter; ++k) {
      if (!f.erreicht && k != letzter) continue;
      EXPECT_FALSE(Erfuellt(Skaliert(f.welle, static_cast<double>(k) / 10), f.smin))
          << "D_max = " << k / 10.0;
    }
    if (f.erreicht) {
      EXPECT_TRUE(Erfuellt(Skaliert(f.welle, g.wert), f.smin));
    } else {
      EXPECT_GT(g.uebergangen, 0u);
      ASSERT_FALSE(g.hindernis.empty());
      EXPECT_EQ(g.hindernis[0].ort, Fehler::Ort::kNut);
      EXPECT_FALSE(Pruefe(Skaliert(f.welle, g.erster_uebergangen)).empty());
      EXPECT_TRUE(Pruefe(Skaliert(f.welle, g.erster_uebergangen - 0.1)).empty());
    }
  }
  EXPECT_LT(KleinsterGemeinsamerFaktor(vorlage, 1.2).k, 1);
  EXPECT_GT(KleinsterGemeinsamerFaktor(Lies(kEng), 3).k, 1);
}

// The resized shaft's file reads back as the very same shaft, whatever its
// names and numbers hold.
TEST(Wellenauslegung, FileReadsBackAsTheSameShaft) {
  const Welle vorlage = Lies(Vorlage());
  Welle seltsam = Lies(kEng);  // one load case at the top level, materials defaulted
  seltsam.name = "Welle \"7\" \\ mit\tTab\nund Zeile, \x01 und Umlaut: Überlast";
  seltsam.werkstoff_name = "S355 # kein Kommentar";
  seltsam.deff = 0.1 + 0.2;
  seltsam.Rz = 1e-7;
  seltsam.art = Wellenart::kStehend;
  seltsam.abschnitte[0].l = 1e21 / 1e19;
  seltsam.abschnitte[0].di = 9007199254740993.0 / 1e15;
  seltsam.nuten[0].Rz = 3.2;
  seltsam.lastfaelle[0].lasten[0].name = "Zahnrad [1]";
  seltsam.lastfaelle[0].lasten[0].Fz = -0.0;
  seltsam.lastfaelle[0].lasten[0].Fy_a = 123456789012345678.0;
  seltsam.E = 1e300;
  const Welle kleiner = KleinsterGemeinsamerFaktor(vorlage, 1.2).welle;
  for (const Welle* w : {&vorlage, static_cast<const Welle*>(&seltsam), &kleiner}) {
    const std::string text = Wellendatei(*w, "Kopf\nzweite Zeile mit \x7f und \xff");
    Welle gelesen = Lies(text);
    Welle soll = *w;
    soll.hinweise.clear();  // every material value is written
    gelesen.hinweise.clear();
    EXPECT_EQ(gelesen, soll) << text;
    EXPECT_TRUE(std::signbit(gelesen.lastfaelle[0].lasten[0].Fz) ==
                std::signbit(soll.lastfaelle[0].lasten[0].Fz));
    EXPECT_EQ(text.rfind("# Kopf\n# zweite Zeile mit   und \uFFFD\n", 0), 0u) << text;
  }
}

}  // namespace
}  // namespace wellen::welle

// The verdict: one table of cases, each a change to the defaults' input or
// check, with the rating and reason it must give each safety factor.
#include "calc/urteil.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "calc/schnittlasten.h"

namespace wellen {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Fall {
  Eingabewerte e = DefaultEingabewerte();
  Nachweis n = Calculate(DefaultEingabewerte());
  // Changes the input and computes it again.
  void Rechne(const std::function<void(Eingabewerte&)>& aendern) {
    aendern(e);
    n = Calculate(e);
  }
};

struct Erwartet {
  Bewertung bewertung;
  std::string grund;
};

struct Beispiel {
  const char* was;
  std::function<void(Fall&)> aendern;
  Erwartet dauerbruch, fliessgrenze;
};

const Erwartet kReicht{Bewertung::kReicht, ""};
const Erwartet kReichtNicht{Bewertung::kReichtNicht, ""};
Erwartet Ungueltig(std::string grund) { return {Bewertung::kUngueltig, std::move(grund)}; }

TEST(Urteil, TableOfCases) {
  const std::vector<Beispiel> beispiele = {
      {"defaults: 1.24088 and 1.39679", [](Fall&) {}, kReicht, kReicht},
      {"exactly S_min", [](Fall& f) { f.n.SDauerbruch = 1.2; }, kReicht, kReicht},
      {"just below", [](Fall& f) { f.n.SFliessgrenze = 1.19; }, kReicht, kReichtNicht},
      {"Sigzdm 600: 0.352079 on a negative ADK, and 0.845912",
       [](Fall& f) { f.Rechne([](Eingabewerte& e) { e.Sigzdm = 600; }); },
       Ungueltig("SigzdADK = -93.0998 nicht positiv"), kReichtNicht},
      {"no amplitude: infinite fatigue safety",
       [](Fall& f) { f.Rechne([](Eingabewerte& e) { e.Sigzda = e.Sigba = e.Tauta = 0; }); },
       kReicht, kReicht},
      // Each implausible strength, one load type at a time.
      {"ADK negative", [](Fall& f) { f.n.SigzdADK = -1; }, Ungueltig("SigzdADK = -1 nicht positiv"),
       kReicht},
      {"ADK zero", [](Fall& f) { f.n.SigbADK = 0; }, Ungueltig("SigbADK = 0 nicht positiv"),
       kReicht},
      {"ADK infinite", [](Fall& f) { f.n.TautADK = kInf; },
       Ungueltig("TautADK = inf nicht endlich"), kReicht},
      {"ADK not a number", [](Fall& f) { f.n.SigbADK = kNan; },
       Ungueltig("SigbADK = nan nicht endlich"), Ungueltig("Ergebnis keine Zahl: SigbADK")},
      {"ADK negative without its amplitude",
       [](Fall& f) {
         f.e.Sigzda = 0;
         f.n.SigzdADK = -1;
       },
       kReicht, kReicht},
      {"FK negative", [](Fall& f) { f.n.SigzdFK = -5; }, kReicht,
       Ungueltig("SigzdFK = -5 nicht positiv")},
      {"FK minus infinity", [](Fall& f) { f.n.TautFK = -kInf; }, kReicht,
       Ungueltig("TautFK = -inf nicht endlich")},
      {"FK zero", [](Fall& f) { f.n.SigbFK = 0; }, kReicht, Ungueltig("SigbFK = 0 nicht positiv")},
      {"FK infinite", [](Fall& f) { f.n.SigzdFK = kInf; }, kReicht,
       Ungueltig("SigzdFK = inf nicht endlich")},
      {"FK not a number", [](Fall& f) { f.n.TautFK = kNan; }, Ungueltig("Ergebnis keine Zahl: TautFK"),
       Ungueltig("TautFK = nan nicht endlich")},
      {"FK negative without a maximum stress",
       [](Fall& f) {
         f.e.Sigba = 50;
         f.e.Sigbm = -50;
         f.n.SigbFK = -5;
       },
       kReicht, kReicht},
      // Whole checks of mistyped input.
      {"d mistyped as 4 under a bending moment: a fatigue factor of 2302",
       [](Fall& f) {
         f.Rechne([](Eingabewerte& e) {
           e.d = 4;
           Schnittlasten lasten;
           lasten.Mbm = 1884.96;
           e = SpannungenAusLasten(e, lasten);
         });
       },
       Ungueltig("SigzdADK = -299417 nicht positiv, SigbADK = -299260 nicht positiv, "
                 "TautADK = -172778 nicht positiv"),
       kReichtNicht},
      {"SigS negative", [](Fall& f) { f.Rechne([](Eingabewerte& e) { e.SigS = -900; }); },
       Ungueltig("SigzdADK = -1352.57 nicht positiv, TautADK = -848.818 nicht positiv"),
       Ungueltig("SigzdFK = -823.415 nicht positiv, SigbFK = -988.098 nicht positiv, "
                 "TautFK = -543.313 nicht positiv")},
      // Values on the pages that are not numbers, finite factors or not.
      {"alpha not a number", [](Fall& f) { f.n.Bie.alpha = kNan; },
       Ungueltig("Ergebnis keine Zahl: as  Bie"), Ungueltig("Ergebnis keine Zahl: as  Bie")},
      {"amplitude not a number",
       [](Fall& f) { f.Rechne([](Eingabewerte& e) { e.Sigzda = kNan; }); },
       Ungueltig("Eingabe nicht endlich: Sigzda"), Ungueltig("Eingabe nicht endlich: Sigzda")},
      {"SigB infinite: finite factors of 2.90274 and 1.39679",
       [](Fall& f) { f.Rechne([](Eingabewerte& e) { e.SigB = kInf; }); },
       Ungueltig("Eingabe nicht endlich: SigB"), Ungueltig("Eingabe nicht endlich: SigB")},
  };
  for (const Beispiel& b : beispiele) {
    Fall f;
    b.aendern(f);
    const Urteil u = Beurteile(f.e, f.n, 1.2);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(u.dauerbruch.wert),
              std::bit_cast<std::uint64_t>(f.n.SDauerbruch)) << b.was;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(u.fliessgrenze.wert),
              std::bit_cast<std::uint64_t>(f.n.SFliessgrenze)) << b.was;
    for (const auto& [ist, soll, s] :
         {std::tuple{&u.dauerbruch, &b.dauerbruch, Sicherheit::kDauerbruch},
          std::tuple{&u.fliessgrenze, &b.fliessgrenze, Sicherheit::kFliessgrenze}}) {
      EXPECT_EQ(BewertungText(ist->bewertung), BewertungText(soll->bewertung)) << b.was;
      EXPECT_EQ(ist->grund, soll->grund) << b.was;
      EXPECT_EQ(Bewerte(s, f.e, f.n, 1.2), ist->bewertung) << b.was;
    }
    const bool erfuellt = b.dauerbruch.bewertung == Bewertung::kReicht &&
                          b.fliessgrenze.bewertung == Bewertung::kReicht;
    EXPECT_EQ(u.erfuellt, erfuellt) << b.was;
    EXPECT_EQ(NachweisErfuellt(f.e, f.n, 1.2), erfuellt) << b.was;
  }
}

}  // namespace
}  // namespace wellen

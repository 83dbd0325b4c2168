// The plausibility notes: one table of changes to the defaults and the notes
// they must bring, no more and no fewer.
#include "calc/hinweise.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace wellen {
namespace {

// A case as the notes see it.
struct Fall {
  Eingabewerte e;
  Schnittlasten lasten;
  Nachweis n;
};

struct Fallbeispiel {
  const char* was;
  std::function<void(Fall&)> aendern;
  std::vector<std::string> hinweise;
};

TEST(Hinweise, TableOfChangesToTheDefaults) {
  const std::vector<Fallbeispiel> beispiele = {
      {"defaults", [](Fall&) {}, {}},
      {"D equal to d",
       [](Fall& f) { f.e.D = 40; },
       {"d nicht kleiner als D", "t = 5 weicht um mehr als 1 % von (D - d)/2 = 0 ab"}},
      {"t within 1 % of (D - d)/2", [](Fall& f) { f.e.t = 5.049; }, {}},
      {"t beyond 1 %",
       [](Fall& f) { f.e.t = 4.94; },
       {"t = 4.94 weicht um mehr als 1 % von (D - d)/2 = 5 ab"}},
      {"t zero",
       [](Fall& f) { f.e.t = 0; },
       {"t nicht positiv", "t = 0 weicht um mehr als 1 % von (D - d)/2 = 5 ab"}},
      {"r zero: infinite alpha, then not-a-number on",
       [](Fall& f) { f.e.r = 0; },
       {"r nicht positiv",
        "Ergebnis nicht endlich: as  Zug, G'  Zug, n   Zug, bs  Zug, Ks  Zug, as  Bie, G'  Bie, "
        "n   Bie, bs  Bie, Ks  Bie, at  Tor, G'  Tor, n   Tor, bt  Tor, Kt  Tor, SigzdWK, SigbWK, "
        "TautWK, psizdsK, psibsK, psitauK"}},
      {"deff beyond the size factor rules",
       [](Fall& f) { f.e.deff = 500.5; },
       {"deff > 500 mm: Plateau von K1 verwendet"}},
      {"deff at the last rule", [](Fall& f) { f.e.deff = 500; }, {}},
      {"deff below d", [](Fall& f) { f.e.deff = 39; }, {"deff kleiner als d"}},
      {"deff between d and D", [](Fall& f) { f.e.deff = 45; }, {}},
      {"Rz below 1", [](Fall& f) { f.e.Rz = 0.5; }, {"Rz < 1 µm: Rauheitsfaktor über 1"}},
      {"Rz exactly 1", [](Fall& f) { f.e.Rz = 1; }, {}},
      {"Rz zero",
       [](Fall& f) { f.e.Rz = 0; },
       {"Rz nicht positiv", "Ergebnis nicht endlich: KFs Zug, KFs Bie, KFt Tor"}},
      {"KV negative",
       [](Fall& f) { f.e.KV = -1; },
       {"KV nicht positiv", "SigzdADK = -142.167 nicht positiv", "SigbADK = -173.881 nicht positiv",
        "TautADK = -152.528 nicht positiv"}},
      {"SigS equal to SigB", [](Fall& f) { f.e.SigS = 1100; }, {"SigS nicht kleiner als SigB"}},
      {"fatigue limit zero",
       [](Fall& f) { f.e.SigbW = 0; },
       {"SigbW nicht positiv", "SigbADK = 0 nicht positiv"}},
      {"fatigue limit above SigB", [](Fall& f) { f.e.TautW = 1200; }, {"TautW größer als SigB"}},
      {"fatigue limit equal to SigB", [](Fall& f) { f.e.SigzdW = 1100; }, {}},
      {"negative amplitude", [](Fall& f) { f.e.Sigba = -60; }, {"Sigba negativ"}},
      {"mean stress beyond the yield strength",
       [](Fall& f) { f.e.Sigzdm = 600; },
       {"SigzdADK = -93.0998 nicht positiv: Sigmv = 916.515 erreicht die Bauteilfließgrenze "
        "SigzdFK = 823.415"}},
      {"the same without tension amplitude",
       [](Fall& f) {
         f.e.Sigzdm = 600;
         f.e.Sigzda = 0;
       },
       {}},
      {"yield strength negative: every FK under a stress",
       [](Fall& f) { f.e.SigS = -900; },
       {"SigzdADK = -1352.57 nicht positiv: Sigmv = 529.15 erreicht die Bauteilfließgrenze "
        "SigzdFK = -823.415",
        "TautADK = -848.818 nicht positiv: Taumv = 305.505 erreicht die Bauteilfließgrenze "
        "TautFK = -543.313",
        "SigzdFK = -823.415 nicht positiv", "SigbFK = -988.098 nicht positiv",
        "TautFK = -543.313 nicht positiv"}},
      {"the same with torsion unloaded",
       [](Fall& f) {
         f.e.SigS = -900;
         f.e.Tauta = 0;
         f.e.Tautm = 0;
       },
       {"SigzdADK = -1323.42 nicht positiv: Sigmv = 500 erreicht die Bauteilfließgrenze "
        "SigzdFK = -823.415",
        "SigzdFK = -823.415 nicht positiv", "SigbFK = -988.098 nicht positiv"}},
      {"an input not a number",
       [](Fall& f) { f.e.D = std::nan(""); },
       {"Eingabe nicht endlich: D",
        "Ergebnis nicht endlich: as  Bie, bs  Bie, Ks  Bie, at  Tor, bt  Tor, Kt  Tor, SigbWK, "
        "TautWK, psibsK, psitauK"}},
      {"an input infinite",
       [](Fall& f) { f.e.D = std::numeric_limits<double>::infinity(); },
       {"Eingabe nicht endlich: D"}},
      {"bore given for a solid shaft",
       [](Fall& f) { f.lasten.di = 20; },
       {"di = 20 mm gegeben, aber Hohlwelle 0"}},
      {"bore of the hollow shaft",
       [](Fall& f) {
         f.e.Hohlwelle = 1;
         f.lasten.di = 20;
         f.lasten.Mbm = 1000;
       },
       {}},
      {"bore not below d",
       [](Fall& f) {
         f.e.Hohlwelle = 1;
         f.lasten.di = 40;
       },
       {"di nicht kleiner als d"}},
      {"hollow shaft, loads, no bore",
       [](Fall& f) {
         f.e.Hohlwelle = 1;
         f.lasten.Ta = 200;
       },
       {"Hohlwelle 1, aber kein di zu den Lasten gegeben"}},
      {"hollow shaft, loads, bore 0",
       [](Fall& f) {
         f.e.Hohlwelle = 1;
         f.lasten.Fm = 1000;
         f.lasten.di = 0;
       },
       {"Hohlwelle 1, aber kein di zu den Lasten gegeben"}},
      {"hollow shaft given as stresses", [](Fall& f) { f.e.Hohlwelle = 1; }, {}},
  };
  for (const Fallbeispiel& b : beispiele) {
    SCOPED_TRACE(b.was);
    Fall fall;
    fall.e = DefaultEingabewerte();
    b.aendern(fall);
    fall.n = Calculate(fall.e);
    const std::vector<std::string> hinweise = Hinweise(fall.e, fall.n, fall.lasten);
    EXPECT_EQ(hinweise, b.hinweise);
    // The CSV and JSON cell joins the notes; none may contain the separator.
    for (const std::string& h : hinweise) {
      EXPECT_EQ(h.find(kHinweisTrenner), std::string::npos) << h;
    }
  }
}

}  // namespace
}  // namespace wellen

// The pure whole check: every quantity the six pages print, read from the
// record itself for each worked example, with the values kept per load type.
#include "calc/nachweis.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "expected_pages.h"

namespace wellen {
namespace {

std::string Printed(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::string Printed(bool met) { return met ? "erfuellt" : "nicht erfuellt"; }

using Field = std::function<std::string(const Nachweis&)>;

// The fields of a load stage in the order pages 1 to 3 print them.
std::vector<Field> StageFields(Laststufe Nachweis::*stage) {
  std::vector<Field> fields;
  for (double Laststufe::*field :
       {&Laststufe::alpha, &Laststufe::Gs, &Laststufe::n, &Laststufe::beta, &Laststufe::K2,
        &Laststufe::KF, &Laststufe::K}) {
    fields.emplace_back([=](const Nachweis& n) { return Printed((n.*stage).*field); });
  }
  return fields;
}

template <typename T>
Field Of(T Nachweis::*field) {
  return [=](const Nachweis& n) { return Printed(n.*field); };
}

// Where each printed value of the six pages lives in the record.
std::array<std::vector<Field>, 6> RecordFields() {
  std::array<std::vector<Field>, 6> pages;
  pages[0] = StageFields(&Nachweis::Zug);
  pages[0].insert(pages[0].begin(), Of(&Nachweis::K1));
  pages[1] = StageFields(&Nachweis::Bie);
  pages[2] = StageFields(&Nachweis::Tor);
  pages[2].push_back(Of(&Nachweis::Sigmv));
  pages[2].push_back(Of(&Nachweis::Taumv));
  pages[3] = {Of(&Nachweis::SigzdWK), Of(&Nachweis::SigbWK), Of(&Nachweis::TautWK),
              Of(&Nachweis::psizdsK), Of(&Nachweis::psibsK), Of(&Nachweis::psitauK),
              Of(&Nachweis::K2Fz),    Of(&Nachweis::K2Fb),   Of(&Nachweis::K2Ft)};
  pages[4] = {[](const Nachweis& n) { return Printed(n.Zug.gamF); },
              [](const Nachweis& n) { return Printed(n.Bie.gamF); },
              [](const Nachweis& n) { return Printed(n.Tor.gamF); },
              Of(&Nachweis::SigzdFK),
              Of(&Nachweis::SigbFK),
              Of(&Nachweis::TautFK),
              Of(&Nachweis::BedZug),
              Of(&Nachweis::BedBie),
              Of(&Nachweis::BedTor)};
  pages[5] = {Of(&Nachweis::SigzdADK), Of(&Nachweis::SigbADK), Of(&Nachweis::TautADK),
              Of(&Nachweis::SDauerbruch), Of(&Nachweis::SFliessgrenze)};
  return pages;
}

TEST(Nachweis, WorkedExamplesGiveEveryPrintedValuePerLoadType) {
  const auto fields = RecordFields();
  for (const testing_pages::WorkedExample& example : testing_pages::kWorkedExamples) {
    Eingabewerte e = DefaultEingabewerte();
    example.change(e);
    const Eingabewerte before = e;
    const Nachweis n = Calculate(e);
    EXPECT_TRUE(e == before) << example.name;
    for (std::size_t page = 0; page < fields.size(); ++page) {
      ASSERT_EQ(fields[page].size(), example.pages[page].size()) << "page " << page + 1;
      for (std::size_t line = 0; line < fields[page].size(); ++line) {
        EXPECT_EQ(fields[page][line](n), example.pages[page][line])
            << example.name << ", page " << page + 1 << ": " << testing_pages::kLabels[page][line];
      }
    }
    // Quantities the method leaves out: phi and maxAB for torsion, the yield
    // strength at size with a hard surface layer.
    EXPECT_TRUE(n.Zug.phi && n.Bie.phi && !n.Tor.phi) << example.name;
    EXPECT_TRUE(n.Zug.maxAB && n.Bie.maxAB && !n.Tor.maxAB) << example.name;
    EXPECT_EQ(n.Tor.SigSd.has_value(), e.harteRandschicht == 0) << example.name;
  }
}

TEST(Nachweis, SelectionsOutsideTheirRangeGiveNotANumber) {
  Eingabewerte e = DefaultEingabewerte();
  e.K1Fall = 7;
  EXPECT_EQ(Printed(Calculate(e).SDauerbruch), "nan");
  e = DefaultEingabewerte();
  e.Hohlwelle = 2;
  const Nachweis n = Calculate(e);
  EXPECT_EQ(Printed(n.K2Fb), "nan");
  EXPECT_EQ(Printed(n.SFliessgrenze), "nan");
  EXPECT_EQ(Printed(n.SDauerbruch), "nan");  // through FK and the case test
}

}  // namespace
}  // namespace wellen

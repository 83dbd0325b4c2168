// The calculation run through a scripted console: the six pages of the worked
// examples line by line, the x abort, and values that turn into inf or nan.
#include "pages/run.h"

#include <gtest/gtest.h>

#include <functional>

#include "console/stream_console.h"
#include "expected_pages.h"

namespace wellen {
namespace {

using testing_pages::Pages;

std::string RunWith(const Eingabewerte& e, Ergebnisse& r, const std::string& keys) {
  ScriptedConsole script(keys);
  RunCalculation(e, r, script.console());
  return script.output();
}

TEST(Run, WorkedExamplesPrintEveryLine) {
  for (const testing_pages::WorkedExample& example : testing_pages::kWorkedExamples) {
    Eingabewerte e = DefaultEingabewerte();
    example.change(e);
    Ergebnisse r{};
    EXPECT_EQ(RunWith(e, r, "      "), Pages(example.pages)) << example.name;
  }
}

TEST(Run, XAfterEachPageLeavesLaterPagesUntouched) {
  constexpr double kUntouched = 12345;
  // The first quantity that each page computes and keeps.
  const std::function<double(const Ergebnisse&)> first_of_page[] = {
      [](const Ergebnisse& r) { return r.K1; },      [](const Ergebnisse& r) { return r.KsBie; },
      [](const Ergebnisse& r) { return r.KtTor; },   [](const Ergebnisse& r) { return r.SigzdWK; },
      [](const Ergebnisse& r) { return r.SigzdFK; }, [](const Ergebnisse& r) { return r.SigzdADK; },
  };
  const Eingabewerte e = DefaultEingabewerte();
  for (int stop = 1; stop <= 5; ++stop) {
    Ergebnisse r{};
    r.K1 = r.KsBie = r.KtTor = r.SigzdWK = r.SigzdFK = r.SigzdADK = kUntouched;
    const std::string keys = std::string(static_cast<std::size_t>(stop - 1), ' ') + "x";
    EXPECT_EQ(RunWith(e, r, keys), Pages(testing_pages::kDefaults, stop)) << "x after " << stop;
    for (int page = 1; page <= 6; ++page) {
      const bool computed = page <= stop;
      EXPECT_EQ(first_of_page[page - 1](r) != kUntouched, computed)
          << "x after page " << stop << ", page " << page;
    }
  }
}

TEST(Run, OnlyLowerCaseXEndsTheRunAndANewRunStartsAtPageOne) {
  const Eingabewerte e = DefaultEingabewerte();
  Ergebnisse r{};
  const std::string page1 = RunWith(e, r, "x");
  EXPECT_EQ(RunWith(e, r, "x"), page1);                                 // identical again
  EXPECT_EQ(RunWith(e, r, "XXXXXx"), Pages(testing_pages::kDefaults));  // x after page 6 too
  EXPECT_EQ(RunWith(e, r, "x"), page1);
}

TEST(Run, EndOfInputEndsTheRunAtThePause) {
  const Eingabewerte e = DefaultEingabewerte();
  Ergebnisse r{};
  EXPECT_EQ(RunWith(e, r, "  "), Pages(testing_pages::kDefaults, 3));
}

TEST(Run, InfinitiesAndNanArePrintedAndTheRunGoesOn) {
  struct Case {
    const char* name;
    std::function<void(Eingabewerte&)> change;
    const char* expected_line;
  };
  const Case cases[] = {
      {"r = 0", [](Eingabewerte& e) { e.r = 0; }, "as  Zug= inf\n"},
      {"r = 0", [](Eingabewerte& e) { e.r = 0; }, "G'  Tor= inf\n"},
      {"negative r", [](Eingabewerte& e) { e.r = -3; }, "as  Zug= -nan\n"},
      {"Rz = 0", [](Eingabewerte& e) { e.Rz = 0; }, "KFs Zug= inf\n"},
      {"KV = 0", [](Eingabewerte& e) { e.KV = 0; }, "Ks  Zug= inf\n"},
      {"no amplitudes", [](Eingabewerte& e) { e.Sigzda = e.Sigba = e.Tauta = 0; },
       "S Dauerbruch  = inf\n"},
      {"d = 0", [](Eingabewerte& e) { e.d = 0; }, "K2  Bie= 1\n"},
  };
  for (const Case& c : cases) {
    Eingabewerte e = DefaultEingabewerte();
    c.change(e);
    Ergebnisse r{};
    const std::string out = RunWith(e, r, "      ");
    EXPECT_NE(out.find(c.expected_line), std::string::npos) << c.name << "\n" << out;
    EXPECT_NE(out.find("S Fliessgrenze= "), std::string::npos) << c.name;
  }
}

TEST(Run, DeffAbove500TakesThePlateauEvenOnTheFirstRun) {
  Eingabewerte e = DefaultEingabewerte();
  e.deff = 800;
  Ergebnisse r{};
  EXPECT_EQ(RunWith(e, r, "x").substr(0, 27), "Ergebnisse 1 v.6:\nK1= 0.67\n");
  e.K1Fall = 1;
  EXPECT_EQ(RunWith(e, r, "x").substr(0, 27), "Ergebnisse 1 v.6:\nK1= 0.89\n");
}

}  // namespace
}  // namespace wellen

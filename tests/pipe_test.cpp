// The program itself with standard input and output on pipes.
#include <gtest/gtest.h>

#include "expected_pages.h"
#include "process.h"

namespace wellen {
namespace {

using testing_pages::kMenu;
using testing_pages::Pages;

TEST(Pipe, ScriptedSessionPrintsMenuSixPagesAndMenu) {
  const ProcessResult result = RunWithInput("g      q");
  ASSERT_TRUE(result.finished);
  EXPECT_EQ(result.output, kMenu + Pages(testing_pages::kDefaults) + kMenu);
  EXPECT_TRUE(result.exited_normally);
  EXPECT_EQ(result.exit_status, 0);
}

TEST(Pipe, EndOfInputAnywhereEndsWithStatusZero) {
  const struct {
    const char* script;
    const char* last_output;
  } cases[] = {
      {"", "F8 q Exit\n"},
      {"g  ", "weiter mit bel.Taste.."},  // in the middle of a run
      {"g     ", "\nweiter mit bel.Taste.."},
      {"a1 2", "Tautm [N/mm2]= "},
      {"b1 2 3 4 5", "Rauheit Rz[ym]= "},
      {"c7\n8\n", "Fall [1~2]:"},
      {"cabc", "F8 q Exit\n"},  // no number: Kerbfall stays valid, back to the menu
      {"d1", "SigS  [N/mm2]="},
      {"e9\n", "K1-Fall [1~4]:"},
      {"e1 9", "harte Rands.?1 ja 0 nein:"},
      {"e1 1 9", "Hohlwelle?1 ja 0 nein:"},
      {"e1 1 1", "KV= "},
      {"w", "weiter mit bel.Taste.."},
      {"i", "weiter mit bel.Taste.."},
  };
  for (const auto& c : cases) {
    const ProcessResult result = RunWithInput(c.script);
    ASSERT_TRUE(result.finished) << c.script;
    EXPECT_TRUE(result.exited_normally && result.exit_status == 0) << c.script;
    const std::string last = c.last_output;
    ASSERT_GE(result.output.size(), last.size()) << c.script;
    EXPECT_EQ(result.output.substr(result.output.size() - last.size()), last) << c.script;
  }
}

TEST(Pipe, ArbitraryBytesAndAnEndlessLineNeitherCrashNorHang) {
  std::string noise;
  for (int i = 0; i < 200000; ++i) noise += static_cast<char>((i * 7919) % 251);
  const std::string long_line(4 << 20, '9');
  for (const std::string& script :
       {noise, "a" + long_line, "c" + std::string(1 << 20, 'x') + "\n1\nq", "e" + noise}) {
    const ProcessResult result = RunWithInput(script);
    ASSERT_TRUE(result.finished);
    EXPECT_TRUE(result.exited_normally && result.exit_status == 0);
  }
}

}  // namespace
}  // namespace wellen

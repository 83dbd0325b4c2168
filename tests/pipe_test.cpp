// The program itself with standard input and output on pipes.
#include <gtest/gtest.h>

#include "command.h"
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
  const std::string e_menu =
      "Angaben fuer K1(deff):\n1:Nitrier/Baustahl\n2:Baustahl\n3:Verguet./CrNiMo-Stahl\n"
      "4:andere Einsatzstaehle\n\nK1-Fall [1~4]:";
  const struct {
    const char* script;
    std::string after_menu;  // the whole output after the first menu
  } cases[] = {
      {"", ""},
      {"g  ", Pages(testing_pages::kDefaults, 3)},  // in the middle of a run
      {"g     ", Pages(testing_pages::kDefaults)},
      {"a1 2", "Mittelspannungen:\nSigzdm[N/mm2]= \nSigbm [N/mm2]= \nTautm [N/mm2]= "},
      {"b1 2 3 4 5",
       "Durchm. D[mm]= \nDurchm. d[mm]= \nWaermeb.deff[mm]= \nRadius r[mm]= \nTiefe t[mm]= "
       "\nRauheit Rz[ym]= "},
      {"c7\n8\n", "1: Rundnut\n2: Absatz\nFall [1~2]:\nFall [1~2]:\nFall [1~2]:"},
      // No number: Kerbfall stays valid, back to the menu.
      {"cabc", "1: Rundnut\n2: Absatz\nFall [1~2]:" + kMenu},
      {"d1", "SigB  [N/mm2]=\nSigS  [N/mm2]="},
      {"e9\n", e_menu + "\nK1-Fall [1~4]:"},
      {"e1 9", e_menu + "\nharte Rands.?1 ja 0 nein:\nharte Rands.?1 ja 0 nein:"},
      {"e1 1 9",
       e_menu + "\nharte Rands.?1 ja 0 nein:\nHohlwelle?1 ja 0 nein:\nHohlwelle?1 ja 0 nein:"},
      {"e1 1 1", e_menu + "\nharte Rands.?1 ja 0 nein:\nHohlwelle?1 ja 0 nein:\nKV= "},
      {"w",
       "momentan def. Werte 1:\nSigzdm= 200[N/mm2]\nSigbm = 300[N/mm2]\nTautm = 100[N/mm2]"
       "\nSigzda= 50[N/mm2]\nSigba = 60[N/mm2]\nTauta = 40[N/mm2]\nSigB  = 1100[N/mm2]"
       "\nSigS  = 900[N/mm2]\nweiter mit bel.Taste.."},
      {"i",
       "Festigkeitsnachweis fuer Wellen und Achsen nach DIN 743 (Rundnut, Absatz)\n"
       "weiter mit bel.Taste.."},
  };
  for (const auto& c : cases) {
    const ProcessResult result = RunWithInput(c.script);
    ASSERT_TRUE(result.finished) << c.script;
    EXPECT_TRUE(result.exited_normally && result.exit_status == 0) << c.script;
    EXPECT_EQ(result.output, kMenu + c.after_menu) << c.script;
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

// The command line: --help and --version answer on standard output and exit
// 0 without touching standard input; anything else is a usage error.
TEST(Pipe, CommandLine) {
  const std::string usage_error = "(--help zeigt den Aufruf)\n";
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out, err;  // out: its first line only
  } cases[] = {
      {{"--help"}, 0, "Aufruf: wellen743 [--help | --version]", ""},
      {{"--version"}, 0, "wellen743 " WELLEN743_VERSION, ""},
      {{"-h"}, 2, "", "wellen743: unbekanntes Argument \"-h\" " + usage_error},
      {{""}, 2, "", "wellen743: unbekanntes Argument \"\" " + usage_error},
      {{"x", "--help"}, 2, "", "wellen743: unbekanntes Argument \"x\" " + usage_error},
      {{"--help", "x"}, 2, "", "wellen743: ueberzaehliges Argument \"x\" " + usage_error},
      {{"\x1b[31m\x7f"}, 2, "", "wellen743: unbekanntes Argument \"?[31m?\" " + usage_error},
      {{"\xc2\x9b" "2J\xc2\xa0\xc3\xa4\xc2"}, 2, "",
       "wellen743: unbekanntes Argument \"?2J\xc2\xa0\xc3\xa4\xc2\" " + usage_error},
  };
  for (const auto& c : cases) {
    std::vector<std::string> argv = {WELLEN743_BINARY};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    const CommandResult r = RunCommand(argv, "g      q");
    ASSERT_TRUE(r.finished) << c.args[0];
    EXPECT_EQ(r.status, c.status) << c.args[0];
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), c.out) << c.args[0];
    EXPECT_EQ(r.err, c.err) << c.args[0];
  }
  // The usage names both options and the companion.
  const std::string help = RunCommand({WELLEN743_BINARY, "--help"}, "").out;
  for (const char* want : {"--help", "--version", "wellen743-batch"}) {
    EXPECT_NE(help.find(want), std::string::npos) << want;
  }
}

}  // namespace
}  // namespace wellen

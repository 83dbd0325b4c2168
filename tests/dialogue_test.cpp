// The menu loop, the input dialogs and the display, as transcripts through a
// scripted console: exact output and the values that land in the record.
#include <gtest/gtest.h>

#include <functional>

#include "app/menu.h"
#include "console/stream_console.h"
#include "expected_pages.h"

namespace wellen {
namespace {

using testing_pages::kMenu;

struct Session {
  std::string output;
  Eingabewerte e;
};

// Runs the menu on the defaults. Without `keys`, keys and values share the
// script (a pipe); with `keys`, keys come from there (a terminal).
Session Menu(const std::string& script, const std::string* keys = nullptr) {
  Session s{"", DefaultEingabewerte()};
  Ergebnisse r{};
  if (keys == nullptr) {
    ScriptedConsole console(script);
    RunMenu(s.e, r, console.console());
    s.output = console.output();
  } else {
    ScriptedConsole console(script, *keys);
    RunMenu(s.e, r, console.console());
    s.output = console.output();
  }
  return s;
}

std::string Repeat(const std::string& text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

const std::string kPromptsA =
    "Mittelspannungen:\nSigzdm[N/mm2]= \nSigbm [N/mm2]= \nTautm [N/mm2]= "
    "\nAusschlagsspannungen:\nSigzda[N/mm2]= \nSigba [N/mm2]= \nTauta [N/mm2]= ";
const std::string kPromptsB =
    "Durchm. D[mm]= \nDurchm. d[mm]= \nWaermeb.deff[mm]= \nRadius r[mm]= \nTiefe t[mm]= "
    "\nRauheit Rz[ym]= ";
const std::string kPromptsC = "1: Rundnut\n2: Absatz\nFall [1~2]:";
const std::string kPromptsD =
    "SigB  [N/mm2]=\nSigS  [N/mm2]=\nSigzdW[N/mm2]=\nSigbW [N/mm2]=\nTautW [N/mm2]=";
const std::string kMenuE =
    "Angaben fuer K1(deff):\n1:Nitrier/Baustahl\n2:Baustahl\n3:Verguet./CrNiMo-Stahl\n"
    "4:andere Einsatzstaehle\n";
const std::string kK1 = "\nK1-Fall [1~4]:";
const std::string kHart = "\nharte Rands.?1 ja 0 nein:";
const std::string kHohl = "\nHohlwelle?1 ja 0 nein:";
const std::string kInfo =
    "Festigkeitsnachweis fuer Wellen und Achsen nach DIN 743 (Rundnut, Absatz)\n"
    "weiter mit bel.Taste..";
const std::string kDisplay1 =
    "momentan def. Werte 1:\nSigzdm= 200[N/mm2]\nSigbm = 300[N/mm2]\nTautm = 100[N/mm2]"
    "\nSigzda= 50[N/mm2]\nSigba = 60[N/mm2]\nTauta = 40[N/mm2]\nSigB  = 1100[N/mm2]"
    "\nSigS  = 900[N/mm2]\nweiter mit bel.Taste..";
const std::string kDisplay2 =
    "\nmomentan def. Werte 2:\nSigzdW= 440[N/mm2]\nSigbW = 550[N/mm2]\nTautW = 330[N/mm2]"
    "\nDurchm. D = 50[mm]\nDurchm. d = 40[mm]\nRadius r  = 3[mm]\nTiefe t   = 5[mm]"
    "\nRauheit Rz= 5[ym]\nweiter mit bel.Taste..";
const std::string kDisplay3 =
    "\nmomentan def. Werte 3:\nKerbfall= 2\nK1-Fall = 3\nDurch.deff= 50[mm]"
    "\nkeine harte Randschicht\nVollwelle\nKV= 1\nweiter mit bel.Taste..";

TEST(Menu, KeysThatNameNoCommandOnlyReprintTheMenu) {
  // Upper case, a blank, Enter from a terminal, and the three codes of F1.
  EXPECT_EQ(Menu("QG \r\x1bOP", nullptr).output, Repeat(kMenu, 7));
  const std::string keys = "QG \x1bOPq";
  EXPECT_EQ(Menu("", &keys).output, Repeat(kMenu, 7));
  EXPECT_EQ(Menu("q").output, kMenu);  // the first output is an empty line and the menu
  EXPECT_EQ(Menu("").output, kMenu);   // end of input ends the loop too
}

TEST(Menu, InfoWaitsForAnyKeyQIncluded) {
  EXPECT_EQ(Menu("iqq").output, kMenu + kInfo + kMenu);
  EXPECT_EQ(Menu("ixq").output, kMenu + kInfo + kMenu);
}

TEST(Dialogs, TranscriptsAndStoredValues) {
  struct Case {
    const char* name;
    std::string script;
    std::string output;  // between the first and the last menu
    std::function<void(Eingabewerte&)> expect_change;
  };
  const Case cases[] = {
      {"six stresses on one line", "a200 -300 100,5 50 60 40\nq", kPromptsA,
       [](Eingabewerte& e) { e.Sigbm = -300, e.Tautm = 100.5; }},
      {"non-number: field unchanged, rest of line dropped", "a100 abc 7\n1 2 3 4\nq", kPromptsA,
       [](Eingabewerte& e) {
         e.Sigzdm = 100, e.Tautm = 1, e.Sigzda = 2, e.Sigba = 3, e.Tauta = 4;
       }},
      {"dimensions, decimal comma, D without deff", "b80 38,5 50 2,5 4 6.3\nq", kPromptsB,
       [](Eingabewerte& e) { e.D = 80, e.d = 38.5, e.r = 2.5, e.t = 4, e.Rz = 6.3; }},
      {"notch case 3 refused, then 1", "c3\n1\nq",
       kPromptsC + "\nFall [1~2]:", [](Eingabewerte& e) { e.Kerbfall = 1; }},
      {"notch case: non-number keeps the valid value", "cx1\nq", kPromptsC, nullptr},
      {"material values", "d1000\n800\n400\n500\n300\nq", kPromptsD,
       [](Eingabewerte& e) {
         e.SigB = 1000, e.SigS = 800, e.SigzdW = 400, e.SigbW = 500, e.TautW = 300;
       }},
      {"every selection of e refuses out-of-range values",
       "e0\n5\n-1\n18446744073709551617\n4\n"  // K1-Fall; 2^64 + 1 must not pass as 1
       "2\n-1\n18446744073709551616\n1\n"      // harte Randschicht; 2^64 not as 0
       "7\n99999999999\n1\n0,8\nq",            // Hohlwelle, KV
       kMenuE + kK1 + kK1 + kK1 + kK1 + kK1 + kHart + kHart + kHart + kHart + kHohl + kHohl +
           kHohl + "\nKV= ",
       [](Eingabewerte& e) { e.K1Fall = 4, e.harteRandschicht = 1, e.Hohlwelle = 1, e.KV = 0.8; }},
      {"e asks all four even for KV alone", "e3 0 0 1.2\nq",
       kMenuE + kK1 + kHart + kHohl + "\nKV= ", [](Eingabewerte& e) { e.KV = 1.2; }},
  };
  for (const Case& c : cases) {
    const Session s = Menu(c.script);
    EXPECT_EQ(s.output, kMenu + c.output + kMenu) << c.name;
    Eingabewerte expected = DefaultEingabewerte();
    if (c.expect_change) c.expect_change(expected);
    EXPECT_TRUE(s.e == expected) << c.name;
  }
}

TEST(Dialogs, ValuesBeyondADialogFeedTheNextAtATerminal) {
  // At a terminal the pending "7 8" is not taken by the menu's key read; it
  // feeds the first two prompts of dialog b.
  const std::string keys = "abq";
  const Session s = Menu("1 2 3 4 5 6 7 8\n9 10 11 12\n", &keys);
  EXPECT_EQ(s.output, kMenu + kPromptsA + kMenu + kPromptsB + kMenu);
  EXPECT_EQ(s.e.Tauta, 6);
  EXPECT_EQ(s.e.D, 7);
  EXPECT_EQ(s.e.d, 8);
  EXPECT_EQ(s.e.Rz, 12);
}

// "2,0" for the notch case leaves ",0" pending; at a terminal it reaches
// dialog d, where a leading comma is no number: SigB keeps its value and the
// rest of that line is dropped, as for any entry that is not a number.
TEST(Dialogs, ALeftoverCommaFragmentIsNoValue) {
  const std::string keys = "cdq";
  const Session s = Menu("2,0\n1000 800 400 500\n", &keys);
  EXPECT_EQ(s.output, kMenu + kPromptsC + kMenu + kPromptsD + kMenu);
  Eingabewerte expected = DefaultEingabewerte();
  expected.SigS = 1000, expected.SigzdW = 800, expected.SigbW = 400, expected.TautW = 500;
  EXPECT_TRUE(s.e == expected) << s.e.SigB << " " << s.e.SigS << " " << s.e.TautW;
}

TEST(Dialogs, EndOfInputAtEveryKindOfPromptEndsTheSession) {
  const struct {
    std::string script;
    std::string output;  // the whole transcript: nothing follows the last prompt
  } cases[] = {
      {"a1 2", kMenu + "Mittelspannungen:\nSigzdm[N/mm2]= \nSigbm [N/mm2]= \nTautm [N/mm2]= "},
      {"c3\n", kMenu + kPromptsC + "\nFall [1~2]:"},
      {"c9 9 9 ", kMenu + kPromptsC + "\nFall [1~2]:\nFall [1~2]:\nFall [1~2]:"},
      {"e4 1 5", kMenu + kMenuE + kK1 + kHart + kHohl + kHohl},
      {"e4 1 1", kMenu + kMenuE + kK1 + kHart + kHohl + "\nKV= "},
      {"w", kMenu + kDisplay1},
      {"w ", kMenu + kDisplay1 + kDisplay2},
      {"i", kMenu + kInfo},
      {"g  ", kMenu + testing_pages::Pages(testing_pages::kDefaults, 3)},
  };
  for (const auto& c : cases) EXPECT_EQ(Menu(c.script).output, c.output) << c.script;
}

TEST(Dialogs, EndOfInputInASelectionLeavesTheRecordValid) {
  // The refused number was stored for the prompt's test; it must not stay.
  EXPECT_EQ(Menu("c9").e.Kerbfall, 2);
  EXPECT_EQ(Menu("c1 0 ").e.Kerbfall, 1);
  EXPECT_EQ(Menu("e7").e.K1Fall, 3);
  const Session s = Menu("e4 1 -3");
  EXPECT_EQ(s.e.K1Fall, 4);
  EXPECT_EQ(s.e.harteRandschicht, 1);
  EXPECT_EQ(s.e.Hohlwelle, 0);
}

TEST(Display, ThreePagesAndTheXAbort) {
  EXPECT_EQ(Menu("w  xq").output, kMenu + kDisplay1 + kDisplay2 + kDisplay3 + kMenu);
  EXPECT_EQ(Menu("wxq").output, kMenu + kDisplay1 + kMenu);
  EXPECT_EQ(Menu("w xq").output, kMenu + kDisplay1 + kDisplay2 + kMenu);
  // A value of its own in every field, so that no two fields can trade places
  // unnoticed (the defaults have t = Rz and D = deff).
  EXPECT_EQ(Menu("b50 40 60 3 4.5 6.3\nw  xq").output,
            kMenu + kPromptsB + kMenu + kDisplay1 +
                "\nmomentan def. Werte 2:\nSigzdW= 440[N/mm2]\nSigbW = 550[N/mm2]"
                "\nTautW = 330[N/mm2]\nDurchm. D = 50[mm]\nDurchm. d = 40[mm]\nRadius r  = 3[mm]"
                "\nTiefe t   = 4.5[mm]\nRauheit Rz= 6.3[ym]\nweiter mit bel.Taste.."
                "\nmomentan def. Werte 3:\nKerbfall= 2\nK1-Fall = 3\nDurch.deff= 60[mm]"
                "\nkeine harte Randschicht\nVollwelle\nKV= 1\nweiter mit bel.Taste.." +
                kMenu);
  // Each flag has a line of its own, whatever the other one is.
  const struct {
    const char* flags;  // harteRandschicht, Hohlwelle
    const char* lines;
  } flag_cases[] = {{"1 1", "\nharte Randschicht\nHohlwelle"},
                    {"1 0", "\nharte Randschicht\nVollwelle"},
                    {"0 1", "\nkeine harte Randschicht\nHohlwelle"}};
  for (const auto& c : flag_cases) {
    const Session changed = Menu("e1 " + std::string(c.flags) + " 2\nb60 50 80 3 5 5\nw  q");
    const std::string tail = changed.output.substr(changed.output.rfind("momentan def. Werte 3:"));
    EXPECT_EQ(tail, "momentan def. Werte 3:\nKerbfall= 2\nK1-Fall = 1\nDurch.deff= 80[mm]" +
                        std::string(c.lines) + "\nKV= 2\nweiter mit bel.Taste.." + kMenu)
        << c.flags;
  }
}

TEST(Dialogs, EnteredValuesReachTheRun) {
  using testing_pages::Pages;
  // The second worked example typed in, then the third on top of the defaults.
  const Session hollow = Menu("a-250 50 80 50 60 40\nc1\ne1 1 1 1\nb50 40 150 3 5 5\ng      q");
  EXPECT_NE(hollow.output.find(Pages(testing_pages::kRundnutHohl)), std::string::npos);
  const Session high = Menu("a600\n300 100 50 60 40\ng      q");
  EXPECT_NE(high.output.find(Pages(testing_pages::kHighMean)), std::string::npos);
  // Typed to the last digit, Taumv meets gTor exactly.
  const Session threshold = Menu("a0 0 406.50731808065103 50 60 40\ng      q");
  EXPECT_EQ(threshold.e.Tautm, testing_pages::kTautmAtThreshold);
  EXPECT_NE(threshold.output.find(Pages(testing_pages::kTorAtThreshold)), std::string::npos);
}

}  // namespace
}  // namespace wellen

// The shaft file's reader: every key into its field, the defaults and their
// notes, the two ways of giving load cases.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <sstream>
#include <string>

#include "welle/reader.h"
#include "welle/template.h"

namespace wellen::welle {
namespace {

const char* const kKontur = R"(
[[abschnitt]]
l = 100
D = 40
[[abschnitt]]
l = 100
D = 50
r = 2
[[lager]]
x = 20
art = "fest"
[[lager]]
x = 180
art = "los"
)";

std::optional<Welle> Lies(const std::string& text, std::string* messages = nullptr) {
  std::vector<Dateifehler> fehler;
  std::optional<Welle> welle = LeseWelle(text, fehler);
  std::string all;
  for (const Dateifehler& f : fehler) all += Meldungstext("w.toml", f) + "\n";
  if (messages != nullptr) *messages = all;
  EXPECT_EQ(welle.has_value(), fehler.empty()) << all;
  return welle;
}

// Each key given a value of its own must arrive in its own field and in no
// other: every row sets one key to 7.25 (or a text or choice) in a file
// that is otherwise the same, and reads the field back.
TEST(WelleReader, EveryKeyLandsInItsField) {
  struct Case {
    const char* table;  // where the key goes: "" top level, "werkstoff", "abschnitt", ...
    const char* line;
    std::function<bool(const Welle&)> holds;
  };
  const auto last = [](const Welle& w) -> const Lastelement& { return w.lastfaelle.at(0).lasten.at(0); };
  const Case cases[] = {
      {"", "name = \"Abtrieb\"", [](const Welle& w) { return w.name == "Abtrieb"; }},
      {"", "art = \"stehend\"", [](const Welle& w) { return w.art == Wellenart::kStehend; }},
      {"", "E = 7.25", [](const Welle& w) { return w.E == 7.25; }},
      {"", "deff = 7.25", [](const Welle& w) { return w.deff == 7.25; }},
      {"", "Rz = 7.25", [](const Welle& w) { return w.Rz == 7.25; }},
      {"werkstoff", "name = \"S355\"", [](const Welle& w) { return w.werkstoff_name == "S355"; }},
      {"werkstoff", "SigB = 7.25", [](const Welle& w) { return w.werkstoff.SigB == 7.25; }},
      {"werkstoff", "SigS = 7.25", [](const Welle& w) { return w.werkstoff.SigS == 7.25; }},
      {"werkstoff", "SigzdW = 7.25", [](const Welle& w) { return w.werkstoff.SigzdW == 7.25; }},
      {"werkstoff", "SigbW = 7.25", [](const Welle& w) { return w.werkstoff.SigbW == 7.25; }},
      {"werkstoff", "TautW = 7.25", [](const Welle& w) { return w.werkstoff.TautW == 7.25; }},
      {"werkstoff", "K1Fall = 1", [](const Welle& w) { return w.werkstoff.K1Fall == 1; }},
      {"werkstoff", "harteRandschicht = 1",
       [](const Welle& w) { return w.werkstoff.harteRandschicht == 1; }},
      {"werkstoff", "KV = 7.25", [](const Welle& w) { return w.werkstoff.KV == 7.25; }},
      {"abschnitt", "di = 7.25", [](const Welle& w) { return w.abschnitte.at(2).di == 7.25; }},
      {"abschnitt", "Rz = 7.25", [](const Welle& w) { return w.abschnitte.at(2).Rz == 7.25; }},
      {"nut", "Rz = 7.25", [](const Welle& w) { return w.nuten.at(0).Rz == 7.25; }},
      {"last", "name = \"Rad\"", [&](const Welle& w) { return last(w).name == "Rad"; }},
      {"last", "Fx = 7.25", [&](const Welle& w) { return last(w).Fx == 7.25; }},
      {"last", "Fy = 7.25", [&](const Welle& w) { return last(w).Fy == 7.25; }},
      {"last", "Fz = 7.25", [&](const Welle& w) { return last(w).Fz == 7.25; }},
      {"last", "Mby = 7.25", [&](const Welle& w) { return last(w).Mby == 7.25; }},
      {"last", "Mbz = 7.25", [&](const Welle& w) { return last(w).Mbz == 7.25; }},
      {"last", "Fx_a = 7.25", [&](const Welle& w) { return last(w).Fx_a == 7.25; }},
      {"last", "Fy_a = 7.25", [&](const Welle& w) { return last(w).Fy_a == 7.25; }},
      {"last", "Fz_a = 7.25", [&](const Welle& w) { return last(w).Fz_a == 7.25; }},
      {"last", "Mby_a = 7.25", [&](const Welle& w) { return last(w).Mby_a == 7.25; }},
      {"last", "Mbz_a = 7.25", [&](const Welle& w) { return last(w).Mbz_a == 7.25; }},
  };
  const auto file = [&](const Case& c) {
    const auto in = [&](const char* table) {
      return std::string(c.table) == table ? std::string(c.line) + "\n" : "";
    };
    return in("") + "[werkstoff]\n" + in("werkstoff") + kKontur +
           "[[abschnitt]]\nl = 50\nD = 45\nr = 1\n" + in("abschnitt") +
           "[[nut]]\nx = 150\nt = 1\nr = 0.5\n" + in("nut") +
           "[[last]]\nx = 120\nT = 0\n" + in("last");
  };
  for (const Case& c : cases) {
    std::string messages;
    const std::optional<Welle> welle = Lies(file(c), &messages);
    ASSERT_TRUE(welle) << c.line << "\n" << messages;
    EXPECT_TRUE(c.holds(*welle)) << c.table << ": " << c.line;
  }
}

TEST(WelleReader, MaterialDefaultsAreNamedInTheNotes) {
  struct Case {
    std::string werkstoff;
    std::vector<std::string> hinweise;
  };
  const Case cases[] = {
      {"", {"Vorgabewerte verwendet: SigB 1100, SigS 900, SigzdW 440, SigbW 550, TautW 330, "
            "K1Fall 3, harteRandschicht 0, KV 1"}},
      {"[werkstoff]\nSigB = 1000\nSigS = 800\nSigzdW = 400\nSigbW = 500\nTautW = 300\n"
       "K1Fall = 2\nharteRandschicht = 0\n",
       {"Vorgabewert verwendet: KV 1"}},
      {"[werkstoff]\nname = \"C45\"\nSigB = 700\nSigS = 490\nSigzdW = 280\nSigbW = 350\n"
       "TautW = 210\nK1Fall = 2\nharteRandschicht = 0\nKV = 1\n",
       {}},
  };
  for (const Case& c : cases) {
    const std::optional<Welle> welle =
        Lies(c.werkstoff + kKontur + "[[last]]\nx = 100\nFy = 1000\n");
    ASSERT_TRUE(welle) << c.werkstoff;
    EXPECT_EQ(welle->hinweise, c.hinweise) << c.werkstoff;
  }
}

TEST(WelleReader, LoadCasesTopLevelOrNamed) {
  std::optional<Welle> welle =
      Lies(std::string(kKontur) + "[[last]]\nx = 100\nFy = 1\nT = 5\nT_a = 0.5\n"
                                  "[[last]]\nx = 150\nFz = 2\nT = -5\nT_a = -0.5\n");
  ASSERT_TRUE(welle);
  ASSERT_EQ(welle->lastfaelle.size(), 1u);
  EXPECT_EQ(welle->lastfaelle[0].name, "Lastfall 1");
  ASSERT_EQ(welle->lastfaelle[0].lasten.size(), 2u);
  EXPECT_EQ(welle->lastfaelle[0].lasten[1].Fz, 2);
  EXPECT_EQ(welle->lastfaelle[0].lasten[0].T, 5);
  EXPECT_EQ(welle->lastfaelle[0].lasten[1].T_a, -0.5);

  welle = Lies(std::string(kKontur) +
               "[[lastfall]]\nname = \"Volllast\"\n[[lastfall.last]]\nx = 100\nFy = 1\n"
               "[[lastfall]]\n[[lastfall.last]]\nx = 100\nFy = 2\n[[lastfall.last]]\nx = 10\n"
               "Fy = 3\n"
               // An inline array of tables is the same TOML.
               "[[lastfall]]\nname = \"Inline\"\nlast = [{x = 5, Fx = 4}]\n");
  ASSERT_TRUE(welle);
  ASSERT_EQ(welle->lastfaelle.size(), 3u);
  EXPECT_EQ(welle->lastfaelle[0].name, "Volllast");
  EXPECT_EQ(welle->lastfaelle[1].name, "Lastfall 2");
  ASSERT_EQ(welle->lastfaelle[1].lasten.size(), 2u);
  EXPECT_EQ(welle->lastfaelle[1].lasten[1].x, 10);
  EXPECT_EQ(welle->lastfaelle[1].lasten[1].Fy, 3);
  ASSERT_EQ(welle->lastfaelle[2].lasten.size(), 1u);
  EXPECT_EQ(welle->lastfaelle[2].lasten[0].Fx, 4);
}

// Letters beyond ASCII where the TOML parser looks for blanks: a load case
// named by a multi-line string whose line-ending backslash is followed by
// an umlaut, and an umlaut after a value, which is a syntax error.
TEST(WelleReader, UmlautsWhereTheParserLooksForBlanks) {
  std::optional<Welle> welle =
      Lies(std::string(kKontur) + "[[lastfall]]\nname = \"\"\"\\\n  \u00dcberlast\"\"\"\n"
                                  "[[lastfall.last]]\nx = 100\nFy = 1\n");
  ASSERT_TRUE(welle);
  EXPECT_EQ(welle->lastfaelle.at(0).name, "\u00dcberlast");
  std::string messages;
  EXPECT_FALSE(Lies("E = 1 \u00e4\n" + std::string(kKontur), &messages));
  EXPECT_EQ(messages, "w.toml:1:7: TOML-Syntaxfehler: Error while parsing key-value pair: expected a "
                      "comment or whitespace, saw '\u00e4'\n");
}

// The template shows every key the reader knows, each in its table, and is
// itself a shaft that reads without a fault or a default.
TEST(WelleReader, TemplateHasEveryKeyAndReads) {
  std::set<std::string> shown;
  std::string table;
  std::istringstream lines{std::string(Vorlage())};
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("[", 0) == 0) {
      table = line.substr(line.find_first_not_of('['));
      table = table.substr(0, table.find(']')) + ".";
      continue;
    }
    const std::size_t equals = line.find(" = ");
    if (line.empty() || line[0] == '#' || equals == std::string::npos) continue;
    shown.insert(table + line.substr(0, line.find(' ')));
  }
  for (const std::string& key : Schluessel()) EXPECT_TRUE(shown.count(key)) << key;
  EXPECT_EQ(shown.size(), Schluessel().size());

  std::string messages;
  const std::optional<Welle> welle = Lies(std::string(Vorlage()), &messages);
  ASSERT_TRUE(welle) << messages;
  EXPECT_EQ(welle->hinweise, std::vector<std::string>());
  EXPECT_EQ(welle->lastfaelle.size(), 2u);
}

}  // namespace
}  // namespace wellen::welle

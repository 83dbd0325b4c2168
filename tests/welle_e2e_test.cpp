// wellen743-welle as a user runs it: bad files, the template, the sections
// of a realistic shaft checked again by wellen743-batch, the outputs and
// the command line.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "calc/eingabewerte.h"
#include "command.h"
#include "texte.h"

namespace wellen {
namespace {

const std::string kWelle = WELLEN743_WELLE_BINARY;
const std::string kBatch = WELLEN743_BATCH_BINARY;
const std::string kData = WELLEN743_WELLE_DATA;  // tests/welle

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A folder of its own for a test, removed at the end.
class Scratch {
 public:
  Scratch() {
    std::string pattern = ::testing::TempDir() + "welle.XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~Scratch() {
    if (!path_.empty()) (void)std::system(("rm -rf '" + path_ + "'").c_str());
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

CommandResult Welle(std::vector<std::string> args, const std::string& input = "",
                    const std::string& directory = kData) {
  args.insert(args.begin(), kWelle);
  return RunCommand(args, input, directory);
}

// Each command line with its message: refused with status 2, nothing on
// standard output.
using Refused = std::pair<std::vector<std::string>, std::string>;
void ExpectRefused(std::span<const Refused> refused, const std::string& directory) {
  for (const auto& [args, message] : refused) {
    const CommandResult r = Welle(args, "", directory);
    EXPECT_EQ(r.status, 2) << message;
    EXPECT_EQ(r.err, "wellen743-welle: " + message + "\n");
    EXPECT_EQ(r.out, "") << message;
  }
}

// The rows of a CSV text as maps from column name to cell.
std::vector<std::map<std::string, std::string>> Records(const std::string& text, char sep) {
  const bool bom = text.rfind("\xEF\xBB\xBF", 0) == 0;  // as a spreadsheet's file may start
  const auto rows = ParseCsv(bom ? text.substr(3) : text, sep);
  std::vector<std::map<std::string, std::string>> records;
  for (std::size_t r = 1; r < rows.size(); ++r) {
    auto& record = records.emplace_back();
    for (std::size_t c = 0; c < rows[0].size() && c < rows[r].size(); ++c) {
      record[rows[0][c]] = rows[r][c];
    }
  }
  return records;
}

std::size_t Lines(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// A small shaft that computes; the bad files below are made from it.
const char* const kGut = R"([[abschnitt]]
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
[[last]]
x = 100
Fy = 1000
)";

// kGut with `from` replaced by `to`.
std::string Gut(const std::string& from, const std::string& to) {
  std::string text = kGut;
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(Welle, BadFilesAreRefusedWithTheirPlaceAndNothingIsComputed) {
  struct Case {
    const char* what;
    std::string file;
    std::string messages;  // standard error, without the program's name
  };
  const std::string gut = kGut;
  const Case cases[] = {
      // The file itself.
      {"TOML syntax", "E = 210000\nD = \n" + gut,
       "w.toml:2:5: TOML-Syntaxfehler: Error while parsing key-value pair: expected value, saw "
       "'\\n'\n"},
      {"a line break in the parser's words", "l = n\n" + gut,
       "w.toml:1:6: TOML-Syntaxfehler: Error while parsing floating-point: expected 'nan', saw "
       "'n\\n'\n"},
      {"a line break in a key", "\"E\\n\" = 1\n" + gut,
       "w.toml:1:1: E\\n: unbekannter Schlüssel; gemeint ist wohl E\n"},
      {"a key twice", "E = 1\nE = 2\n" + gut,
       "w.toml:2:5: TOML-Syntaxfehler: Error while parsing key-value pair: cannot redefine "
       "existing integer 'E'\n"},
      {"unknown keys, closest known", "Ee = 210000\n" + gut + "[werkstoff]\nsigb = 1000\nK1 = 2\n",
       "w.toml:1:1: Ee: unbekannter Schlüssel; gemeint ist wohl E\n"
       "w.toml:19:1: werkstoff.sigb: unbekannter Schlüssel; gemeint ist wohl SigB\n"
       "w.toml:20:1: werkstoff.K1: unbekannter Schlüssel; gemeint ist wohl K1Fall\n"},
      {"unknown key and a missing one", gut + "[[abschnitt]]\nl = 5\nDd = 50\n",
       "w.toml:17:1: abschnitt[3]: Schlüssel D fehlt\n"
       "w.toml:19:1: abschnitt[3].Dd: unbekannter Schlüssel; gemeint ist wohl D\n"},
      {"wrong types", "E = \"210000\"\nname = 5\n" + gut + "[[nut]]\nx = 50\nt = true\nr = [1]\n",
       "w.toml:1:5: E: ist Text, erwartet eine Zahl\n"
       "w.toml:2:8: name: ist eine ganze Zahl, erwartet Text in Anführungszeichen\n"
       "w.toml:21:5: nut[1].t: ist ein Wahrheitswert, erwartet eine Zahl\n"
       "w.toml:22:5: nut[1].r: ist ein Feld, erwartet eine Zahl\n"},
      {"a table instead of [[...]]", "[abschnitt]\nl = 5\n",
       "w.toml:1:1: abschnitt: ist eine Tabelle, erwartet [[abschnitt]], eine Folge von Tabellen\n"},
      {"values that are not finite", "deff = nan\nRz = -inf\n" + gut,
       "w.toml:1:8: deff: nan ist keine endliche Zahl\n"
       "w.toml:2:6: Rz: -inf ist keine endliche Zahl\n"},
      {"missing keys", gut + "[[nut]]\nt = 1\n[[lager]]\n",
       "w.toml:17:1: nut[1]: Schlüssel x fehlt\nw.toml:17:1: nut[1]: Schlüssel r fehlt\n"
       "w.toml:19:1: lager[3]: Schlüssel x fehlt\n"
       "w.toml:19:1: lager[3]: Schlüssel art fehlt (\"fest\" oder \"los\")\n"},
      {"kinds spelt otherwise", "art = \"drehend\"\n" + Gut("\"los\"", "\"Los\""),
       "w.toml:1:7: art: \"drehend\" ist weder \"umlaufend\" (umlaufende Welle) noch \"stehend\" "
       "(stehende Welle oder Achse)\n"
       "w.toml:14:7: lager[2].art: \"Los\" ist weder \"fest\" (Festlager) noch \"los\" "
       "(Loslager)\n"},
      {"selections", gut + "[werkstoff]\nK1Fall = 5\nharteRandschicht = 1.0\n",
       "w.toml:18:10: werkstoff.K1Fall: 5 liegt nicht zwischen 1 und 4\n"
       "w.toml:19:20: werkstoff.harteRandschicht: ist eine Zahl, erwartet eine ganze Zahl\n"},
      {"[[last]] and [[lastfall]]", gut + "[[lastfall]]\nname = \"A\"\n",
       "w.toml:17:1: lastfall: entweder [[last]] für einen einzigen Lastfall oder [[lastfall]] "
       "mit [[lastfall.last]], nicht beides\n"},
      // What the model's check finds, at the value it concerns.
      {"segment values", Gut("D = 50\nr = 2", "D = 50\ndi = 50\nr = 0"),
       "w.toml:7:6: abschnitt[2]: di = 50 nicht kleiner als D = 50\n"
       "w.toml:8:5: abschnitt[2]: r nicht positiv\n"},
      {"transitions", Gut("r = 2\n", "") + "[[abschnitt]]\nl = 10\nD = 50\nr = 1\n",
       "w.toml:4:1: abschnitt[2]: r fehlt: D wechselt von 40 auf 50\n"
       "w.toml:19:5: abschnitt[3]: r gegeben, aber D wechselt hier nicht\n"},
      {"E and deff", "E = 0\ndeff = -1\n" + gut,
       "w.toml:1:5: E nicht positiv\nw.toml:2:8: deff nicht positiv\n"},
      {"grooves", gut + "[[nut]]\nx = 100\nt = 1\nr = 0.5\n[[nut]]\nx = 199.8\nt = 1\nr = 0.5\n"
                        "[[nut]]\nx = 50\nt = 20\nr = 1\n",
       "w.toml:18:5: nut[1]: x = 100 auf einer Abschnittsgrenze\n"
       "w.toml:22:5: nut[2]: x = 199.8 näher als r = 0.5 am Abschnittsende 200\n"
       "w.toml:27:5: nut[3]: t = 20 nicht kleiner als D/2 = 20\n"},
      {"three bearings", gut + "[[lager]]\nx = 10\nart = \"los\"\n",
       "w.toml:8:1: lager: 3 Lager statt zwei (eines \"fest\", eines \"los\")\n"},
      {"two fixed bearings", Gut("\"los\"", "\"fest\""),
       "w.toml:13:7: lager[2].art: zwei Festlager: eines muss \"los\" sein\n"},
      {"bearings at one place", Gut("x = 180", "x = 20"),
       "w.toml:12:5: lager[2].x: beide Lager bei x = 20\n"},
      {"outside the shaft", Gut("x = 20", "x = -1").replace(gut.find("x = 100"), 7, "x = 250"),
       "w.toml:9:5: lager[1]: x = -1 außerhalb der Welle (0 bis 200)\n"
       "w.toml:15:5: last[1]: x = 250 außerhalb der Welle (0 bis 200)\n"},
      {"torques", Gut("Fy = 1000", "T = 100"),
       "w.toml:14:1: last: Summe der T = 100 nicht null: die Welle dreht frei\n"},
      {"amplitude torques",
       Gut("[[last]]\nx = 100\nFy = 1000\n",
           "[[lastfall]]\nname = \"Volllast\"\n[[lastfall.last]]\nx = 100\nT = 100\nT_a = 1\n"
           "[[lastfall.last]]\nx = 150\nT = -100\n"),
       "w.toml:14:1: lastfall[1]: Summe der T_a = 1 nicht null: die Welle dreht frei\n"},
      {"two load cases of one name",
       Gut("[[last]]\nx = 100\nFy = 1000\n",
           "[[lastfall]]\nname = \"A\"\n[[lastfall.last]]\nx = 100\nFy = 1\n"
           "[[lastfall]]\nname = \"A\"\n[[lastfall.last]]\nx = 100\nFy = 2\n"),
       "w.toml:20:8: lastfall[2]: name \"A\" hat schon Lastfall 1\n"},
      {"no load case", Gut("[[last]]\nx = 100\nFy = 1000\n", ""), "w.toml: lastfall: kein Lastfall\n"},
      {"no contour", "[[lager]]\nx = 1\nart = \"fest\"\n",
       "w.toml: abschnitt: keine Abschnitte\nw.toml: lastfall: kein Lastfall\n"
       "w.toml:1:1: lager: 1 Lager statt zwei (eines \"fest\", eines \"los\")\n"},
  };
  Scratch scratch;
  for (const Case& c : cases) {
    WriteFile(scratch / "w.toml", c.file);
    const CommandResult r = Welle({"-o", "ergebnis.csv", "w.toml"}, "", scratch.path());
    ASSERT_TRUE(r.finished) << c.what;
    EXPECT_EQ(r.status, 2) << c.what;
    std::string expected;
    std::istringstream lines(c.messages);
    for (std::string line; std::getline(lines, line);) expected += "wellen743-welle: " + line + "\n";
    EXPECT_EQ(r.err, expected) << c.what;
    EXPECT_EQ(r.out, "") << c.what;
    struct stat st {};
    EXPECT_NE(stat((scratch / "ergebnis.csv").c_str(), &st), 0) << c.what << ": output written";
  }
}

// The template is a shaft that computes as it is, and a new user's first
// run shows the table.
TEST(Welle, TemplateComputes) {
  Scratch scratch;
  const CommandResult t = Welle({"--template", "-o", "welle.toml"}, "", scratch.path());
  ASSERT_EQ(t.status, 0) << t.err;
  const CommandResult r = Welle({"--format", "table", "welle.toml"}, "", scratch.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  for (const char* line : {"\nLastfall 1: Nennlast\n", "\nLastfall 2: Anfahren\n", "\n2 Lastfälle, 6 Stellen: "
                           "12 Nachweise, 12 erfüllt, 0 nicht erfüllt (S_min 1.2); kleinste Sicherheit "}) {
    EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
  }
}

// Every section of a realistic shaft in both of its load cases, fed to the
// batch program as the section loads and inputs that the shaft program
// derived (no stresses): the batch must compute every value to the same
// digits, for a rotating and a non-rotating shaft.
TEST(Welle, SectionsAgainstTheBatch) {
  const char* const kInputs[] = {"Fm",   "Fa",   "Mbm",    "Mba",   "Tm",    "Ta",     "di",
                                 "D",    "d",    "deff",   "r",     "t",     "Rz",     "Kerbfall",
                                 "SigB", "SigS", "SigzdW", "SigbW", "TautW", "K1Fall", "harteRandschicht",
                                 "Hohlwelle", "KV"};
  const std::string file = ReadFile(kData + "/getriebewelle.toml");
  for (const char* art : {"umlaufend", "stehend"}) {
    std::string text = file;
    text.replace(text.find("umlaufend"), 9, art);
    const CommandResult welle = Welle({"--format", "csv", "--delimiter", ",", "-"}, text);
    ASSERT_EQ(welle.status, 0) << welle.err;
    const auto rows = Records(welle.out, ',');
    ASSERT_EQ(rows.size(), 12u) << art;  // 2 load cases, 4 shoulders and 2 grooves

    // Every load given, so every stress comes from a load, however the
    // batch treats a missing stress column.
    std::string input = "Name";
    for (const char* column : kInputs) input += std::string(",") + column;
    input += "\n";
    for (const auto& row : rows) {
      input += row.at("Lastfall") + " " + row.at("Stelle");
      for (const char* column : kInputs) input += "," + row.at(column);
      input += "\n";
    }
    const CommandResult batch = RunCommand({kBatch, "--delimiter", ",", "--format", "csv", "-"}, input);
    ASSERT_EQ(batch.status, 0) << batch.err;
    const auto checked = Records(batch.out, ',');
    ASSERT_EQ(checked.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
      std::size_t compared = 0;
      for (const auto& [column, value] : checked[i]) {
        if (column == "Datei" || column == "Zeile" || column == "Name" || column == "Werkstoff" ||
            column == "Bemerkung") {
          continue;  // the batch's own texts
        }
        EXPECT_EQ(rows[i].at(column), value) << art << ", row " << i + 1 << ", " << column;
        ++compared;
      }
      EXPECT_EQ(compared, 22u + 47u + 3u) << art;
    }
    EXPECT_EQ(rows[4].at("Hohlwelle"), "1") << "the shoulder 48/45 has the bore of the smaller";
    EXPECT_EQ(rows[1].at("Hohlwelle"), "0") << "the shoulder 35/42 has no bore";
  }
}

// The three formats carry the same values; the curves cover the shaft.
TEST(Welle, OutputsAndCurves) {
  Scratch scratch;
  const std::string shaft = kData + "/getriebewelle.toml";
  const CommandResult semikolon =
      Welle({shaft, "--curves", scratch / "verlauf.csv"}, "", scratch.path());
  ASSERT_EQ(semikolon.status, 0) << semikolon.err;
  const CommandResult komma = Welle({shaft, "--delimiter", ","});
  const CommandResult json = Welle({shaft, "--format", "json"});
  const auto rows = Records(semikolon.out, ';');
  const auto points = Records(komma.out, ',');
  ASSERT_EQ(rows.size(), 12u);
  ASSERT_EQ(points.size(), 12u);
  EXPECT_EQ(ParseCsv(semikolon.out, ';')[0].size(), 11u + 22u + 47u + 3u);
  EXPECT_EQ(Lines(json.out), 12u);
  std::istringstream objects(json.out);
  std::string object;
  for (std::size_t i = 0; i < rows.size() && std::getline(objects, object); ++i) {
    for (const auto& [column, value] : points[i]) {
      std::string comma = value;
      std::replace(comma.begin(), comma.end(), '.', ',');
      const bool number = rows[i].at(column) == comma && comma != value;
      if (column == "Datei" || column == "Lastfall" || column == "Stelle" || column == "Nachweis" ||
          column == "Hinweise") {
        EXPECT_EQ(rows[i].at(column), value) << column;
        EXPECT_NE(object.find("\"" + column + "\":\"" + value + "\""), std::string::npos) << column;
      } else {
        EXPECT_TRUE(number || rows[i].at(column) == value) << column << ": " << value;
        // JSON: a number as it is, a condition as true or false, a value
        // that is not finite as a string.
        const auto has = [&](const std::string& json) {
          return object.find("\"" + column + "\":" + json + ",") != std::string::npos;
        };
        EXPECT_TRUE(has(value) || has("\"" + value + "\"") || (value == "1" && has("true")) ||
                    (value == "0" && has("false")))
            << column << " " << value;
      }
    }
  }
  EXPECT_EQ(rows[0].at("Stelle"), "Nut 33 in 35");
  EXPECT_EQ(rows[1].at("Stelle"), "Absatz 35/42");
  EXPECT_EQ(rows[1].at("x"), "30");
  EXPECT_EQ(rows[5].at("Stelle"), "Absatz 45/35");
  EXPECT_EQ(rows[6].at("Lastfall"), "Überlast");

  // Curves: both load cases, x rising, the loads and bearings as points of
  // their own, two rows where a force jumps, at least 200 points each.
  const auto curve = Records(ReadFile(scratch / "verlauf.csv"), ';');
  std::map<std::string, std::vector<double>> xs;
  for (const auto& p : curve) {
    std::string x = p.at("x");
    std::replace(x.begin(), x.end(), ',', '.');
    xs[p.at("Lastfall")].push_back(std::stod(x));
  }
  ASSERT_EQ(xs.size(), 2u);
  for (const auto& [lastfall, x] : xs) {
    EXPECT_GE(x.size(), 200u) << lastfall;
    EXPECT_TRUE(std::is_sorted(x.begin(), x.end())) << lastfall;
    EXPECT_EQ(x.front(), 0) << lastfall;
    EXPECT_EQ(x.back(), 192) << lastfall;
    for (const double at : {3.0, 15.0, 30.0, 42.0, 77.0, 112.0, 137.0, 158.0, 162.0, 177.0}) {
      EXPECT_NE(std::find(x.begin(), x.end(), at), x.end()) << lastfall << " x " << at;
    }
    EXPECT_EQ(std::count(x.begin(), x.end(), 77.0), 2) << lastfall << ": left and right of a load";
  }
  EXPECT_EQ(ParseCsv(ReadFile(scratch / "verlauf.csv"), ';')[0],
            (std::vector<std::string>{"Lastfall", "x", "Qy", "Qz", "Mxy", "Mxz", "Mb", "T", "N",
                                      "Mb_a", "T_a", "N_a", "wy", "wz", "w"}));

  // Defaults named on standard error (not with -q) and in every row; a
  // shaft without a notch has statics and no rows.
  const std::string glatt = "[[abschnitt]]\nl = 200\nD = 40\n[[lager]]\nx = 0\nart = \"fest\"\n"
                            "[[lager]]\nx = 200\nart = \"los\"\n[[last]]\nx = 100\nFy = 1000\n";
  CommandResult r = Welle({"-"}, glatt);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(Lines(r.out), 1u) << r.out;
  EXPECT_EQ(r.err, "wellen743-welle: -: Hinweis: Vorgabewerte verwendet: SigB 1100, SigS 900, "
                   "SigzdW 440, SigbW 550, TautW 330, K1Fall 3, harteRandschicht 0, KV 1\n");
  EXPECT_EQ(Welle({"-q", "-"}, glatt).err, "");
  r = Welle({"--format", "table", "-"}, glatt);
  EXPECT_EQ(r.status, 0);
  for (const char* line : {"Hinweis: Vorgabewerte verwendet: SigB 1100", "Keine Kerbe",
                           "  Festlager                   0           0        -500           0         500",
                           "\n1 Lastfall, 0 Stellen: nichts zu prüfen\n"}) {
    EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
  }
  EXPECT_NE(Welle({"-"}, "[werkstoff]\nSigB = 1000\n" + std::string(kGut)).out.find(
                "Vorgabewerte verwendet: SigS 900,"),
            std::string::npos);
}

// Design mode as a new user checks it: the resized shaft's file, run as it
// is, gives the sizes and factors that --solve d wrote; a section's r_erf
// fed to wellen743-batch with the section's other inputs gives the factors
// that --solve r wrote, and meets S_min.
TEST(Welle, SolveCheckedByRunningAgain) {
  Scratch scratch;
  ASSERT_EQ(Welle({"--template", "-o", "w.toml"}, "", scratch.path()).status, 0);

  // --solve d: every diameter shrinks; the file computes and says the same.
  CommandResult r = Welle({"--solve", "d", "--delimiter", ",", "w.toml", "--resized", "neu.toml"},
                          "", scratch.path());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const std::vector<std::string> spalten = ParseCsv(r.out, ',').at(0);
  const auto nach = std::find(spalten.begin(), spalten.end(), "Nachweis");
  ASSERT_NE(nach, spalten.end());
  EXPECT_EQ(
      std::vector<std::string>(nach, spalten.end()),
      (std::vector<std::string>{"Nachweis", "d_erf", "D_erf", "r_erf", "t_erf", "deff_erf",
                                "di_erf", "S_Dauerbruch_erf", "S_Fliessgrenze_erf", "Hinweise"}));
  const auto geloest = Records(r.out, ',');
  r = Welle({"--delimiter", ",", "neu.toml"}, "", scratch.path());
  ASSERT_EQ(r.status, 0) << r.err;
  const auto nachgerechnet = Records(r.out, ',');
  ASSERT_EQ(geloest.size(), 12u);
  ASSERT_EQ(nachgerechnet.size(), geloest.size());
  for (std::size_t i = 0; i < geloest.size(); ++i) {
    for (const char* spalte :
         {"d", "D", "r", "t", "deff", "di", "S_Dauerbruch", "S_Fliessgrenze"}) {
      EXPECT_EQ(geloest[i].at(std::string(spalte) + "_erf"), nachgerechnet[i].at(spalte))
          << "row " << i + 1 << " " << spalte;
    }
    EXPECT_LT(std::stod(geloest[i].at("d_erf")), std::stod(geloest[i].at("d")));
    EXPECT_EQ(nachgerechnet[i].at("Nachweis"), "erfuellt");
  }
  r = Welle({"--solve", "d", "--format", "table", "w.toml"}, "", scratch.path());
  for (const char* text : {"gr\u00f6\u00dfter Au\u00dfendurchmesser 62 mm -> ",
                           "\nGe\u00e4nderte Welle, vollst\u00e4ndig nachgerechnet:\n",
                           "\nGe\u00e4nderte Welle: 2 Lastf\u00e4lle, 6 Stellen: 12 Nachweise, 12 "
                           "erf\u00fcllt, 0 nicht erf\u00fcllt"}) {
    EXPECT_NE(r.out.find(text), std::string::npos) << text << "\n" << r.out;
  }
  // The resized contour with every digit, as the CSV and the file have it.
  for (const auto& zeile : geloest) {
    for (const char* spalte : {"d_erf", "D_erf"}) {
      EXPECT_NE(r.out.find(" " + zeile.at(spalte) + " "), std::string::npos) << zeile.at(spalte);
    }
  }

  // Not reachable: the old file stays, a message says why, the status is
  // that of the check.
  WriteFile(scratch / "alt.toml", "alt\n");
  r = Welle({"--solve", "d", "--smin", "5000", "-q", "w.toml", "--resized", "alt.toml"}, "",
            scratch.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "wellen743-welle: alt.toml: nicht geschrieben: keine Gr\u00f6\u00dfe bis D_max "
            "= 310 mm erf\u00fcllt S_min an jeder Stelle in jedem Lastfall\n");
  EXPECT_EQ(ReadFile(scratch / "alt.toml"), "alt\n");
  for (const auto& row : Records(r.out, ';')) {
    EXPECT_EQ(row.at("d_erf") + row.at("D_erf") + row.at("r_erf") + row.at("t_erf") +
                  row.at("deff_erf") + row.at("di_erf"),
              "");
    EXPECT_NE(row.at("S_Dauerbruch_erf"), "");
    EXPECT_NE(row.at("Hinweise").find("nicht erreichbar bis D_max = 310"), std::string::npos);
  }
  r = Welle({"--solve", "d", "w.toml", "--resized", "w.toml"}, "", scratch.path());
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err,
            "wellen743-welle: Datei der ge\u00e4nderten Welle w.toml ist zugleich die Datei "
            "der Welle; sie wird nicht \u00fcberschrieben\n");

  // --solve r with an S_min that two shoulders cannot reach: the rows of
  // the others, with r = r_erf, go to the batch program.
  r = Welle({"--solve", "r", "--smin", "10", "--delimiter", ",", "w.toml"}, "", scratch.path());
  EXPECT_EQ(r.status, 1);
  const auto radien = Records(r.out, ',');
  ASSERT_EQ(radien.size(), 12u);
  std::string input = "Name";
  for (const Eingabefeld& feld : Eingabefelder()) {
    input += ',';
    input += feld.name;
  }
  input += "\n";
  std::vector<std::size_t> erreicht;
  std::size_t nicht = 0;
  for (std::size_t i = 0; i < radien.size(); ++i) {
    const auto& row = radien[i];
    if (row.at("r_erf").empty()) {
      EXPECT_NE(row.at("Hinweise").find("nicht erreichbar bis r = " + row.at("t")),
                std::string::npos)
          << row.at("Hinweise");
      ++nicht;
      continue;
    }
    erreicht.push_back(i);
    input += row.at("Stelle");
    for (const Eingabefeld& feld : Eingabefelder()) {
      input += ',';
      input += row.at(feld.name == "r" ? "r_erf" : std::string(feld.name));
    }
    input += "\n";
  }
  EXPECT_EQ(nicht, 4u) << "two shoulders in two load cases";
  const CommandResult batch =
      RunCommand({kBatch, "--delimiter", ",", "--smin", "10", "--format", "csv", "-"}, input);
  const auto checked = Records(batch.out, ',');
  ASSERT_EQ(checked.size(), erreicht.size()) << batch.err;
  for (std::size_t k = 0; k < checked.size(); ++k) {
    const auto& row = radien[erreicht[k]];
    EXPECT_EQ(checked[k].at("S_Dauerbruch"), row.at("S_Dauerbruch_erf")) << row.at("Stelle");
    EXPECT_EQ(checked[k].at("S_Fliessgrenze"), row.at("S_Fliessgrenze_erf")) << row.at("Stelle");
  }
  r = Welle({"--solve", "r", "--smin", "10", "--format", "table", "w.toml"}, "", scratch.path());
  EXPECT_NE(r.out.find("\n  4 von 6 Stellen erreichen S_min mit einem Radius im Suchbereich\n"),
            std::string::npos)
      << r.out;
}

TEST(Welle, CommandLine) {
  CommandResult r = Welle({"--help"});
  EXPECT_EQ(r.status, 0);
  for (const char* text : {"Aufruf: wellen743-welle [OPTIONEN] DATEI\n", "\nArgumente:\n",
                           "\nOptionen:\n", "\nBeispiel:\n"}) {
    EXPECT_NE(r.out.find(text), std::string::npos) << text << r.out;
  }
  EXPECT_EQ(Welle({"--version"}).out, "wellen743-welle " WELLEN743_VERSION "\n");

  const std::pair<std::vector<std::string>, std::string> usage[] = {
      {{}, "die Datei der Welle fehlt"},
      {{"a.toml", "b.toml"}, "überzähliges Argument: b.toml"},
      {{"--fromat", "csv", "a.toml"}, "unbekannte Option: --fromat"},
      {{"--format", "xml", "a.toml"}, "--format: \"xml\" ist nicht csv, json oder table"},
      {{"--delimiter", "|", "a.toml"}, "--delimiter: \"|\" ist nicht , ; oder tab"},
      {{"--smin", "0", "a.toml"}, "--smin: \"0\" ist keine endliche positive Zahl"},
      {{"--smin", "1,5x", "a.toml"}, "--smin: \"1,5x\" ist keine endliche positive Zahl"},
      {{"--template", "a.toml"}, "--template nimmt keine DATEI; die Vorlage wird ausgegeben"},
      {{"a.toml", "-o"}, "--output: der Wert fehlt"},
      {{"--solve", "D", "a.toml"}, "--solve: \"D\" ist nicht r oder d"},
      {{"--solve", "r", "--resized", "b.toml", "a.toml"}, "--resized gilt nur mit --solve d"},
      {{"--template", "--solve", "d"}, "--template nimmt kein --solve"},
  };
  for (const auto& [args, message] : usage) {
    r = Welle(args);
    EXPECT_EQ(r.status, 2) << message;
    EXPECT_EQ(r.err, "wellen743-welle: " + message + " (--help zeigt die Optionen)\n");
    EXPECT_EQ(r.out, "");
  }

  // --smin: a decimal comma as a point; a section below it gives status 1.
  const std::string shaft = kData + "/getriebewelle.toml";
  r = Welle({"--smin", "1,5", "--delimiter", ",", shaft});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(Records(r.out, ',').at(0).at("S_min"), "1.5");
  r = Welle({"--smin", "1.250", "--delimiter", ",", shaft});  // a point is a decimal point
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Records(r.out, ',').at(0).at("S_min"), "1.25");
  r = Welle({"--smin", "7", "--delimiter", ",", shaft});
  EXPECT_EQ(r.status, 1);
  const auto rows = Records(r.out, ',');
  EXPECT_EQ(rows.size(), 12u);
  EXPECT_TRUE(std::any_of(rows.begin(), rows.end(),
                          [](const auto& row) { return row.at("Nachweis") == "nicht erfuellt"; }));
}

// -o and --curves: written whole through a temporary file, never over the
// shaft file or each other; a run that fails leaves them as they were.
TEST(Welle, OutputFiles) {
  Scratch scratch;
  WriteFile(scratch / "w.toml", kGut);
  WriteFile(scratch / "alt.csv", "alt\n");
  CommandResult r = Welle({"w.toml", "-o", "alt.csv", "--curves", "k.csv"}, "", scratch.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadFile(scratch / "alt.csv").rfind("Datei;Lastfall;Stelle;x;", 0), 0u);
  EXPECT_EQ(ReadFile(scratch / "k.csv").rfind("Lastfall;x;Qy;", 0), 0u);

  const Refused refused[] = {
      {{"w.toml", "-o", "w.toml"},
       "Ausgabedatei w.toml ist zugleich die Datei der Welle; sie wird nicht überschrieben"},
      {{"w.toml", "--curves", "./w.toml"},
       "Verlaufsdatei ./w.toml ist zugleich die Datei der Welle; sie wird nicht überschrieben"},
      {{"w.toml", "-o", "k.csv", "--curves", "k.csv"},
       "Ausgabedatei k.csv ist zugleich die Verlaufsdatei"},
      // Not there yet: the one renamed into place last would replace the other.
      {{"w.toml", "-o", "neu.csv", "--curves", "./neu.csv"},
       "Ausgabedatei neu.csv ist zugleich die Verlaufsdatei"},
      {{"w.toml", "--solve", "d", "--resized", "neu.toml", "--curves", "neu.toml"},
       "Verlaufsdatei neu.toml ist zugleich die Datei der ge\u00e4nderten Welle"},
      {{"w.toml", "-o", "fehlt/a.csv"},
       "Ausgabedatei fehlt/a.csv: Datei oder Verzeichnis nicht gefunden"},
      {{"fehlt.toml", "-o", "k.csv"},
       "fehlt.toml: kann nicht gelesen werden: Datei oder Verzeichnis nicht gefunden"},
      // The results held back while the curves fail.
      {{"w.toml", "--curves", "/dev/full"},
       "Verlaufsdatei /dev/full: kein Platz mehr auf dem Gerät"},
  };
  ExpectRefused(refused, scratch.path());
  EXPECT_EQ(ReadFile(scratch / "w.toml"), kGut);
  EXPECT_EQ(ReadFile(scratch / "k.csv").rfind("Lastfall;x;Qy;", 0), 0u);
  EXPECT_NE(access((scratch / "neu.csv").c_str(), F_OK), 0);
  EXPECT_NE(access((scratch / "neu.toml").c_str(), F_OK), 0);
  // Two outputs may both go to a device.
  EXPECT_EQ(
      Welle({"w.toml", "-o", "/dev/null", "--curves", "/dev/null"}, "", scratch.path()).status, 0);
  WriteFile(scratch / "schlecht.toml", "E = 0\n" + std::string(kGut));
  r = Welle({"schlecht.toml", "-o", "alt.csv"}, "", scratch.path());
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(ReadFile(scratch / "alt.csv").rfind("Datei;Lastfall;Stelle;x;", 0), 0u);
}


// A number as the report writes it: "%g" with a decimal comma.
std::string Deutsch(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  std::string s = text;
  std::replace(s.begin(), s.end(), '.', ',');
  return s;
}

// The <svg> element of the report whose title starts with `titel`.
std::string Bild(const std::string& html, const std::string& titel) {
  const std::size_t at = html.find("<title>" + titel);
  if (at == std::string::npos) return {};
  return html.substr(at, html.find("</svg>", at) - at);
}

// The labels "NAME = VALUE" of a diagram, as a sorted list.
std::vector<std::string> Beschriftungen(const std::string& svg) {
  std::vector<std::string> labels;
  for (std::size_t at = svg.find("paint-order=\"stroke\">"); at != std::string::npos;
       at = svg.find("paint-order=\"stroke\">", at + 1)) {
    const std::size_t from = at + 21;
    labels.push_back(svg.substr(from, svg.find('<', from) - from));
  }
  std::sort(labels.begin(), labels.end());
  return labels;
}

// The diagrams of the report label the extremes of each curve: the largest
// value above zero and the smallest below, the very values of --curves
// (the deflection in micrometres). Both run in one call of the program.
TEST(Welle, ReportDiagramsShowTheExtremesOfTheCurves) {
  Scratch scratch;
  const std::string shaft = kData + "/getriebewelle.toml";
  const CommandResult r = Welle({shaft, "--delimiter", ",", "-o", scratch / "e.csv", "--curves",
                                 scratch / "k.csv", "--report", scratch / "b.html"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string html = ReadFile(scratch / "b.html");
  const auto curves = Records(ReadFile(scratch / "k.csv"), ',');
  ASSERT_FALSE(curves.empty());
  struct Diagramm {
    const char* titel;
    std::vector<std::string> spalten;
    double faktor;
  };
  const Diagramm diagramme[] = {
      {"Biegemomente", {"Mxy", "Mxz", "Mb", "Mb_a"}, 1},
      {"Torsionsmoment", {"T", "T_a"}, 1},
      {"Längskraft", {"N", "N_a"}, 1},
      {"Durchbiegung", {"wy", "wz", "w"}, 1000},
  };
  std::size_t labels = 0;
  const std::pair<std::string, std::string> lastfaelle[] = {{"Nennlast", "Lastfall 1: Nennlast"},
                                                             {"Überlast", "Lastfall 2: Überlast"}};
  for (const auto& [lastfall, titel] : lastfaelle) {
    for (const Diagramm& d : diagramme) {
      SCOPED_TRACE(lastfall + ": " + d.titel);
      const std::string svg = Bild(html, titel + " – " + d.titel);
      ASSERT_FALSE(svg.empty());
      // The extremes of each curve; those within a billionth of the
      // diagram's largest magnitude are rounding, zero, and not labelled.
      std::vector<std::pair<std::string, double>> extreme;
      double groesster = 0;
      for (const std::string& spalte : d.spalten) {
        double hoch = 0;
        double tief = 0;
        for (const auto& p : curves) {
          if (p.at("Lastfall") != lastfall) continue;
          const double v = std::stod(p.at(spalte)) * d.faktor;
          hoch = std::max(hoch, v);
          tief = std::min(tief, v);
        }
        extreme.emplace_back(spalte, hoch);
        extreme.emplace_back(spalte, tief);
        groesster = std::max({groesster, hoch, -tief});
      }
      std::vector<std::string> erwartet;
      for (const auto& [spalte, v] : extreme) {
        if (std::fabs(v) > 1e-9 * groesster) erwartet.push_back(spalte + " = " + Deutsch(v));
      }
      std::sort(erwartet.begin(), erwartet.end());
      EXPECT_EQ(Beschriftungen(svg), erwartet);
      labels += erwartet.size();
    }
  }
  EXPECT_GE(labels, 20U);
  // Each label stands on a white box, and none overlaps another in any
  // diagram.
  std::size_t kaesten = 0;
  for (std::size_t at = html.find("<svg"); at != std::string::npos;
       at = html.find("<svg", at + 1)) {
    const std::string svg = html.substr(at, html.find("</svg>", at) - at);
    std::vector<std::array<double, 4>> boxes;
    for (std::size_t b = svg.find("<rect x="); b != std::string::npos;
         b = svg.find("<rect x=", b + 1)) {
      const std::string rect = svg.substr(b, svg.find('>', b) - b);
      if (rect.find("fill-opacity") == std::string::npos) continue;
      std::array<double, 4> k{};
      const char* const format = "<rect x=\"%lf\" y=\"%lf\" width=\"%lf\" height=\"%lf\"";
      ASSERT_EQ(std::sscanf(rect.c_str(), format, &k[0], &k[1], &k[2], &k[3]), 4) << rect;
      for (const auto& o : boxes) {
        EXPECT_FALSE(k[0] < o[0] + o[2] && o[0] < k[0] + k[2] && k[1] < o[1] + o[3] &&
                     o[1] < k[1] + k[3])
            << rect;
      }
      boxes.push_back(k);
    }
    kaesten += boxes.size();
  }
  EXPECT_GE(kaesten, labels);
  // The largest deflection of the table is the one of the curves.
  const auto results = Records(ReadFile(scratch / "e.csv"), ',');
  double w_max = 0;
  for (const auto& p : curves) {
    if (p.at("Lastfall") == "Nennlast") w_max = std::max(w_max, std::stod(p.at("w")));
  }
  EXPECT_NE(html.find("<td>Lastfall 1: Nennlast</td><td class=\"z\">" + Deutsch(w_max * 1000) +
                      "</td>"),
            std::string::npos);
  // Each section's factors in its proof, and the drawing numbering them.
  for (const auto& row : results) {
    const std::string sd = Deutsch(std::stod(row.at("S_Dauerbruch")));
    EXPECT_NE(html.find("S Dauerbruch = " + sd), std::string::npos) << sd;
  }
  const std::string zeichnung = Bild(html, "Welle Zwischenwelle");
  for (const char* nummer : {">1</text>", ">2</text>", ">3</text>", ">4</text>", ">5</text>",
                             ">6</text>"}) {
    EXPECT_NE(zeichnung.find(nummer), std::string::npos) << nummer;
  }
}

// Invalid factors (an axial force far beyond the yield strength): the
// summary names the sections whose factor the smallest leaves out, and the
// crosses that mark them in the diagram are drawn over the points.
TEST(Welle, ReportOfInvalidFactors) {
  Scratch scratch;
  std::string shaft = Welle({"--template"}).out;
  const std::size_t fx = shaft.find("\nFx = 2750\n");
  ASSERT_NE(fx, std::string::npos);
  WriteFile(scratch / "w.toml", shaft.insert(fx + 10, "000"));
  const CommandResult r =
      Welle({"w.toml", "--smin", "7", "-o", "/dev/null", "--report", "b.html"}, "", scratch.path());
  ASSERT_EQ(r.status, 1) << r.err;
  const std::string html = ReadFile(scratch / "b.html");
  const std::size_t dauer =
      html.find("<td>kleinste Sicherheit gegen Dauerbruch</td><td class=\"z\">5,65503</td>");
  ASSERT_NE(dauer, std::string::npos);
  const std::string vermerk =
      "<tr><td colspan=\"5\" class=\"vermerk\">ungültige Sicherheiten nicht mitgezählt: "
      "Stelle 2, 3 (Lastfall 2)</td></tr>";
  EXPECT_EQ(html.find("<tr>", dauer), html.find(vermerk));
  EXPECT_NE(html.find("<td>kleinste Sicherheit gegen Fließen</td><td class=\"z\">0,48257</td>"),
            std::string::npos);
  const std::string svg = Bild(html, "Lastfall 2: Anfahren – Sicherheiten");
  const std::size_t kreuz = svg.find("stroke-width=\"1.6\"");
  ASSERT_NE(kreuz, std::string::npos);
  EXPECT_LT(svg.rfind("height=\"6\"", svg.find("S_min = ")), kreuz);
}

// The report is written as -o is: whole, through a temporary file, the same
// bytes each time; never over the shaft file, -o or --curves; none after
// status 2; also after status 1.
TEST(Welle, ReportFile) {
  Scratch scratch;
  WriteFile(scratch / "w.toml", kGut);
  CommandResult r = Welle({"w.toml", "-o", "e.csv", "--report", "b.html", "--project", "P <1>",
                           "--drawing", "Z-1", "--author", "A", "--title", "T", "--date", "D"},
                          "", scratch.path());
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string html = ReadFile(scratch / "b.html");
  EXPECT_EQ(html.rfind("<!DOCTYPE html>\n", 0), 0U);
  EXPECT_EQ(html.substr(html.size() - 8), "</html>\n");
  for (const char* text : {"P &lt;1&gt;", "<td>Z-1</td>", "<h1>T</h1>", "<td>D</td>",
                           "<td>wellen743-welle " WELLEN743_VERSION "</td>", "<td>w.toml</td>"}) {
    EXPECT_NE(html.find(text), std::string::npos) << text;
  }
  r = Welle({"w.toml", "-o", "e.csv", "--report", "b.html", "--project", "P <1>", "--drawing",
             "Z-1", "--author", "A", "--title", "T", "--date", "D"},
            "", scratch.path());
  EXPECT_EQ(ReadFile(scratch / "b.html"), html);
  // Without --date there is no date, and nothing else changes from run to run.
  r = Welle({"w.toml", "--report", "c.html", "-o", "/dev/null"}, "", scratch.path());
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(ReadFile(scratch / "c.html").find("<tr><th>Datum</th><td class=\"leer\">"),
            std::string::npos);

  const Refused refused[] = {
      {{"w.toml", "--report", "w.toml"},
       "Bericht w.toml ist zugleich die Datei der Welle; sie wird nicht überschrieben"},
      {{"w.toml", "-o", "e.csv", "--report", "./e.csv"},
       "Ausgabedatei e.csv ist zugleich der Bericht"},
      {{"w.toml", "-o", "neu.csv", "--report", "neu.csv"},
       "Ausgabedatei neu.csv ist zugleich der Bericht"},
      {{"w.toml", "--curves", "neu.csv", "--report", "./neu.csv"},
       "Verlaufsdatei neu.csv ist zugleich der Bericht"},
      {{"w.toml", "-o", "/dev/null", "--report", "fehlt/b.html"},
       "Bericht fehlt/b.html: Datei oder Verzeichnis nicht gefunden"},
      // The report held back while the curves fail, and the results too.
      {{"w.toml", "--curves", "/dev/full", "--report", "neu.html"},
       "Verlaufsdatei /dev/full: kein Platz mehr auf dem Gerät"},
      {{"w.toml", "-o", "/dev/full", "--report", "neu.html"},
       "Ausgabedatei /dev/full: kein Platz mehr auf dem Gerät"},
  };
  ExpectRefused(refused, scratch.path());
  EXPECT_EQ(ReadFile(scratch / "w.toml"), kGut);
  EXPECT_EQ(ReadFile(scratch / "e.csv").rfind("Datei;Lastfall;Stelle;x;", 0), 0U);
  struct stat st {};
  for (const char* name : {"neu.csv", "neu.html"}) {
    EXPECT_NE(stat((scratch / name).c_str(), &st), 0) << name;
  }
  // A file with a fault: status 2, no report; below S_min: status 1 and a
  // report that says so.
  WriteFile(scratch / "schlecht.toml", "E = 0\n" + std::string(kGut));
  r = Welle({"schlecht.toml", "--report", "neu.html"}, "", scratch.path());
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(stat((scratch / "neu.html").c_str(), &st), 0);
  r = Welle({"w.toml", "--smin", "40", "-o", "/dev/null", "--report", "neu.html"}, "",
            scratch.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(ReadFile(scratch / "neu.html").find("<strong>Nachweis nicht erfüllt</strong>: der "
                                                 "Nachweis erreicht S<sub>min</sub> = 40 nicht"),
            std::string::npos);
  // Nothing left behind but the files asked for.
  const CommandResult ls = RunCommand({"/bin/ls", "-A", scratch.path()}, "", scratch.path());
  EXPECT_EQ(ls.out, "b.html\nc.html\ne.csv\nneu.html\nschlecht.toml\nw.toml\n");
  // The template computes no shaft: a report with it is a usage error.
  r = Welle({"--template", "--report", "b.html"}, "", scratch.path());
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "wellen743-welle: --template nimmt kein --report (--help zeigt die Optionen)\n");
}


// Design mode in the report: beside each section its solved value, and in
// each of its rows the factors there, as the CSV output of the same run
// gives them; the proofs name them too.
TEST(Welle, ReportShowsTheSolvedValues) {
  Scratch scratch;
  const std::string shaft = kData + "/getriebewelle.toml";
  for (const std::string art : {"r", "d"}) {
    SCOPED_TRACE("--solve " + art);
    const CommandResult r = Welle({shaft, "--solve", art, "--delimiter", ",", "-o",
                                   scratch / "e.csv", "--report", scratch / "b.html"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string html = ReadFile(scratch / "b.html");
    const auto rows = Records(ReadFile(scratch / "e.csv"), ',');
    ASSERT_EQ(rows.size(), 12U);
    const std::string erf = art + "<sub>erf</sub>";
    for (std::size_t k = 0; k < rows.size(); ++k) {
      const auto& row = rows[k];
      const std::size_t stelle = k % 6 + 1;
      const std::size_t lastfall = k / 6 + 1;
      SCOPED_TRACE("Stelle " + std::to_string(stelle) + ", Lastfall " + std::to_string(lastfall));
      const std::string wert = Deutsch(std::stod(row.at(art + "_erf")));
      // The summary row of this section and load case: its link, then the
      // factors as given and at the solved value.
      const std::string anker = "#stelle-" + std::to_string(stelle) + "-lf-" +
                                std::to_string(lastfall) + "\">";
      const std::size_t zeile = html.find(anker + "Lastfall");
      ASSERT_NE(zeile, std::string::npos);
      const std::string tr = html.substr(zeile, html.find("</tr>", zeile) - zeile);
      for (const char* spalte : {"S_Dauerbruch_erf", "S_Fliessgrenze_erf"}) {
        EXPECT_NE(tr.find("bei " + erf + ": " + Deutsch(std::stod(row.at(spalte))) + "<"),
                  std::string::npos)
            << spalte << "\n" << tr;
      }
      if (lastfall == 1) {
        EXPECT_NE(html.find("<span class=\"loesung\">" + erf + " = " + wert + " mm</span>"),
                  std::string::npos)
            << wert;
      }
      // The proof: the value and the factors of this load case.
      const std::size_t nachweis = html.find("<section class=\"fall\" id=\"" + anker.substr(1, anker.size() - 3));
      ASSERT_NE(nachweis, std::string::npos);
      const std::size_t block = html.find("<div class=\"auslegung\">", nachweis);
      ASSERT_NE(block, std::string::npos);
      const std::string text = html.substr(block, html.find("</div>", block) - block);
      EXPECT_NE(text.find("S Dauerbruch = " + Deutsch(std::stod(row.at("S_Dauerbruch_erf")))),
                std::string::npos)
          << text;
      EXPECT_NE(text.find(art == "r" ? "r<sub>erf</sub> = " + wert : "hier d = " + wert),
                std::string::npos)
          << text;
    }
    EXPECT_NE(html.find("<tr><th>Auslegung</th>"), std::string::npos);
  }
  // Without design mode nothing of it.
  ASSERT_EQ(Welle({shaft, "-o", "/dev/null", "--report", scratch / "b.html"}).status, 0);
  const std::string ohne = ReadFile(scratch / "b.html");
  EXPECT_EQ(ohne.find("class=\"auslegung\""), std::string::npos);
  EXPECT_EQ(ohne.find("class=\"loesung\""), std::string::npos);
  EXPECT_EQ(ohne.find(">Auslegung<"), std::string::npos);
}

}  // namespace
}  // namespace wellen

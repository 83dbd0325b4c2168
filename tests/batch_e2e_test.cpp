// wellen743-batch as a user runs it: golden files in both dialects, every
// value checked against the interactive program run on the same case, bad
// input, the output file and the section loads.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <numbers>
#include <sstream>

#include "calc/schnittlasten.h"
#include "command.h"
#include "expected_pages.h"

namespace wellen {
namespace {

const std::string kBatch = WELLEN743_BATCH_BINARY;
const std::string kData = WELLEN743_BATCH_DATA;  // tests/batch

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

CommandResult Batch(std::vector<std::string> args, const std::string& input = "") {
  args.insert(args.begin(), kBatch);
  return RunCommand(args, input, kData);
}

// Splits CSV text with the separator `sep` into rows of cells (quoted cells
// as RFC 4180 has them).
std::vector<std::vector<std::string>> ParseCsv(const std::string& text, char sep) {
  std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        rows.back().back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        rows.back().back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == sep) {
      rows.back().emplace_back();
    } else if (c == '\n') {
      rows.emplace_back(1);
    } else {
      rows.back().back() += c;
    }
  }
  if (rows.back().size() == 1 && rows.back()[0].empty()) rows.pop_back();
  return rows;
}

TEST(Batch, GoldenFilesInBothDialects) {
  for (const char* name : {"drei", "drei_semikolon"}) {
    const CommandResult r = Batch({std::string(name) + ".csv"});
    ASSERT_TRUE(r.finished) << name;
    EXPECT_EQ(r.status, 0) << name << r.err;
    EXPECT_EQ(r.err, "") << name;
    EXPECT_EQ(r.out, ReadFile(kData + "/" + name + ".expected.csv")) << name;
  }
  // Several files: one header, the first file's dialect, each file read in
  // its own.
  const CommandResult both = Batch({"drei.csv", "drei_semikolon.csv"});
  EXPECT_EQ(both.status, 0) << both.err;
  const auto rows = ParseCsv(both.out, ',');
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[6][0], "drei_semikolon.csv");
  EXPECT_EQ(rows[6][3], "600");
  // Both dialects read the same cases: the values agree but for the commas.
  auto point = ParseCsv(ReadFile(kData + "/drei.expected.csv"), ',');
  auto comma = ParseCsv(ReadFile(kData + "/drei_semikolon.expected.csv"), ';');
  ASSERT_EQ(point.size(), comma.size());
  for (std::size_t row = 0; row < point.size(); ++row) {
    for (std::size_t cell = 3; cell < point[row].size(); ++cell) {
      std::string text = comma[row][cell];
      for (char& c : text) c = c == ',' ? '.' : c;
      EXPECT_EQ(point[row][cell], text) << "row " << row << ", column " << point[0][cell];
    }
  }
}

// The interactive program's pages for the input record in `row`, entered
// through its dialogs.
std::string InteractivePages(const std::map<std::string, std::string>& row) {
  // The dialogs a to e, each field in its order, then the run.
  const std::vector<std::pair<char, std::vector<const char*>>> dialogs = {
      {'a', {"Sigzdm", "Sigbm", "Tautm", "Sigzda", "Sigba", "Tauta"}},
      {'b', {"D", "d", "deff", "r", "t", "Rz"}},
      {'c', {"Kerbfall"}},
      {'d', {"SigB", "SigS", "SigzdW", "SigbW", "TautW"}},
      {'e', {"K1Fall", "harteRandschicht", "Hohlwelle", "KV"}},
  };
  std::string script;
  for (const auto& [key, fields] : dialogs) {
    script += key;
    for (const char* field : fields) script.append(row.at(field)).append(" ");
    script += '\n';
  }
  script += "g      q";
  const CommandResult r = RunCommand({WELLEN743_BINARY}, script);
  EXPECT_EQ(r.status, 0);
  return r.out.substr(r.out.find("Ergebnisse 1 v.6:"));
}

TEST(Batch, EveryValueEqualsTheInteractiveProgramsPage) {
  // The batch columns of the page values, in page order, and the labels the
  // interactive pages print them with.
  const std::vector<std::string> columns = {
      "K1",       "as_Zug",  "Gs_Zug",  "n_Zug",        "bs_Zug",        "K2_Zug",  "KFs_Zug",
      "Ks_Zug",   "as_Bie",  "Gs_Bie",  "n_Bie",        "bs_Bie",        "K2_Bie",  "KFs_Bie",
      "Ks_Bie",   "at_Tor",  "Gs_Tor",  "n_Tor",        "bt_Tor",        "K2_Tor",  "KFt_Tor",
      "Kt_Tor",   "Sigmv",   "Taumv",   "SigzdWK",      "SigbWK",        "TautWK",  "psizdsK",
      "psibsK",   "psitauK", "K2Fz",    "K2Fb",         "K2Ft",          "gamFz",   "gamFb",
      "gamFt",    "SigzdFK", "SigbFK",  "TautFK",       "Bed_Zug",       "Bed_Bie", "Bed_Tor",
      "SigzdADK", "SigbADK", "TautADK", "S_Dauerbruch", "S_Fliessgrenze"};
  std::vector<std::string> labels;
  for (const auto& page : testing_pages::kLabels)
    labels.insert(labels.end(), page.begin(), page.end());
  ASSERT_EQ(labels.size(), columns.size());

  // The worked examples and the two asymmetric ones, as a spreadsheet would
  // give them: the changed fields only.
  const std::string input =
      "Name,Kerbfall,K1Fall,deff,harteRandschicht,Hohlwelle,Sigzdm,Sigbm,Tautm,r,Rz,KV\n"
      "Vorgabe,,,,,,,,,,,\n"
      "Rundnut,1,1,150,1,1,-250,50,80,,,\n"
      "Hoch,,,,,,600,,,,,\n"
      "Hohl 450,,,,,1,450,,,,,\n"
      "Hart,,2,120,1,0,,,180,,,\n"
      "Krumm,1,4,77.7,0,1,123.456,-0.001,1e-3,2.5,6.3,0.85\n";
  const CommandResult batch = Batch({"-"}, input);
  ASSERT_EQ(batch.status, 0) << batch.err;
  const auto rows = ParseCsv(batch.out, ',');
  ASSERT_EQ(rows.size(), 7u);
  for (std::size_t i = 1; i < rows.size(); ++i) {
    std::map<std::string, std::string> row;
    for (std::size_t c = 0; c < rows[0].size(); ++c) row[rows[0][c]] = rows[i][c];
    const std::string pages = InteractivePages(row);
    std::size_t at = 0;
    for (std::size_t k = 0; k < columns.size(); ++k) {
      const std::string& value = row.at(columns[k]);
      std::string expected = labels[k];
      if (columns[k].rfind("Bed_", 0) == 0) {
        expected += value == "1" ? "erfuellt\n" : "nicht erfuellt\n";
      } else {
        char text[32];
        std::snprintf(text, sizeof text, "%g", std::strtod(value.c_str(), nullptr));
        expected += std::string(text) + "\n";
      }
      const std::size_t found = pages.find(expected, at);
      EXPECT_NE(found, std::string::npos) << row.at("Name") << ": " << expected;
      if (found != std::string::npos) at = found + expected.size();
    }
  }
}

TEST(Batch, BadInputIsReportedAndTheGoodRowsAroundItAreWritten) {
  const std::string header = "Name,d,r,Kerbfall,Fm,Sigzdm,di\n";
  const struct {
    const char* name;
    std::string input;
    std::string message;  // one line on standard error, after "wellen743-batch: "
    int status;
    std::vector<std::string> out;  // the Zeile of every row written
  } cases[] = {
      {"not a number",
       header + "a,40\nb,40,5 mm\nc\n",
       "-:3: Spalte r: \"5 mm\" ist keine Zahl",
       1,
       {"2", "4"}},
      {"decimal comma in a comma file",
       header + "a,\"2,5\"\nb\n",
       "-:2: Spalte d: \"2,5\" ist keine Zahl",
       1,
       {"3"}},
      {"selection out of range",
       header + "a,,,3\nb,,,2\n",
       "-:2: Spalte Kerbfall: \"3\" liegt nicht zwischen 1 und 2",
       1,
       {"3"}},
      {"selection not whole",
       header + "a,,,1.0\n",
       "-:2: Spalte Kerbfall: \"1.0\" ist keine ganze Zahl",
       1,
       {}},
      {"load with its stress",
       header + "a,,,,1000,200\nb,,,,1000\n",
       "-:2: Spalte Fm: \"1000\" ist zugleich mit der Spannung Sigzdm \"200\" gegeben",
       1,
       {"3"}},
      {"bore not below d",
       header + "a,40,,,1000,,40\nb,40,,,1000,,39\n",
       "-:2: Spalte di: \"40\" ist nicht kleiner als d",
       1,
       {"3"}},
      {"negative bore", header + "a,40,,,1000,,-1\n", "-:2: Spalte di: \"-1\" ist negativ", 1, {}},
      {"bore without a load is no error", header + "a,40,,,,,45\n", "", 0, {"2"}},
      {"more cells than the header",
       header + "a,1,2,1,,,,9\nb,,,,,,,,\n",
       "-:2: Zeile hat 8 Zellen, die Kopfzeile nur 7; Zelle 8 \"9\" geh\u00f6rt zu keiner Spalte",
       1,
       {"3"}},
      {"trailing separators in the header", "d,r,,\n40,3,,\n", "", 0, {"2"}},
      {"an empty name before a named column", "d,,r\n", "-:1: Spalte 2 hat keinen Namen", 2, {}},
      {"a load needs a positive d",
       header + "a,0,,,1000\n",
       "-:2: Spalte d: \"0\" ist nicht positiv: Lasten brauchen den Durchmesser d",
       1,
       {}},
      {"all cells empty: skipped", header + ",,,,,,\n\nb\n", "", 0, {"4"}},
      {"unknown column",
       "Name,Sigzdn\nx,1\n",
       "-:1: unbekannte Spalte \"Sigzdn\" (gemeint: Sigzdm?)",
       2,
       {}},
      {"column named twice",
       "d,r,d\n1,2,3\n",
       "-:1: Spalte d steht zweimal in der Kopfzeile",
       2,
       {}},
      {"case matters", "D,d,deff,R\n", "-:1: unbekannte Spalte \"R\" (gemeint: r?)", 2, {}},
      {"unterminated quote",
       header + "a\n\"b,40\nc\n",
       "-:3: Anf\u00fchrungszeichen wird nicht geschlossen",
       2,
       {"2"}},
      {"empty input", "", "-: Datei ist leer: keine Kopfzeile", 2, {}},
  };
  for (const auto& c : cases) {
    const CommandResult r = Batch({"--format", "csv"}, c.input);
    ASSERT_TRUE(r.finished) << c.name;
    EXPECT_EQ(r.status, c.status) << c.name;
    EXPECT_EQ(r.err, c.message.empty() ? "" : "wellen743-batch: " + c.message + "\n") << c.name;
    std::vector<std::string> zeilen;
    const auto rows = ParseCsv(r.out, ',');
    for (std::size_t i = 1; i < rows.size(); ++i) zeilen.push_back(rows[i].at(1));
    EXPECT_EQ(zeilen, c.out) << c.name;
  }
}

TEST(Batch, SectionLoadsGiveNominalStressesAtTheNetDiameter) {
  // By hand: solid d = 40: A = 400 pi, Wb = 2000 pi, Wt = 4000 pi [mm^2, mm^3];
  // hollow d = 40, di = 20: A = 300 pi, Wb = 1875 pi, Wt = 3750 pi.
  const double pi = std::numbers::pi;
  const struct {
    double di, F, Mb, T;  // [mm], [N], [N m], [N m]
    double Sigzd, Sigb, Taut;
  } cases[] = {
      {0, 10000, 1000, 1000, 25 / pi, 500 / pi, 250 / pi},
      {20, 10000, 1000, 1000, 100 / (3 * pi), 1600 / (3 * pi), 800 / (3 * pi)},
      {0, -10000, 0, 0, -25 / pi, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(AxialStress(c.F, 40, c.di), c.Sigzd, 1e-13 * std::abs(c.Sigzd));
    EXPECT_NEAR(BendingStress(c.Mb, 40, c.di), c.Sigb, 1e-13 * std::abs(c.Sigb));
    EXPECT_NEAR(TorsionStress(c.T, 40, c.di), c.Taut, 1e-13 * std::abs(c.Taut));
  }
  // Through a file: the loads set the stresses that are used and shown.
  const CommandResult r =
      Batch({"--format", "json"}, "d;di;Fm;Fa;Mbm;Mba;Tm;Ta\n40;20;10000;-10000;1000;0;1000;0\n");
  EXPECT_EQ(r.status, 0) << r.err;
  const struct {
    const char* key;
    double value;
  } shown[] = {{"Sigzdm", 100 / (3 * pi)}, {"Sigzda", -100 / (3 * pi)},
               {"Sigbm", 1600 / (3 * pi)}, {"Sigba", 0},
               {"Tautm", 800 / (3 * pi)},  {"Tauta", 0}};
  for (const auto& s : shown) {
    const std::string key = std::string("\"") + s.key + "\":";
    const std::size_t at = r.out.find(key);
    ASSERT_NE(at, std::string::npos) << key;
    const double value = std::strtod(r.out.c_str() + at + key.size(), nullptr);
    EXPECT_NEAR(value, s.value, 1e-13 * std::abs(s.value)) << key;
  }
}

TEST(Batch, TemplateFeedsTheProgramAndGivesTheDefaults) {
  const CommandResult templ = Batch({"--template"});
  EXPECT_EQ(templ.status, 0);
  const CommandResult r = Batch({"--format", "table"}, templ.out);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Beispiel                         1.24088         1.39679  erf\u00fcllt"),
            std::string::npos)
      << r.out;
  const CommandResult semicolon = Batch({"--template", "--delimiter", ";"});
  EXPECT_EQ(semicolon.out.substr(0, 12), "Name;Sigzdm;");
}

TEST(Batch, VerdictNeedsBothFactorsAndNothingImplausibleUnderThem) {
  const struct {
    const char* smin;
    const char* row;  // under kKopf
    const char* expected;
  } cases[] = {
      {"1.2", "x,,,,,,,,", "erfuellt"},           // 1.24088 and 1.39679
      {"1.25", "x,,,,,,,,", "nicht erfuellt"},    // fatigue falls short
      {"1.2", "x,600,,,,,,,", "nicht erfuellt"},  // 0.352079 and 0.845912
      {"1.2", "x,,,0,0,0,,,", "erfuellt"},        // no amplitude: infinite fatigue safety
      {"1.2", "x,,nan,,,,,,", "nicht erfuellt"},  // finite safety factors, not-a-number factors
      {"1.2", "x,,inf,,,,,,", "nicht erfuellt"},  // an input that is not finite
      // Factors that reach S_min on an implausible strength: 1.34322 on
      // negative ADK; 1.39679 on negative FK; infinite on an infinite FK.
      {"1.2", "x,,,,,,-1,,", "nicht erfuellt"},
      {"1.2", "x,,,,,,,-900,", "nicht erfuellt"},
      {"1.2", "x,,,,,,,1.7e308,1.75e308", "nicht erfuellt"},
  };
  const std::string kKopf = "Name,Sigzdm,D,Sigzda,Sigba,Tauta,KV,SigS,SigB\n";
  for (const auto& c : cases) {
    const CommandResult r = Batch({"--smin", c.smin, "-"}, kKopf + c.row + "\n");
    const auto rows = ParseCsv(r.out, ',');
    ASSERT_EQ(rows.size(), 2u) << c.row;
    const auto column = std::find(rows[0].begin(), rows[0].end(), "Nachweis") - rows[0].begin();
    EXPECT_EQ(rows[1].at(static_cast<std::size_t>(column)), c.expected) << c.smin << " " << c.row;
    const CommandResult json = Batch({"--smin", c.smin, "--format", "json", "-"}, kKopf + c.row + "\n");
    EXPECT_NE(json.out.find(std::string("\"Nachweis\":\"") + c.expected + "\""), std::string::npos)
        << c.row << json.out;
  }
}

TEST(Batch, OutputFileIsReplacedWholeOrNotAtAll) {
  std::string pattern = testing::TempDir() + "batch_output_XXXXXX";
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const std::string dir = pattern;
  const std::string target = dir + "/out.csv";
  std::ofstream(target) << "old\n";
  const std::string good = "d\n40\n";
  // A file error part way: the old file stays as it was, no temporary remains.
  CommandResult r = Batch({"-o", target, "-"}, good + "\"open\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(ReadFile(target), "old\n");
  // A good run replaces it.
  r = Batch({"-o", target, "-"}, good);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadFile(target).substr(0, 11), "Datei,Zeile");
  // Never over an input.
  r = Batch({"-o", target, target});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("zugleich Eingabedatei"), std::string::npos) << r.err;
  // A device is written directly and left in place.
  r = Batch({"-o", "/dev/null", "-"}, good);
  EXPECT_EQ(r.status, 0) << r.err;
  struct stat st {};
  EXPECT_EQ(stat("/dev/null", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
  // The report likewise: none after a failed run, never over an input or
  // the -o file; the template's defaults with their verdict.
  const std::string report = dir + "/bericht.html";
  r = Batch({"--report", report, "-o", "/dev/null", "-"}, good + "\"open\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(stat(report.c_str(), &st), 0);
  r = Batch({"--report", target, "-o", "/dev/null", target});
  EXPECT_EQ(r.status, 2);
  r = Batch({"--report", target, "-o", target, "-"}, good);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("zugleich die Ausgabedatei"), std::string::npos) << r.err;
  r = Batch({"--report", report, "-o", "/dev/null", "--project", "GT <200>", "--date", "8.12.",
             "-"},
            Batch({"--template"}).out);
  EXPECT_EQ(r.status, 0) << r.err;
  const std::string html = ReadFile(report);
  EXPECT_NE(html.find("Nachweis erf\u00fcllt</strong>: S Dauerbruch = 1,24088 und S Flie\u00dfgrenze "
                      "= 1,39679 erreichen S<sub>min</sub> = 1,2."),
            std::string::npos);
  EXPECT_NE(html.find("<tr><th>Projekt</th><td>GT &lt;200&gt;</td></tr>"), std::string::npos);
  EXPECT_NE(html.find("content: \"8.12.\"; }"), std::string::npos);
  const CommandResult listing = RunCommand({"/bin/ls", "-A", dir}, "");
  EXPECT_EQ(listing.out, "bericht.html\nout.csv\n");
  RunCommand({"/bin/rm", "-r", dir}, "");
}

// Progress goes to standard error only when it is a terminal, and is gone
// from the screen at the end.
TEST(Batch, ProgressOnATerminalOnly) {
  std::string many = "d\n";
  for (int i = 0; i < 600000; ++i) many += "40\n";  // two seconds: progress shows
  const std::string input = testing::TempDir() + "batch_progress.csv";
  std::ofstream(input) << many;
  for (const bool quiet : {false, true}) {
    int master = -1;
    const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      const int null = open("/dev/null", O_WRONLY);
      dup2(null, STDOUT_FILENO);
      setenv("TERM", "xterm", 1);
      execl(kBatch.c_str(), kBatch.c_str(), quiet ? "-q" : input.c_str(),
            quiet ? input.c_str() : nullptr, nullptr);
      _exit(127);
    }
    std::string err;
    char buffer[4096];
    for (ssize_t n; (n = read(master, buffer, sizeof buffer)) > 0;) err.append(buffer, n);
    int status = 0;
    waitpid(pid, &status, 0);
    close(master);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    if (quiet) {
      EXPECT_EQ(err, "");
    } else {
      EXPECT_NE(err.find(" Zeilen/s, 0 Fehler"), std::string::npos) << err;
      EXPECT_EQ(err.substr(err.size() - 4), "\r\x1b[K");  // cleared at the end
    }
  }
  std::remove(input.c_str());
}

TEST(Batch, CommandLineErrorsAndAClosedPipe) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--smin", "0"},
                                             {"--smin", "nan"},
                                             {"--smin", "1,2"},
                                             {"--format", "xml"},
                                             {"--delimiter", "|"},
                                             {"--bogus"},
                                             {"--date"},
                                             {"missing.csv"}}) {
    const CommandResult r = Batch(args, "d\n40\n");
    EXPECT_EQ(r.status, 2) << args[0];
    EXPECT_EQ(r.err.rfind("wellen743-batch: ", 0), 0u) << r.err;
  }
  EXPECT_EQ(Batch({"--version"}).out, "wellen743-batch " WELLEN743_VERSION "\n");
  EXPECT_NE(Batch({"--help"}).out.find("Beispiel"), std::string::npos);
  // A reader that stops after the first line: no message, no failure.
  std::string many = "d\n";
  for (int i = 0; i < 200000; ++i) many += "40\n";
  const CommandResult head =
      RunCommand({"/bin/sh", "-c", "'" + kBatch + "' | head -n 1"}, many, kData);
  EXPECT_EQ(head.status, 0);
  EXPECT_EQ(head.err, "");
  EXPECT_EQ(head.out.substr(0, 11), "Datei,Zeile");
}

}  // namespace
}  // namespace wellen

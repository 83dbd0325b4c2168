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
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <numbers>
#include <sstream>
#include <string_view>

#include "calc/eingabewerte.h"
#include "calc/schnittlasten.h"
#include "command.h"
#include "texte.h"
#include "companion/numbers.h"
#include "expected_pages.h"

namespace wellen {
namespace {

const std::string kBatch = WELLEN743_BATCH_BINARY;
const std::string kData = WELLEN743_BATCH_DATA;  // tests/batch

std::string FormatAsComma(double value) {
  char text[kMaxRealText];
  return {text, FormatReal(value, true, text)};
}

CommandResult Batch(std::vector<std::string> args, const std::string& input = "") {
  args.insert(args.begin(), kBatch);
  return RunCommand(args, input, kData);
}

const std::string kBom = "\xEF\xBB\xBF";

// The warning on the columns a file lacks, as the program words it.
std::string MissingColumns(const std::string& file, const std::string& defaults) {
  return "wellen743-batch: " + file + ": Spalten fehlen, Vorgabewerte verwendet: " + defaults + "\n";
}

TEST(Batch, GoldenFilesInBothDialects) {
  const struct {
    const char* name;
    std::string err;
  } files[] = {
      {"drei", MissingColumns("drei.csv",
                              "D 50, d 40, r 3, t 5, Rz 5, SigB 1100, SigS 900, SigzdW 440, "
                              "SigbW 550, TautW 330, KV 1")},
      {"drei_semikolon",
       MissingColumns("drei_semikolon.csv",
                      "D 50, d 40, r 3, t 5, SigB 1100, SigS 900, SigzdW 440, SigbW 550, TautW 330")},
  };
  for (const auto& file : files) {
    const std::string name = file.name;
    const CommandResult r = Batch({name + ".csv"});
    ASSERT_TRUE(r.finished) << name;
    EXPECT_EQ(r.status, 0) << name << r.err;
    EXPECT_EQ(r.err, file.err) << name;
    EXPECT_EQ(r.out, ReadFile(kData + "/" + name + ".expected.csv")) << name;
  }
  // Several files: one header, the first file's dialect, each file read in
  // its own.
  const CommandResult both = Batch({"drei.csv", "drei_semikolon.csv"});
  EXPECT_EQ(both.status, 0) << both.err;
  const auto rows = ParseCsv(both.out, ',');
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[6][0], "drei_semikolon.csv");
  EXPECT_EQ(rows[0][5], "Sigzdm");
  EXPECT_EQ(rows[6][5], "600");
  // Both dialects read the same cases: the values agree but for the commas
  // (the notes aside, which name the cells each file left empty).
  std::string semicolon_text = ReadFile(kData + "/drei_semikolon.expected.csv");
  ASSERT_EQ(semicolon_text.substr(0, 3), kBom);
  semicolon_text.erase(0, 3);
  std::erase(semicolon_text, '\r');
  auto point = ParseCsv(ReadFile(kData + "/drei.expected.csv"), ',');
  auto comma = ParseCsv(semicolon_text, ';');
  ASSERT_EQ(point.size(), comma.size());
  for (std::size_t row = 0; row < point.size(); ++row) {
    for (std::size_t cell = 3; cell + 1 < point[row].size(); ++cell) {
      std::string text = comma[row][cell];
      for (char& c : text) c = c == ',' ? '.' : c;
      EXPECT_EQ(point[row][cell], text) << "row " << row << ", column " << point[0][cell];
    }
  }
}

// A German spreadsheet saved as "CSV (Trennzeichen-getrennt)" (Windows-1252)
// and as "CSV UTF-8" (with a byte order mark), both with CRLF, only some
// columns, umlauts, typographic quotes, a unit in a header and a thousands
// point: the same cases to the last digit, written as UTF-8 with a byte
// order mark and CRLF, so that a spreadsheet opened by double-click shows
// them as they were.
TEST(Batch, WindowsAndUtf8SpreadsheetsGiveTheSameCases) {
  const std::string missing = "deff 50, SigB 1100, SigS 900, SigzdW 440, SigbW 550, TautW 330, "
                              "K1Fall 3, harteRandschicht 0, Hohlwelle 0, KV 1";
  const struct {
    const char* name;
    std::string err;
  } files[] = {
      {"umlaute_1252", "wellen743-batch: umlaute_1252.csv: als Windows-1252 gelesen\n" +
                           MissingColumns("umlaute_1252.csv", missing)},
      {"umlaute_utf8", MissingColumns("umlaute_utf8.csv", missing)},
  };
  std::vector<std::string> outputs;
  for (const auto& file : files) {
    const std::string name = file.name;
    const CommandResult r = Batch({name + ".csv"});
    EXPECT_EQ(r.status, 0) << name;
    EXPECT_EQ(r.err, file.err) << name;
    const std::string expected = ReadFile(kData + "/" + name + ".expected.csv");
    EXPECT_EQ(r.out, expected) << name;
    outputs.push_back(expected);
  }
  // Byte for byte the same but for the file's name.
  for (std::string& out : outputs) {
    for (std::size_t at; (at = out.find("umlaute_")) != std::string::npos;) out.replace(at, 12, "");
  }
  EXPECT_EQ(outputs[0], outputs[1]);
  // What the golden files hold: a byte order mark, CRLF throughout, the
  // texts in UTF-8, the grouped moment as 1200.5 N m.
  const std::string& out = outputs[0];
  EXPECT_EQ(out.substr(0, 3), kBom);
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 4);
  EXPECT_EQ(out.find("\r\n"), out.find('\n') - 1);
  EXPECT_EQ(std::count(out.begin(), out.end(), '\r'), 4);
  std::string text = out.substr(3);
  std::erase(text, '\r');
  const auto rows = ParseCsv(text, ';');
  ASSERT_EQ(rows.size(), 4u);
  std::map<std::string, std::string> row;
  for (std::size_t c = 0; c < rows[0].size(); ++c) row[rows[0][c]] = rows[2][c];
  EXPECT_EQ(row["Name"], "Welle 2 \u00dcbergang");
  EXPECT_EQ(row["Werkstoff"], "C45E \u2013 normalisiert");
  EXPECT_EQ(row["Bemerkung"], "gr\u00f6\u00dfter Absatz");
  EXPECT_EQ(row["Hinweise"].substr(0, 35), "Vorgabewert verwendet: Kerbfall 2; ");
  EXPECT_EQ(row["Sigba"], FormatAsComma(BendingStress(1200.5, 55, 0)));
  // JSON Lines stay UTF-8 with LF and no byte order mark.
  const CommandResult json = Batch({"--format", "json", "umlaute_1252.csv"});
  EXPECT_EQ(json.out.substr(0, 11), "{\"Datei\":\"u");
  EXPECT_EQ(json.out.find('\r'), std::string::npos);
  EXPECT_NE(json.out.find("\"Bemerkung\":\"\u201eNut f\u00fcr Ring\u201c\""), std::string::npos);
  // Standard input is told while it streams: here the header's "\xB5m"
  // already shows Windows-1252, so the output has its byte order mark ...
  const CommandResult piped = Batch({"-"}, ReadFile(kData + "/umlaute_1252.csv"));
  EXPECT_EQ(piped.status, 0);
  EXPECT_EQ(piped.err.substr(0, 44), "wellen743-batch: -: als Windows-1252 gelesen");
  std::string expected = ReadFile(kData + "/umlaute_1252.expected.csv");
  for (std::size_t at; (at = expected.find("umlaute_1252.csv;")) != std::string::npos;) {
    expected.replace(at, 16, "-");
  }
  EXPECT_EQ(piped.out, expected);
  // ... but when that shows only after the header, the output has begun
  // without one; the line ends still follow.
  const std::string late_input = "Name;D\r\nM\xFCller;50\r\n";
  const CommandResult late = Batch({"-"}, late_input);
  EXPECT_EQ(late.out.substr(0, 6), "Datei;");
  EXPECT_NE(late.out.find("-;2;M\u00fcller;"), std::string::npos);
  EXPECT_EQ(late.out.find("\r\n"), late.out.find('\n') - 1);
  // Redirected from a file, standard input is known before any output.
  const std::string file = testing::TempDir() + "batch_spaet_1252.csv";
  std::ofstream(file, std::ios::binary) << late_input;
  const CommandResult redirected =
      RunCommand({"/bin/sh", "-c", "'" + kBatch + "' - < '" + file + "'"}, "", kData);
  EXPECT_EQ(redirected.out, kBom + late.out);
  std::remove(file.c_str());
  // One run over both files: one encoding, UTF-8, in the output.
  const CommandResult both = Batch({"umlaute_utf8.csv", "umlaute_1252.csv"});
  EXPECT_EQ(both.status, 0);
  std::string second = ReadFile(kData + "/umlaute_1252.expected.csv");
  second.erase(0, second.find('\n') + 1);  // its header
  EXPECT_EQ(both.out, ReadFile(kData + "/umlaute_utf8.expected.csv") + second);
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

// The rows of CSV output as maps from column to cell; a decimal comma
// becomes a point, for strtod.
std::vector<std::map<std::string, std::string>> Rows(const std::string& out, char sep) {
  const auto rows = ParseCsv(out, sep);
  std::vector<std::map<std::string, std::string>> maps;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    std::map<std::string, std::string>& row = maps.emplace_back();
    for (std::size_t c = 0; c < rows[0].size(); ++c) row[rows[0][c]] = rows[i][c];
    if (sep != ',') {
      for (auto& [column, cell] : row) {
        if (column != "Name" && column != "Hinweise") std::replace(cell.begin(), cell.end(), ',', '.');
      }
    }
  }
  return maps;
}

// Every page value of the batch's `row` equals what the interactive program
// prints for the case `typed` (its 22 fields as text).
void ExpectThePagesOf(const std::map<std::string, std::string>& row,
                      const std::map<std::string, std::string>& typed) {
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

  const std::string pages = InteractivePages(typed);
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

TEST(Batch, EveryValueEqualsTheInteractiveProgramsPage) {
  // The worked examples and the two asymmetric ones, as a spreadsheet would
  // give them: the stresses, and of the rest the changed fields only.
  const std::string input =
      "Name,Kerbfall,K1Fall,deff,harteRandschicht,Hohlwelle,Sigzdm,Sigbm,Tautm,r,Rz,KV,"
      "Sigzda,Sigba,Tauta\n"
      "Vorgabe,,,,,,200,300,100,,,,50,60,40\n"
      "Rundnut,1,1,150,1,1,-250,50,80,,,,50,60,40\n"
      "Hoch,,,,,,600,300,100,,,,50,60,40\n"
      "Hohl 450,,,,,1,450,300,100,,,,50,60,40\n"
      "Hart,,2,120,1,0,200,300,180,,,,50,60,40\n"
      "Krumm,1,4,77.7,0,1,123.456,-0.001,1e-3,2.5,6.3,0.85,50,60,40\n";
  const CommandResult batch = Batch({"-"}, input);
  ASSERT_EQ(batch.status, 0) << batch.err;
  const auto rows = Rows(batch.out, ',');
  ASSERT_EQ(rows.size(), 6u);
  for (const auto& row : rows) ExpectThePagesOf(row, row);
}

// A German spreadsheet with only the geometry and the loads: the loads set
// their stresses, every other stress is 0, the rest takes the defaults; the
// interactive program, typed the same case, prints the same pages.
TEST(Batch, OnlyGeometryAndLoadsGiveTheirStressesAndZerosElsewhere) {
  const CommandResult batch = Batch({"-"}, "Name;D;d;r;t;Mba;Tm\nWelle;50;40;3;5;450;300\n");
  ASSERT_EQ(batch.status, 0) << batch.err;
  const auto rows = Rows(batch.out, ';');
  ASSERT_EQ(rows.size(), 1u);
  const auto& row = rows[0];
  const Eingabewerte defaults = DefaultEingabewerte();
  std::map<std::string, std::string> typed;
  for (const Eingabefeld& field : Eingabefelder()) {
    char text[32];
    if (field.real != nullptr) {
      std::snprintf(text, sizeof text, "%.17g", defaults.*(field.real));
    } else {
      std::snprintf(text, sizeof text, "%d", defaults.*(field.choice));
    }
    typed[std::string(field.name)] = text;
  }
  typed["Sigzdm"] = typed["Sigbm"] = typed["Sigzda"] = typed["Tauta"] = "0";
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", BendingStress(450, 40, 0));
  typed["Sigba"] = text;
  std::snprintf(text, sizeof text, "%.17g", TorsionStress(300, 40, 0));
  typed["Tautm"] = text;
  for (const auto& [field, value] : typed) {
    EXPECT_EQ(std::strtod(row.at(field).c_str(), nullptr), std::strtod(value.c_str(), nullptr))
        << field;
  }
  ExpectThePagesOf(row, typed);
  EXPECT_EQ(row.at("Hinweise"), "");  // every field not given has its column missing
  EXPECT_EQ(batch.err, MissingColumns("-", "deff 50, Rz 5, Kerbfall 2, SigB 1100, SigS 900, "
                                           "SigzdW 440, SigbW 550, TautW 330, K1Fall 3, "
                                           "harteRandschicht 0, Hohlwelle 0, KV 1"));
}

// Standard error without the warning on missing columns.
std::string WithoutMissingColumns(const std::string& err) {
  std::istringstream in(err);
  std::string kept;
  for (std::string line; std::getline(in, line);) {
    if (line.find(": Spalten fehlen, ") == std::string::npos &&
        line.find(": Spalte fehlt, ") == std::string::npos) {
      kept += line + "\n";
    }
  }
  return kept;
}

TEST(Batch, BadInputIsReportedAndTheGoodRowsAroundItAreWritten) {
  const std::string header = "Name,d,r,Kerbfall,Fm,Sigzdm,di\n";
  const struct {
    const char* name;
    std::string input;
    std::string message;  // lines on standard error, each after "wellen743-batch: "
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
       "-:2: Spalte d: \"2,5\" hat ein Dezimalkomma; das geht nur in Dateien mit ; oder "
       "Tabulator als Trennzeichen",
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
      {"each load against its own stress only",
       "Fm,Fa,Mbm,Mba,Tm,Ta,Sigzdm,Sigzda,Sigbm,Sigba,Tautm,Tauta\n"
       "1,,,,,,2\n,1,,,,,,2\n,,1,,,,,,2\n,,,1,,,,,,2\n,,,,1,,,,,,2\n,,,,,100,,,,,,20\n"
       ",,,,,100,,,,,20\n",
       "-:2: Spalte Fm: \"1\" ist zugleich mit der Spannung Sigzdm \"2\" gegeben\n"
       "-:3: Spalte Fa: \"1\" ist zugleich mit der Spannung Sigzda \"2\" gegeben\n"
       "-:4: Spalte Mbm: \"1\" ist zugleich mit der Spannung Sigbm \"2\" gegeben\n"
       "-:5: Spalte Mba: \"1\" ist zugleich mit der Spannung Sigba \"2\" gegeben\n"
       "-:6: Spalte Tm: \"1\" ist zugleich mit der Spannung Tautm \"2\" gegeben\n"
       "-:7: Spalte Ta: \"100\" ist zugleich mit der Spannung Tauta \"20\" gegeben",
       1,
       {"8"}},
      {"bore not below d",
       header + "a,40,,,1000,,40\nb,40,,,1000,,39\n",
       "-:2: Spalte di: \"40\" ist nicht kleiner als d",
       1,
       {"3"}},
      {"negative bore", header + "a,40,,,1000,,-1\n", "-:2: Spalte di: \"-1\" ist negativ", 1, {}},
      {"bore without a load is no error", header + "a,40,,,,,45\n", "", 0, {"2"}},
      {"a load needs a d that is a number",
       "d,Fm\nnan,1000\n",
       "-:2: Spalte d: \"nan\" ist nicht positiv: Lasten brauchen den Durchmesser d",
       1,
       {}},
      {"a record of 1 MiB, its separator counted; one separator more",
       "Name,d\n" + std::string((1 << 20) - 3, 'x') + ",40\n" + std::string((1 << 20) - 3, 'x') +
           ",40,\n",
       "-:3: Zeile l\u00e4nger als 1 MiB",
       1,
       {"2"}},
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
       "-:1: unbekannte Spalte \"Sigzdn\" (gemeint: Sigzdm, Sigzda oder SigzdW?); "
       "--extra-columns \u00fcbernimmt sie unver\u00e4ndert",
       2,
       {}},
      {"controls in an unknown column's name: escaped, the C1 CSI among them",
       "Name,X\u009b" "2J\x1b[0m\n",
       "-:1: unbekannte Spalte \"X\\u009B2J\\x1B[0m\"; --extra-columns \u00fcbernimmt sie "
       "unver\u00e4ndert",
       2,
       {}},
      {"column named twice",
       "d,r,d\n1,2,3\n",
       "-:1: Spalte d steht zweimal in der Kopfzeile",
       2,
       {}},
      {"case matters",
       "D,d,deff,R\n",
       "-:1: unbekannte Spalte \"R\" (gemeint: r?); --extra-columns \u00fcbernimmt sie "
       "unver\u00e4ndert",
       2,
       {}},
      {"every header problem at once",
       "Name,D [mm],Mba [N mm],Mb,Kommentar,d,Rz [\u00b5m],d,Tm [Nm],Kommentar\n",
       "-:1: Spalte Mba: Einheit \"N mm\" passt nicht, erwartet N m\n"
       "-:1: unbekannte Spalte \"Mb\" (gemeint: Mbm oder Mba?); --extra-columns \u00fcbernimmt "
       "sie unver\u00e4ndert\n"
       "-:1: unbekannte Spalte \"Kommentar\"; --extra-columns \u00fcbernimmt sie unver\u00e4ndert\n"
       "-:1: Spalte d steht zweimal in der Kopfzeile",
       2,
       {}},
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
    std::string expected;
    std::istringstream lines(c.message);
    for (std::string line; std::getline(lines, line);) expected += "wellen743-batch: " + line + "\n";
    EXPECT_EQ(WithoutMissingColumns(r.err), expected) << c.name;
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
  // A row's loads are its own: an empty load cell under a row with a load
  // is no load.
  const CommandResult two = Batch({"--format", "csv"}, "Name,d,Fm\nA,40,10000\nB,40,\n");
  EXPECT_EQ(two.status, 0) << two.err;
  const auto rows = Rows(two.out, ',');
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_NEAR(std::strtod(rows[0].at("Sigzdm").c_str(), nullptr), 25 / pi, 1e-13);
  EXPECT_EQ(rows[1].at("Sigzdm"), "0");
}

TEST(Batch, TemplateFeedsTheProgramAndGivesTheDefaults) {
  const CommandResult templ = Batch({"--template"});
  EXPECT_EQ(templ.status, 0);
  const CommandResult r = Batch({"--format", "table"}, templ.out);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Beispiel                         1.24088         1.39679  erf\u00fcllt"),
            std::string::npos)
      << r.out;
  // The German spreadsheet form unless asked otherwise; the demo case's
  // stresses, which are not the defaults of a file, written out.
  EXPECT_EQ(templ.out.substr(0, 48), "Name;Werkstoff;Bemerkung;Sigzdm;Sigbm;Tautm;Sigz");
  EXPECT_NE(templ.out.find("\nBeispiel;;;200;300;100;50;60;40;50;40;50;3;5;5;2;"), std::string::npos);
  const CommandResult comma = Batch({"--template", "--delimiter", ","});
  EXPECT_EQ(comma.out.substr(0, 25), "Name,Werkstoff,Bemerkung,");
  EXPECT_EQ(Batch({"--format", "table"}, comma.out).out, r.out);
  const CommandResult tab = Batch({"--template", "--delimiter", "tab"});
  EXPECT_EQ(tab.out.substr(0, 25), "Name\tWerkstoff\tBemerkung\t");
  const CommandResult tab_read = Batch({"--format", "table", "--delimiter", "tab"}, tab.out);
  EXPECT_EQ(tab_read.status, 0) << tab_read.err;
  EXPECT_EQ(tab_read.out, r.out);
}

// True if `line` is one JSON object (RFC 8259) of strings, numbers, true,
// false and null, without blanks, as the program writes its records.
bool IsFlatJsonObject(std::string_view line) {
  std::size_t i = 0;
  const auto at = [&](char c) { return i < line.size() && line[i] == c; };
  const auto digits = [&] {
    const std::size_t from = i;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
    return i > from;
  };
  const auto text = [&] {
    if (!at('"')) return false;
    for (++i; i < line.size(); ++i) {
      const auto c = static_cast<unsigned char>(line[i]);
      if (c == '"') {
        ++i;
        return true;
      }
      if (c < 0x20) return false;
      if (c != '\\' || ++i == line.size()) continue;
      if (line[i] == 'u') {
        if (i + 4 >= line.size()) return false;
        for (std::size_t k = i + 1; k <= i + 4; ++k) {
          if (std::isxdigit(static_cast<unsigned char>(line[k])) == 0) return false;
        }
        i += 4;
      } else if (std::string_view("\"\\/bfnrt").find(line[i]) == std::string_view::npos) {
        return false;
      }
    }
    return false;
  };
  const auto number = [&] {
    if (at('-')) ++i;
    if (at('0')) {
      ++i;
    } else if (!digits()) {
      return false;
    }
    if (at('.')) {
      ++i;
      if (!digits()) return false;
    }
    if (at('e') || at('E')) {
      ++i;
      if (at('+') || at('-')) ++i;
      if (!digits()) return false;
    }
    return true;
  };
  const auto value = [&] {
    for (const std::string_view word : {"true", "false", "null"}) {
      if (line.substr(i).starts_with(word)) {
        i += word.size();
        return true;
      }
    }
    return at('"') ? text() : number();
  };
  if (!at('{')) return false;
  ++i;
  if (at('}')) return i + 1 == line.size();
  for (;;) {
    if (!text() || !at(':')) return false;
    ++i;
    if (!value() || i == line.size()) return false;
    const char next = line[i++];
    if (next == '}') return i == line.size();
    if (next != ',') return false;
  }
}

// Texts come back from the CSV output as they were, quoted where a
// separator, a quote or a line end (LF, CRLF or CR alone) would break the
// record; every JSON line is JSON, values that are not finite written as
// strings. The table shows each name on one line, without the controls a
// terminal would act on, aligned by the columns the terminal gives it.
TEST(Batch, TextsAndValuesComeBackAsTheyWere) {
  const struct {
    std::string name, written;  // the name, and as the CSV output writes it
    std::string shown;          // as the table's name column shows it, 24 columns
  } names[] = {
      {"a\nb", "\"a\nb\"", "a b" + std::string(21, ' ')},
      {"a\r\nb", "\"a\r\nb\"", "a  b" + std::string(20, ' ')},
      {"a\rb", "\"a\rb\"", "a b" + std::string(21, ' ')},
      {"a,b", "\"a,b\"", "a,b" + std::string(21, ' ')},
      {"a;b", "a;b", "a;b" + std::string(21, ' ')},
      {"say \"hi\"", "\"say \"\"hi\"\"\"", "say \"hi\"" + std::string(16, ' ')},
      {"tab\there", "tab\there", "tab here" + std::string(16, ' ')},
      {"\u00fcber", "\u00fcber", "\u00fcber" + std::string(20, ' ')},
      // ESC and CSI, the C1 control (U+009B).
      {"\x1b[2J\u009b" "2J", "\x1b[2J\u009b" "2J", " [2J 2J" + std::string(17, ' ')},
      // Accents as combining marks, and one kept with its letter where the
      // name is cut.
      {"e\u0301e\u0301e\u0301", "e\u0301e\u0301e\u0301",
       "e\u0301e\u0301e\u0301" + std::string(21, ' ')},
      {"abcdefghijklmnopqrstuve\u0301xyz", "abcdefghijklmnopqrstuve\u0301xyz",
       "abcdefghijklmnopqrstuve\u0301\u2026"},
  };
  // No amplitudes: an infinite safety against fatigue.
  std::string input = "Name,Sigzda,Sigba,Tauta\n";
  for (const auto& n : names) {
    input += '"';
    for (const char c : n.name) input.append(c == '"' ? 2 : 1, c);
    input += "\",0,0,0\n";
  }
  input += "nan,nan,60,40\n";
  const CommandResult csv = Batch({"--format", "csv"}, input);
  EXPECT_EQ(csv.status, 0) << csv.err;
  const auto rows = ParseCsv(csv.out, ',');
  ASSERT_EQ(rows.size(), std::size(names) + 2);
  for (std::size_t i = 0; i < std::size(names); ++i) {
    EXPECT_EQ(rows[i + 1].at(2), names[i].name) << i;
    EXPECT_NE(csv.out.find("," + names[i].written + ","), std::string::npos) << i;
  }

  const std::string table = Batch({"--format", "table"}, input).out;
  for (const auto& n : names) {
    EXPECT_NE(table.find("  " + n.shown + "             inf             inf  erf\u00fcllt\n"),
              std::string::npos)
        << n.shown << "\n"
        << table;
  }

  const CommandResult json = Batch({"--format", "json"}, input);
  EXPECT_EQ(json.status, 0) << json.err;
  std::istringstream lines(json.out);
  std::size_t count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    EXPECT_TRUE(IsFlatJsonObject(line)) << line;
    const bool last = count == std::size(names);
    EXPECT_NE(line.find(last ? "\"Sigzda\":\"nan\"" : "\"S_Dauerbruch\":\"inf\""),
              std::string::npos)
        << line;
  }
  EXPECT_EQ(count, std::size(names) + 1);
}

TEST(Batch, VerdictNeedsBothFactorsAndNothingImplausibleUnderThem) {
  const struct {
    const char* smin;
    const char* row;  // under kKopf
    const char* expected;
  } cases[] = {
      {"1.2", "x,200,300,100,,50,60,40,,,", "erfuellt"},          // 1.24088 and 1.39679
      {"1.25", "x,200,300,100,,50,60,40,,,", "nicht erfuellt"},   // fatigue falls short
      {"1,25", "x,200,300,100,,50,60,40,,,", "nicht erfuellt"},   // the same S_min
      {"1,24", "x,200,300,100,,50,60,40,,,", "erfuellt"},
      {"1.2", "x,600,300,100,,50,60,40,,,", "nicht erfuellt"},    // 0.352079 and 0.845912
      {"1.2", "x,200,300,100,,0,0,0,,,", "erfuellt"},             // no amplitude: infinite safety
      {"1.2", "x,200,300,100,nan,50,60,40,,,", "nicht erfuellt"},  // not-a-number factors
      {"1.2", "x,200,300,100,inf,50,60,40,,,", "nicht erfuellt"},  // an input not finite
      // Factors that reach S_min on an implausible strength: 1.34322 on
      // negative ADK; 1.39679 on negative FK; infinite on an infinite FK.
      {"1.2", "x,200,300,100,,50,60,40,-1,,", "nicht erfuellt"},
      {"1.2", "x,200,300,100,,50,60,40,,-900,", "nicht erfuellt"},
      {"1.2", "x,200,300,100,,50,60,40,,1.7e308,1.75e308", "nicht erfuellt"},
  };
  const std::string kKopf = "Name,Sigzdm,Sigbm,Tautm,D,Sigzda,Sigba,Tauta,KV,SigS,SigB\n";
  for (const auto& c : cases) {
    const CommandResult r = Batch({"--smin", c.smin, "-"}, kKopf + c.row + "\n");
    const auto rows = Rows(r.out, ',');
    ASSERT_EQ(rows.size(), 1u) << c.row;
    EXPECT_EQ(rows[0].at("Nachweis"), c.expected) << c.smin << " " << c.row;
    std::string smin = c.smin;
    std::replace(smin.begin(), smin.end(), ',', '.');
    EXPECT_EQ(rows[0].at("S_min"), smin);
    const CommandResult json =
        Batch({"--smin", c.smin, "--format", "json", "-"}, kKopf + c.row + "\n");
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
  // Also where the file is not there yet: the report would replace the
  // results.
  const std::string neu = dir + "/neu.csv";
  r = Batch({"--report", dir + "/./neu.csv", "-o", neu, "-"}, good);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("zugleich die Ausgabedatei"), std::string::npos) << r.err;
  EXPECT_NE(stat(neu.c_str(), &st), 0);
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

// Runs the batch program with `args` on a pseudo-terminal as standard input
// and standard error, standard output to /dev/null. With `interrupt`, sends
// SIGINT once the progress line shows. Returns what the terminal showed and
// sets the wait status.
std::string OnATerminal(const std::vector<std::string>& args, bool interrupt, int& status) {
  int master = -1;
  const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
  if (pid < 0) return "forkpty failed";
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    setenv("TERM", "xterm", 1);
    std::vector<char*> argv{const_cast<char*>(kBatch.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(kBatch.c_str(), argv.data());
    _exit(127);
  }
  std::string shown;
  char buffer[4096];
  bool sent = false;
  for (ssize_t n; (n = read(master, buffer, sizeof buffer)) > 0;) {
    shown.append(buffer, static_cast<std::size_t>(n));
    if (interrupt && !sent && shown.find(" Zeilen/s") != std::string::npos) {
      kill(pid, SIGINT);
      sent = true;
    }
  }
  waitpid(pid, &status, 0);
  close(master);
  return shown;
}

// Progress goes to standard error only when it is a terminal, and is gone
// from the screen at the end, and when Ctrl-C ends the run (which leaves no
// temporary file behind).
TEST(Batch, ProgressOnATerminalOnly) {
  std::string many = "d\n";
  for (int i = 0; i < 600000; ++i) many += "40\n";  // two seconds: progress shows
  std::string folder = testing::TempDir() + "batch_progress_XXXXXX";
  ASSERT_NE(mkdtemp(folder.data()), nullptr);
  const std::string input = folder + "/viele.csv";
  std::ofstream(input) << many;
  int status = 0;
  std::string err = OnATerminal({input}, false, status);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_NE(err.find(" Zeilen/s, 0 Fehler"), std::string::npos) << err;
  EXPECT_EQ(err.substr(err.size() - 4), "\r\x1b[K");  // cleared at the end

  err = OnATerminal({"-q", input}, false, status);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(WithoutMissingColumns(err), "");

  for (const bool to_file : {false, true}) {
    const std::vector<std::string> args =
        to_file ? std::vector<std::string>{input, "-o", folder + "/out.csv"}
                : std::vector<std::string>{input};
    err = OnATerminal(args, true, status);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << to_file;
    EXPECT_NE(err.find(" Zeilen/s"), std::string::npos) << err;
    EXPECT_EQ(err.substr(err.size() - 4), "\r\x1b[K") << to_file;
  }
  const CommandResult listing = RunCommand({"/bin/ls", "-A", folder}, "");
  EXPECT_EQ(listing.out, "viele.csv\n");
  RunCommand({"/bin/rm", "-r", folder}, "");
}

// With no file named and a terminal for standard input, a hint instead of a
// silent wait; "-" still reads the terminal.
TEST(Batch, NoFileAtATerminalGivesAHint) {
  int status = 0;
  const std::string err = OnATerminal({}, false, status);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2);
  EXPECT_EQ(err,
            "wellen743-batch: keine Eingabedatei, und die Standardeingabe ist ein Terminal\r\n"
            "Aufruf: wellen743-batch [OPTIONEN] DATEI...  (Vorlage: wellen743-batch --template; "
            "mehr: --help)\r\n");
}

TEST(Batch, CommandLineErrorsAndAClosedPipe) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--smin", "0"},
                                             {"--smin", "nan"},
                                             {"--smin", "inf"},
                                             {"--smin", "1,2,3"},
                                             {"--smin", "1.5,0"},
                                             {"--format", "xml"},
                                             {"--delimiter", "|"},
                                             {"--bogus"},
                                             {"--date"},
                                             {"missing.csv"}}) {
    const CommandResult r = Batch(args, "d\n40\n");
    EXPECT_EQ(r.status, 2) << args[0];
    EXPECT_EQ(r.err.rfind("wellen743-batch: ", 0), 0u) << r.err;
  }
  // A file name (from a wildcard, say) cannot act on the terminal either.
  EXPECT_EQ(Batch({"a\x1b]2;x\x07\u009b.csv"}).err,
            "wellen743-batch: a\\x1B]2;x\\x07\\u009B.csv: kann nicht gelesen werden: Datei oder "
            "Verzeichnis nicht gefunden\n");
  EXPECT_EQ(Batch({"--version"}).out, "wellen743-batch " WELLEN743_VERSION "\n");
  // German help, CLI11's section titles included.
  const std::string help = Batch({"--help"}).out;
  for (const char* text : {"Beispiel", "\nArgumente:\n", "\nOptionen:\n", "f\u00fcr viele Kerben",
                           "--extra-columns"}) {
    EXPECT_NE(help.find(text), std::string::npos) << text;
  }
  EXPECT_EQ(help.find("Positionals"), std::string::npos);
  EXPECT_EQ(help.find("Options:"), std::string::npos);
  // A reader that stops after the first line: no message, no failure.
  std::string many = "d\n";
  for (int i = 0; i < 200000; ++i) many += "40\n";
  const CommandResult head =
      RunCommand({"/bin/sh", "-c", "'" + kBatch + "' | head -n 1"}, many, kData);
  EXPECT_EQ(head.status, 0);
  EXPECT_EQ(WithoutMissingColumns(head.err), "");
  EXPECT_EQ(head.out.substr(0, 11), "Datei,Zeile");
}

}  // namespace
}  // namespace wellen

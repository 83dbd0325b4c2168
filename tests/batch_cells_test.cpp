// Spreadsheet cells as the batch program reads them: each in its dialect and
// under its header, to the value it gives or the message that refuses it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch/columns.h"
#include "batch/convert.h"
#include "companion/numbers.h"

namespace wellen::batch {
namespace {

struct CellCase {
  char separator;      // ',', ';' or '\t': the decimal comma goes with ';' and tab
  std::string header;  // one header cell
  std::string cell;    // one data cell
  std::string expected;  // the value (as FormatReal writes it) or the text; "!" and the
                         // row's message; "!!" and the header's messages, joined by " | "
  Kodierung kodierung = Kodierung::kUtf8;
};

std::string Describe(const CellCase& c) {
  const std::string_view header[] = {c.header};
  std::vector<std::string> errors;
  const std::optional<Kopf> kopf = Kopf::Read(header, {false, c.kodierung, {}}, errors);
  if (!kopf) {
    std::string joined = "!!";
    for (const std::string& error : errors) joined += (joined.size() > 2 ? " | " : "") + error;
    return joined;
  }
  const std::string_view cells[] = {c.cell};
  Fall fall;
  RowExtras extras;
  std::string error;
  const Dialect dialect{c.separator, c.separator != ',', c.kodierung};
  if (ReadRow(*kopf, cells, dialect, fall, extras, error) != RowStatus::kCase) return "!" + error;
  const Spalte column = kopf->at(0);
  if (column == Spalte::kName) return fall.name;
  const SpaltenInfo& info = Info(column);
  double value = 0;
  if (info.real != nullptr) value = fall.e.*(info.real);
  if (info.choice != nullptr) value = fall.e.*(info.choice);
  if (column == Spalte::kFm) value = fall.lasten.Fm.value_or(-1);
  if (column == Spalte::kMba) value = fall.lasten.Mba.value_or(-1);
  char text[kMaxRealText];
  return {text, FormatReal(value, false, text)};
}

TEST(Cells, ReadAsTheSpreadsheetMeantThemOrRefusedWithBothReadings) {
  const std::string ambiguous = "!Spalte SigB: \"1.200\" ist mehrdeutig: 1200 oder 1,2?";
  const std::string comma = " hat ein Dezimalkomma; das geht nur in Dateien mit ; oder "
                            "Tabulator als Trennzeichen";
  const CellCase cases[] = {
      // Thousands points with a decimal comma, or in two groups and more.
      {';', "SigB", "1.200,5", "1200.5"},
      {';', "SigB", "-12.500.000,25", "-12500000.25"},
      {';', "SigB", " 1.200.000 ", "1200000"},
      {'\t', "SigB", "999.999,", "999999"},
      {';', "SigB", "2,5", "2.5"},
      // One group and no comma: 1200 or 1,2 cannot be told.
      {';', "SigB", "1.200", ambiguous},
      {'\t', "SigB", "1.200", ambiguous},
      {';', "SigB", "12.500", "!Spalte SigB: \"12.500\" ist mehrdeutig: 12500 oder 12,5?"},
      {';', "SigB", "-100.000", "!Spalte SigB: \"-100.000\" ist mehrdeutig: -100000 oder -100?"},
      // Decimal points that cannot be groups.
      {';', "SigB", "0.125", "0.125"},
      {';', "SigB", "1.25", "1.25"},
      {';', "SigB", "12.5", "12.5"},
      {';', "SigB", "1234.567", "1234.567"},
      {';', "SigB", "1.200e3", "1200"},
      // Neither.
      {';', "SigB", "1.20,5", "!Spalte SigB: \"1.20,5\" ist keine Zahl"},
      {';', "SigB", "1,000,000", "!Spalte SigB: \"1,000,000\" ist keine Zahl"},
      {';', "Kerbfall", "1.000", "!Spalte Kerbfall: \"1.000\" ist keine ganze Zahl"},
      // In a comma file a point is the decimal point, and a decimal comma
      // is told for what it is.
      {',', "SigB", "1.200", "1.2"},
      {',', "d", "7,5", "!Spalte d: \"7,5\"" + comma},
      {',', "d", "1.200,5", "!Spalte d: \"1.200,5\"" + comma},
      {',', "d", ",5", "!Spalte d: \",5\"" + comma},
      {',', "d", "1,000,000", "!Spalte d: \"1,000,000\" ist keine Zahl"},
      {',', "d", "1.200.000", "!Spalte d: \"1.200.000\" ist keine Zahl"},
      // Blanks around a name are not part of it ("Name, D").
      {',', " D", "50", "50"},
      {';', "\tRz \t", "6,3", "6.3"},
      {';', " Mba [N m] ", "450", "450"},
      // A unit in the header, in its usual spellings.
      {';', "D [mm]", "50", "50"},
      {';', "D[mm]", "50", "50"},
      {';', "Mba [N m]", "1.200,5", "1200.5"},
      {';', "Mba [Nm]", "450", "450"},
      {';', "Mba [N\u00b7m]", "450", "450"},
      {';', "Mba [N*m]", "450", "450"},
      {';', "Fm [N]", "1000", "1000"},
      {';', "Sigbm [N/mm\u00b2]", "300", "300"},
      {';', "Sigbm [N/mm2]", "300", "300"},
      {';', "Sigbm [MPa]", "300", "300"},
      {';', "Rz [\u00b5m]", "6,3", "6.3"},
      {';', "Rz [\u03bcm]", "6,3", "6.3"},
      {';', "Rz [um]", "6,3", "6.3"},
      {';', "KV [-]", "0,9", "0.9"},
      {';', "KV []", "0,9", "0.9"},
      // Another unit is refused, naming the column's own.
      {';', "Mba [N mm]", "450", "!!Spalte Mba: Einheit \"N mm\" passt nicht, erwartet N m"},
      {';', "Mba [kNm]", "450", "!!Spalte Mba: Einheit \"kNm\" passt nicht, erwartet N m"},
      {';', "Fm [kN]", "1", "!!Spalte Fm: Einheit \"kN\" passt nicht, erwartet N"},
      {';', "D [m]", "0,05", "!!Spalte D: Einheit \"m\" passt nicht, erwartet mm"},
      {';', "Rz [mm]", "1", "!!Spalte Rz: Einheit \"mm\" passt nicht, erwartet \u00b5m"},
      {';', "SigB [N/m\u00b2]", "1", "!!Spalte SigB: Einheit \"N/m\u00b2\" passt nicht, erwartet N/mm\u00b2"},
      {';', "KV [mm]", "1", "!!Spalte KV: Einheit \"mm\" passt nicht, die Spalte hat keine Einheit"},
      {';', "MBA [N m]", "1",
       "!!unbekannte Spalte \"MBA [N m]\" (gemeint: Mba?); --extra-columns \u00fcbernimmt sie "
       "unver\u00e4ndert"},
      // Text that is not UTF-8: why it is refused.
      {';', "Name", "M\u00fcller", "M\u00fcller"},
      {';', "Name", "M\xFCller",
       "!Spalte Name: \"M\\xFCller\" ist kein UTF-8 (die Datei mischt UTF-8 und Windows-1252)",
       Kodierung::kGemischt},
      {';', "Name", "Pr\x81" "fer", "!Spalte Name: \"Pr\\x81fer\": das Byte 0x81 ist in Windows-1252 nicht belegt",
       Kodierung::kWindows1252},
      {';', "D", "5\xB5", "!Spalte D: \"5\\xB5\" ist kein UTF-8 (die Datei mischt UTF-8 und Windows-1252)",
       Kodierung::kGemischt},
  };
  for (const CellCase& c : cases) {
    EXPECT_EQ(Describe(c), c.expected) << "'" << c.separator << "' " << c.header << ": " << c.cell;
  }
}

// What a row leaves out: stresses and loads 0 and not given; every other
// field its default, named in one note per row and one warning per file;
// extra columns carried in their order.
TEST(Cells, WhatARowLeavesOut) {
  const std::string_view header[] = {"Name", "Bemerkung", "SigB", "Sigbm", "Kerbfall", "Mba",
                                     "Pr\u00fcfer", "Kommentar"};
  std::vector<std::string> errors;
  const std::optional<Kopf> kopf = Kopf::Read(header, {true, Kodierung::kUtf8, {}}, errors);
  ASSERT_TRUE(kopf) << errors.front();
  EXPECT_EQ(kopf->extras(), (std::vector<std::string>{"Pr\u00fcfer", "Kommentar"}));
  std::size_t missing = 0;
  EXPECT_EQ(MissingDefaults(*kopf, missing),
            "D 50, d 40, deff 50, r 3, t 5, Rz 5, SigS 900, SigzdW 440, SigbW 550, TautW 330, "
            "K1Fall 3, harteRandschicht 0, Hohlwelle 0, KV 1");
  EXPECT_EQ(missing, 14u);

  const std::string_view cells[] = {"A", "neu", "", " ", "", "", "Meier"};  // one cell short
  Fall fall;
  RowExtras extras;
  std::string error;
  ASSERT_EQ(ReadRow(*kopf, cells, Dialect{';', true, Kodierung::kUtf8}, fall, extras, error),
            RowStatus::kCase)
      << error;
  EXPECT_EQ(extras.vorgaben, "Vorgabewerte verwendet: Kerbfall 2, SigB 1100");
  EXPECT_EQ(extras.zusatz, (std::vector<std::string>{"Meier", ""}));
  EXPECT_EQ(fall.bemerkung, "neu");
  Eingabewerte expected = DefaultEingabewerte();
  expected.Sigzdm = expected.Sigbm = expected.Tautm = 0;
  expected.Sigzda = expected.Sigba = expected.Tauta = 0;
  EXPECT_TRUE(fall.e == expected);
  EXPECT_FALSE(fall.lasten.AnyLoad());

  // An extra column named like an output column cannot be carried, nor one
  // named like a column that --solve adds; those of the other solve can.
  const std::string_view clash[] = {"Name", "S_Dauerbruch", "r_erf", "t_erf",
                                    "S_Fliessgrenze_erf"};
  const struct {
    std::optional<Solve> solve;
    std::vector<std::string_view> refused;
  } solves[] = {
      {std::nullopt, {"S_Dauerbruch"}},
      {Solve::kRadius, {"S_Dauerbruch", "r_erf", "S_Fliessgrenze_erf"}},
      {Solve::kDurchmesser, {"S_Dauerbruch", "r_erf", "t_erf", "S_Fliessgrenze_erf"}},
  };
  for (const auto& s : solves) {
    errors.clear();
    EXPECT_FALSE(Kopf::Read(clash, {true, Kodierung::kUtf8, s.solve}, errors));
    std::vector<std::string> expected;
    for (const std::string_view name : s.refused) {
      expected.push_back("Spalte \"" + std::string(name) +
                         "\" hei\u00dft wie eine Spalte der Ausgabe und kann nicht "
                         "\u00fcbernommen werden");
    }
    EXPECT_EQ(errors, expected);
  }
}

}  // namespace
}  // namespace wellen::batch

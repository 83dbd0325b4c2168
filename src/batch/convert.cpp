#include "batch/convert.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "batch/encoding.h"
#include "companion/numbers.h"
#include "format/number.h"

namespace wellen::batch {
namespace {

bool Blank(std::string_view cell) {
  return cell.find_first_not_of(" \t") == std::string_view::npos;
}

std::string ColumnError(Spalte s, std::string_view cell, std::string_view what) {
  return "Spalte " + std::string(Info(s).name) + ": " + QuoteCell(cell) + " " + std::string(what);
}

// A section load and the stress column it sets.
struct LoadColumn {
  Spalte load;
  Spalte stress;
  std::optional<double> Schnittlasten::*given;
};

constexpr LoadColumn kLoads[] = {
    {Spalte::kFm, Spalte::kSigzdm, &Schnittlasten::Fm},
    {Spalte::kFa, Spalte::kSigzda, &Schnittlasten::Fa},
    {Spalte::kMbm, Spalte::kSigbm, &Schnittlasten::Mbm},
    {Spalte::kMba, Spalte::kSigba, &Schnittlasten::Mba},
    {Spalte::kTm, Spalte::kTautm, &Schnittlasten::Tm},
    {Spalte::kTa, Spalte::kTauta, &Schnittlasten::Ta},
};

// The six stresses: 0 where a row does not give them.
constexpr bool IsStress(Spalte s) { return s <= Spalte::kTauta; }

// A field's default as the notes write it: "SigB 1100".
void AppendDefault(std::string& list, const SpaltenInfo& info) {
  static const Eingabewerte defaults = BatchDefaults();
  if (!list.empty()) list += ", ";
  list.append(info.name);
  list += ' ';
  if (info.real != nullptr) {
    list.append(Number(defaults.*(info.real)).text());
  } else {
    list.append(Number(defaults.*(info.choice)).text());
  }
}

std::string Text(double value, bool decimal_comma) {
  char text[kMaxRealText];
  return {text, FormatReal(value, decimal_comma, text)};
}


// The message on a real cell that is not read as a number.
std::string NumberError(Spalte column, std::string_view cell, NumberStatus status,
                        const Dialect& dialect) {
  if (status == NumberStatus::kAmbiguous) {
    double grouped = 0;
    double decimal = 0;
    (void)ParseGrouped(cell, grouped);
    (void)ParseReal(cell, false, decimal);
    // One group: a whole number below a million, written out in full.
    return ColumnError(column, cell,
                       "ist mehrdeutig: " + std::to_string(static_cast<long long>(grouped)) +
                           " oder " + Text(decimal, true) + "?");
  }
  if (status == NumberStatus::kDecimalComma) {
    return ColumnError(column, cell,
                       "hat ein Dezimalkomma; das geht nur in Dateien mit ; oder Tabulator "
                       "als Trennzeichen");
  }
  if (!IsUtf8(cell)) {
    return "Spalte " + std::string(Info(column).name) + ": " +
           NotUtf8Message(cell, dialect.kodierung);
  }
  return ColumnError(column, cell, "ist keine Zahl");
}

}  // namespace

Eingabewerte BatchDefaults() {
  Eingabewerte e = DefaultEingabewerte();
  e.Sigzdm = e.Sigbm = e.Tautm = e.Sigzda = e.Sigba = e.Tauta = 0;
  return e;
}

std::string QuoteCell(std::string_view cell) {
  constexpr std::size_t kShown = 40;
  std::string quoted = "\"";
  std::size_t shown = 0;
  for (std::size_t i = 0; i < cell.size();) {
    if (shown++ == kShown) {  // count characters, not bytes
      quoted += "...";
      break;
    }
    const auto c = static_cast<unsigned char>(cell[i]);
    const std::size_t length = Utf8Length(cell, i);
    char escape[12];
    if (length == 2 && c == 0xC2 && static_cast<unsigned char>(cell[i + 1]) < 0xA0) {
      // A C1 control (U+0080 to U+009F): a terminal may take it as a command.
      (void)std::snprintf(escape, sizeof escape, "\\u%04X",
                          static_cast<unsigned char>(cell[i + 1]));
      quoted += escape;
      i += length;
      continue;
    }
    if (length > 1) {
      quoted.append(cell.substr(i, length));
      i += length;
      continue;
    }
    ++i;
    if (c == '\n') {
      quoted += "\\n";
    } else if (c == '\r') {
      quoted += "\\r";
    } else if (c == '\t') {
      quoted += "\\t";
    } else if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {  // control characters, bytes that are not UTF-8
      (void)std::snprintf(escape, sizeof escape, "\\x%02X", c);
      quoted += escape;
    } else {
      quoted += static_cast<char>(c);
    }
  }
  return quoted + "\"";
}

std::string NotUtf8Message(std::string_view cell, Kodierung kodierung) {
  if (kodierung == Kodierung::kWindows1252) {
    for (const char c : cell) {
      const auto byte = static_cast<unsigned char>(c);
      if (UndefinedInWindows1252(byte)) {
        char hex[8];
        (void)std::snprintf(hex, sizeof hex, "0x%02X", byte);
        return QuoteCell(cell) + ": das Byte " + hex + " ist in Windows-1252 nicht belegt";
      }
    }
  }
  if (kodierung == Kodierung::kGemischt) {
    return QuoteCell(cell) + " ist kein UTF-8 (die Datei mischt UTF-8 und Windows-1252)";
  }
  return QuoteCell(cell) + " ist kein UTF-8";
}

std::string MissingDefaults(const Kopf& kopf, std::size_t& count) {
  std::string list;
  count = 0;
  for (std::size_t i = 0; i < kEingabefelder; ++i) {
    const auto column = static_cast<Spalte>(i);
    if (IsStress(column) || kopf.Find(column)) continue;
    AppendDefault(list, Info(column));
    ++count;
  }
  return list;
}

RowStatus ReadRow(const Kopf& kopf, std::span<const std::string_view> cells, const Dialect& dialect,
                  Fall& fall, RowExtras& extras, std::string& error) {
  // Cells beyond the header's columns must be empty: spreadsheets write
  // trailing separators, but a value there would belong to no column.
  if (cells.size() > kopf.size()) {
    for (std::size_t i = kopf.size(); i < cells.size(); ++i) {
      if (!Blank(cells[i])) {
        error = "Zeile hat " + std::to_string(cells.size()) + " Zellen, die Kopfzeile nur " +
                std::to_string(kopf.size()) + "; Zelle " + std::to_string(i + 1) + " " +
                QuoteCell(cells[i]) + " geh\u00f6rt zu keiner Spalte";
        return RowStatus::kError;
      }
    }
    cells = cells.first(kopf.size());
  }
  bool any = false;
  for (const std::string_view cell : cells) any = any || !Blank(cell);
  if (!any) return RowStatus::kEmpty;

  const auto cell_at = [&](std::size_t i) {
    return i < cells.size() ? cells[i] : std::string_view();
  };
  fall.name.clear();
  fall.werkstoff.clear();
  fall.bemerkung.clear();
  fall.e = BatchDefaults();
  fall.lasten = Schnittlasten{};
  extras.zusatz.resize(kopf.extras().size());
  std::size_t extra = 0;
  std::uint32_t defaulted = 0;  // the fields of the record whose cell was empty
  static_assert(kEingabefelder <= 32);
  for (std::size_t i = 0; i < kopf.size(); ++i) {
    const Spalte column = kopf.at(i);
    const std::string_view cell = cell_at(i);
    if (column == Spalte::kZusatz || IsText(column)) {
      if (!IsUtf8(cell)) {
        error = (column == Spalte::kZusatz ? "Spalte " + kopf.extras()[extra]
                                           : "Spalte " + std::string(Info(column).name)) +
                ": " + NotUtf8Message(cell, dialect.kodierung);
        return RowStatus::kError;
      }
      if (column == Spalte::kZusatz) extras.zusatz[extra++].assign(cell);
      if (column == Spalte::kName) fall.name.assign(cell);
      if (column == Spalte::kWerkstoff) fall.werkstoff.assign(cell);
      if (column == Spalte::kBemerkung) fall.bemerkung.assign(cell);
      continue;
    }
    const SpaltenInfo& info = Info(column);
    if (info.choice != nullptr) {
      int value = 0;
      switch (ParseSelection(cell, info.low, info.high, value)) {
        case NumberStatus::kOk: fall.e.*(info.choice) = value; break;
        case NumberStatus::kEmpty: defaulted |= std::uint32_t{1} << static_cast<int>(column); break;
        case NumberStatus::kNotANumber:
        case NumberStatus::kAmbiguous:
        case NumberStatus::kDecimalComma:
          error = ColumnError(column, cell, "ist keine ganze Zahl");
          return RowStatus::kError;
        case NumberStatus::kOutOfRange:
          error = ColumnError(column, cell,
                              "liegt nicht zwischen " + std::to_string(info.low) + " und " +
                                  std::to_string(info.high));
          return RowStatus::kError;
      }
      continue;
    }
    double value = 0;
    const NumberStatus status = ParseReal(cell, dialect.decimal_comma, value);
    if (status == NumberStatus::kEmpty) {
      // Stresses, loads and the bore are simply not there; any other field
      // takes its default, and the row says so.
      if (info.real != nullptr && !IsStress(column)) {
        defaulted |= std::uint32_t{1} << static_cast<int>(column);
      }
      continue;
    }
    if (status != NumberStatus::kOk) {
      error = NumberError(column, cell, status, dialect);
      return RowStatus::kError;
    }
    if (info.real != nullptr) {
      fall.e.*(info.real) = value;
    } else if (column == Spalte::kdi) {
      fall.lasten.di = value;
    } else {
      for (const LoadColumn& load : kLoads) {
        if (load.load == column) fall.lasten.*(load.given) = value;
      }
    }
  }
  // One note for all of them, in the order of the record.
  extras.vorgaben.clear();
  if (defaulted != 0) {
    extras.vorgaben = std::has_single_bit(defaulted) ? "Vorgabewert verwendet: "
                                                     : "Vorgabewerte verwendet: ";
    std::string list;
    for (std::size_t k = 0; k < kEingabefelder; ++k) {
      if ((defaulted >> k & 1) != 0) AppendDefault(list, Spalten()[k]);
    }
    extras.vorgaben += list;
  }

  if (!fall.lasten.AnyLoad()) return RowStatus::kCase;
  // Loads need a section: d positive, the bore from 0 to below d.
  const double d = fall.e.d;
  if (!(d > 0)) {
    const auto at = kopf.Find(Spalte::kd);
    error = ColumnError(Spalte::kd, at ? cell_at(*at) : std::string_view(),
                        "ist nicht positiv: Lasten brauchen den Durchmesser d");
    return RowStatus::kError;
  }
  const double di = fall.lasten.di.value_or(0.0);
  if (!(di >= 0 && di < d)) {
    const auto at = kopf.Find(Spalte::kdi);
    error = ColumnError(Spalte::kdi, at ? cell_at(*at) : std::string_view(),
                        di < 0 ? "ist negativ" : "ist nicht kleiner als d");
    return RowStatus::kError;
  }
  for (const LoadColumn& load : kLoads) {
    const std::optional<double>& given = fall.lasten.*(load.given);
    if (!given) continue;
    const auto stress = kopf.Find(load.stress);
    if (stress && !Blank(cell_at(*stress))) {
      error = ColumnError(load.load, cell_at(*kopf.Find(load.load)),
                          "ist zugleich mit der Spannung " + std::string(Info(load.stress).name) +
                              " " + QuoteCell(cell_at(*stress)) + " gegeben");
      return RowStatus::kError;
    }
  }
  fall.e = SpannungenAusLasten(fall.e, fall.lasten);
  return RowStatus::kCase;
}

}  // namespace wellen::batch

#include "batch/convert.h"

#include <cstdio>
#include <optional>

#include "companion/numbers.h"

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

}  // namespace

std::string QuoteCell(std::string_view cell) {
  constexpr std::size_t kShown = 40;
  std::string quoted = "\"";
  std::size_t shown = 0;
  for (std::size_t i = 0; i < cell.size(); ++i) {
    const auto c = static_cast<unsigned char>(cell[i]);
    if ((c & 0xC0) != 0x80 && shown++ == kShown) {  // count characters, not bytes
      quoted += "...";
      break;
    }
    if (c == '\n') {
      quoted += "\\n";
    } else if (c == '\r') {
      quoted += "\\r";
    } else if (c == '\t') {
      quoted += "\\t";
    } else if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      char escape[8];
      (void)std::snprintf(escape, sizeof escape, "\\x%02X", c);
      quoted += escape;
    } else {
      quoted += static_cast<char>(c);
    }
  }
  return quoted + "\"";
}

RowStatus ReadRow(const Kopf& kopf, std::span<const std::string_view> cells, bool decimal_comma,
                  Fall& fall, std::string& error) {
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

  fall.name.clear();
  fall.e = DefaultEingabewerte();
  fall.lasten = Schnittlasten{};
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const Spalte column = kopf.at(i);
    const std::string_view cell = cells[i];
    if (column == Spalte::kName) {
      fall.name.assign(cell);
      continue;
    }
    const SpaltenInfo& info = Info(column);
    if (info.choice != nullptr) {
      int value = 0;
      switch (ParseSelection(cell, info.low, info.high, value)) {
        case NumberStatus::kOk: fall.e.*(info.choice) = value; break;
        case NumberStatus::kEmpty: break;
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
    const NumberStatus status = ParseReal(cell, decimal_comma, value);
    if (status == NumberStatus::kEmpty) continue;
    if (status != NumberStatus::kOk) {
      error = ColumnError(column, cell, "ist keine Zahl");
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

  if (!fall.lasten.AnyLoad()) return RowStatus::kCase;
  // Loads need a section: d positive, the bore from 0 to below d.
  const double d = fall.e.d;
  if (!(d > 0)) {
    const auto at = kopf.Find(Spalte::kd);
    error = ColumnError(Spalte::kd, at && *at < cells.size() ? cells[*at] : std::string_view(),
                        "ist nicht positiv: Lasten brauchen den Durchmesser d");
    return RowStatus::kError;
  }
  const double di = fall.lasten.di.value_or(0.0);
  if (!(di >= 0 && di < d)) {
    const std::string_view cell = cells[*kopf.Find(Spalte::kdi)];
    error = ColumnError(Spalte::kdi, cell, di < 0 ? "ist negativ" : "ist nicht kleiner als d");
    return RowStatus::kError;
  }
  for (const LoadColumn& load : kLoads) {
    const std::optional<double>& given = fall.lasten.*(load.given);
    if (!given) continue;
    const auto stress = kopf.Find(load.stress);
    if (stress && *stress < cells.size() && !Blank(cells[*stress])) {
      const auto at = kopf.Find(load.load);
      error = ColumnError(load.load, cells[*at],
                          "ist zugleich mit der Spannung " + std::string(Info(load.stress).name) +
                              " " + QuoteCell(cells[*stress]) + " gegeben");
      return RowStatus::kError;
    }
  }
  fall.e = SpannungenAusLasten(fall.e, fall.lasten);
  return RowStatus::kCase;
}

}  // namespace wellen::batch

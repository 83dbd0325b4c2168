#include "batch/columns.h"

#include <algorithm>

#include "batch/convert.h"
#include "batch/writers.h"

namespace wellen::batch {
namespace {

// The input record's fields, then the columns beyond it.
std::array<SpaltenInfo, kSpaltenzahl> MakeSpalten() noexcept {
  std::array<SpaltenInfo, kSpaltenzahl> spalten{};
  const auto felder = Eingabefelder();
  std::copy(felder.begin(), felder.end(), spalten.begin());
  constexpr std::string_view kWeitere[] = {"Name", "Werkstoff", "Bemerkung", "Fm", "Fa",
                                           "Mbm",  "Mba",       "Tm",        "Ta", "di"};
  static_assert(std::size(kWeitere) == kSpaltenzahl - kEingabefelder);
  for (std::size_t i = 0; i < std::size(kWeitere); ++i) {
    spalten[kEingabefelder + i] = {kWeitere[i], nullptr, nullptr, 0, 0};
  }
  return spalten;
}

const std::array<SpaltenInfo, kSpaltenzahl> kSpalten = MakeSpalten();

constexpr std::string_view kSpannung = "N/mm\u00b2";

// Edit distance, counting a change of letter case as half an edit, so that
// "sigzdm" is nearer to "Sigzdm" than to any other name (in doubled units).
std::size_t Distance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = 2 * j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = 2 * i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const char x = a[i - 1];
      const char y = b[j - 1];
      std::size_t change = 2;
      if (x == y) {
        change = 0;
      } else if ((x | 0x20) == (y | 0x20) && ((x | 0x20) >= 'a' && (x | 0x20) <= 'z')) {
        change = 1;
      }
      const std::size_t best = std::min({row[j] + 2, row[j - 1] + 2, diagonal + change});
      diagonal = row[j];
      row[j] = best;
    }
  }
  return row[b.size()];
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// A header cell: the name, and the unit if it ends in one in brackets.
struct Kopfzelle {
  std::string_view name;
  std::optional<std::string_view> unit;
};

Kopfzelle Split(std::string_view cell) {
  cell = Trim(cell);
  const std::size_t open = cell.rfind('[');
  if (cell.empty() || cell.back() != ']' || open == std::string_view::npos || open == 0) {
    return {cell, std::nullopt};
  }
  return {Trim(cell.substr(0, open)), Trim(cell.substr(open + 1, cell.size() - open - 2))};
}

// A unit without blanks and without the signs that may stand between N and m.
std::string Compact(std::string_view unit) {
  constexpr std::string_view kDots[] = {"\u00b7", "\u22c5"};  // middle dot, dot operator
  std::string compact;
  for (std::size_t i = 0; i < unit.size(); ++i) {
    const auto dot = std::find_if(std::begin(kDots), std::end(kDots), [&](std::string_view d) {
      return unit.substr(i).starts_with(d);
    });
    if (dot != std::end(kDots)) {
      i += dot->size() - 1;
    } else if (unit[i] != ' ' && unit[i] != '\t' && unit[i] != '*') {
      compact += unit[i];
    }
  }
  return compact;
}

std::string Quoted(std::string_view name) { return "\"" + std::string(name) + "\""; }

// "A", "A oder B", "A, B oder C".
std::string OneOf(const std::vector<std::string_view>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? " oder " : ", ";
    text.append(names[i]);
  }
  return text;
}

}  // namespace

const std::array<SpaltenInfo, kSpaltenzahl>& Spalten() { return kSpalten; }

std::string_view UnitOf(Spalte s) {
  switch (s) {
    case Spalte::kSigzdm:
    case Spalte::kSigbm:
    case Spalte::kTautm:
    case Spalte::kSigzda:
    case Spalte::kSigba:
    case Spalte::kTauta:
    case Spalte::kSigB:
    case Spalte::kSigS:
    case Spalte::kSigzdW:
    case Spalte::kSigbW:
    case Spalte::kTautW: return kSpannung;
    case Spalte::kD:
    case Spalte::kd:
    case Spalte::kdeff:
    case Spalte::kr:
    case Spalte::kt:
    case Spalte::kdi: return "mm";
    case Spalte::kRz: return "\u00b5m";
    case Spalte::kFm:
    case Spalte::kFa: return "N";
    case Spalte::kMbm:
    case Spalte::kMba:
    case Spalte::kTm:
    case Spalte::kTa: return "N m";
    case Spalte::kKerbfall:
    case Spalte::kK1Fall:
    case Spalte::kharteRandschicht:
    case Spalte::kHohlwelle:
    case Spalte::kKV:
    case Spalte::kName:
    case Spalte::kWerkstoff:
    case Spalte::kBemerkung:
    case Spalte::kZusatz: break;
  }
  return {};
}

bool UnitFits(Spalte s, std::string_view unit) {
  const std::string compact = Compact(unit);
  const std::string_view own = UnitOf(s);
  if (own.empty()) return compact.empty() || compact == "-" || compact == "1";
  if (own == kSpannung) {
    return compact == kSpannung || compact == "N/mm2" || compact == "N/mm^2" || compact == "MPa";
  }
  if (own == "\u00b5m") {
    return compact == "\u00b5m" || compact == "\u03bcm" || compact == "um";  // micro sign, mu
  }
  return compact == Compact(own);  // mm, N, Nm
}

std::vector<std::string_view> ClosestColumns(std::string_view name) {
  const std::size_t allowed = 2 * std::max<std::size_t>(1, (name.size() + 2) / 3);
  std::vector<std::string_view> closest;
  std::size_t best = allowed + 1;
  for (const SpaltenInfo& info : kSpalten) {
    const std::size_t distance = Distance(name, info.name);
    if (distance < best) {
      best = distance;
      closest.clear();
    }
    if (distance == best) closest.push_back(info.name);
  }
  return closest;
}

std::optional<Kopf> Kopf::Read(std::span<const std::string_view> cells, const KopfOptionen& options,
                               std::vector<std::string>& errors) {
  const std::size_t errors_before = errors.size();
  Kopf kopf;
  kopf.position_.fill(-1);
  // Empty names at the end are the trailing separators some spreadsheets
  // write; they name no column.
  while (!cells.empty() && Trim(cells.back()).empty()) cells = cells.first(cells.size() - 1);
  const std::vector<std::string_view> output = OutputColumns(options.solve);
  std::vector<std::string_view> repeated;  // names already reported
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const std::string where = "Spalte " + std::to_string(i + 1);
    const Kopfzelle cell = Split(cells[i]);
    kopf.columns_.push_back(Spalte::kZusatz);
    if (!IsUtf8(cells[i])) {
      errors.push_back(where + ": " + NotUtf8Message(cells[i], options.kodierung));
      continue;
    }
    if (cell.name.empty()) {
      errors.push_back(where + " hat keinen Namen");
      continue;
    }
    const auto known = std::find_if(kSpalten.begin(), kSpalten.end(),
                                    [&](const SpaltenInfo& info) { return info.name == cell.name; });
    if (known == kSpalten.end()) {
      const std::string_view whole = Trim(cells[i]);
      if (!options.extra_columns) {
        if (std::find(repeated.begin(), repeated.end(), whole) != repeated.end()) continue;
        repeated.push_back(whole);  // reported once
        const std::vector<std::string_view> closest = ClosestColumns(cell.name);
        errors.push_back("unbekannte Spalte " + QuoteCell(whole) +
                         (closest.empty() ? "" : " (gemeint: " + OneOf(closest) + "?)") +
                         "; --extra-columns \u00fcbernimmt sie unver\u00e4ndert");
      } else if (std::find(output.begin(), output.end(), whole) != output.end()) {
        errors.push_back("Spalte " + QuoteCell(whole) +
                         " hei\u00dft wie eine Spalte der Ausgabe und kann nicht "
                         "\u00fcbernommen werden");
      } else if (std::find(kopf.extras_.begin(), kopf.extras_.end(), whole) !=
                 kopf.extras_.end()) {
        if (std::find(repeated.begin(), repeated.end(), whole) == repeated.end()) {
          repeated.push_back(whole);
          errors.push_back("Spalte " + QuoteCell(whole) + " steht zweimal in der Kopfzeile");
        }
      } else {
        kopf.extras_.emplace_back(whole);
      }
      continue;
    }
    const auto column = static_cast<Spalte>(known - kSpalten.begin());
    if (cell.unit && !UnitFits(column, *cell.unit)) {
      const std::string_view own = UnitOf(column);
      errors.push_back("Spalte " + std::string(cell.name) + ": Einheit " + Quoted(*cell.unit) +
                       " passt nicht, " +
                       (own.empty() ? std::string("die Spalte hat keine Einheit")
                                    : "erwartet " + std::string(own)));
    }
    int& position = kopf.position_[static_cast<std::size_t>(column)];
    if (position >= 0) {
      if (std::find(repeated.begin(), repeated.end(), known->name) == repeated.end()) {
        repeated.push_back(known->name);
        errors.push_back("Spalte " + std::string(known->name) + " steht zweimal in der Kopfzeile");
      }
      continue;
    }
    position = static_cast<int>(i);
    kopf.columns_.back() = column;
  }
  if (errors.size() > errors_before) return std::nullopt;
  return kopf;
}

}  // namespace wellen::batch

// The columns of an input file: which known column each header cell names,
// the unit a header may give it, and the columns beyond the known ones.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch/encoding.h"
#include "calc/eingabewerte.h"
#include "companion/optionen.h"

namespace wellen::batch {

// Every column an input file may have.
enum class Spalte {
  // The fields of the input record, in its order.
  kSigzdm,
  kSigbm,
  kTautm,
  kSigzda,
  kSigba,
  kTauta,
  kD,
  kd,
  kdeff,
  kr,
  kt,
  kRz,
  kKerbfall,
  kSigB,
  kSigS,
  kSigzdW,
  kSigbW,
  kTautW,
  kK1Fall,
  kharteRandschicht,
  kHohlwelle,
  kKV,
  // The case's texts, the section loads and the bore.
  kName,
  kWerkstoff,
  kBemerkung,
  kFm,
  kFa,
  kMbm,
  kMba,
  kTm,
  kTa,
  kdi,
  // Not a known column: one that --extra-columns carries through.
  kZusatz,
};

inline constexpr std::size_t kSpaltenzahl = static_cast<std::size_t>(Spalte::kdi) + 1;
inline constexpr std::size_t kEingabefelder = static_cast<std::size_t>(Spalte::kKV) + 1;

// How a column's cell is read and where it goes: the name as in the header
// row (case-sensitive), and the field of the input record it fills (neither
// real nor choice for the columns beyond the record).
using SpaltenInfo = Eingabefeld;

// The description of every known column, indexed by Spalte.
const std::array<SpaltenInfo, kSpaltenzahl>& Spalten();

inline const SpaltenInfo& Info(Spalte s) { return Spalten()[static_cast<std::size_t>(s)]; }

// True for the columns of text: Name, Werkstoff, Bemerkung.
constexpr bool IsText(Spalte s) {
  return s == Spalte::kName || s == Spalte::kWerkstoff || s == Spalte::kBemerkung;
}

// The unit of a column, as a header may give it in brackets ("D [mm]"), in
// its usual form: "N/mm²", "mm", "µm", "N", "N m", or empty for a column
// without one.
std::string_view UnitOf(Spalte s);

// True if `unit` (the text between the brackets) is the unit of column `s`
// in one of its usual spellings: N/mm² as "N/mm²", "N/mm2", "N/mm^2" or
// "MPa"; µm as "µm" or "um"; N m as "N m", "Nm", "N·m" or "N*m"; a column
// without a unit takes "-", "1" or nothing. Blanks do not count.
bool UnitFits(Spalte s, std::string_view unit);

// What the reader of a header needs to know beyond its cells.
struct KopfOptionen {
  bool extra_columns = false;              // --extra-columns: unknown columns are carried
  Kodierung kodierung = Kodierung::kUtf8;  // for the message on bytes that are not UTF-8
  std::optional<Solve> solve;              // --solve: its columns are output columns too
};

// The columns a header row names, by position.
class Kopf {
 public:
  // Maps the header's cells to columns. On any problem returns nothing and
  // puts every problem, one message each, into `errors`: an unknown column
  // (with the known ones closest to it, unless --extra-columns takes it), a
  // column named twice, a cell without a name before a named one, a unit
  // that is not the column's, an extra column named like an output column
  // (the solved ones of --solve included), a name that is not UTF-8.
  static std::optional<Kopf> Read(std::span<const std::string_view> cells,
                                  const KopfOptionen& options, std::vector<std::string>& errors);

  std::size_t size() const { return columns_.size(); }
  // The column at position i; kZusatz for an extra column.
  Spalte at(std::size_t i) const { return columns_[i]; }
  // The position of column `s`, if the header has it.
  std::optional<std::size_t> Find(Spalte s) const {
    const int position = position_[static_cast<std::size_t>(s)];
    if (position < 0) return std::nullopt;
    return static_cast<std::size_t>(position);
  }
  // The names of the extra columns as the header writes them, in its order.
  const std::vector<std::string>& extras() const { return extras_; }

 private:
  std::vector<Spalte> columns_;
  std::array<int, kSpaltenzahl> position_{};
  std::vector<std::string> extras_;
};

// The known columns nearest to `name`, all those equally near, in the order
// of Spalte; none if even the nearest is too far off to be a slip (more
// than one edit in three characters, a change of case counting half).
std::vector<std::string_view> ClosestColumns(std::string_view name);

}  // namespace wellen::batch

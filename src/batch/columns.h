// The columns of an input file: which known column each header cell names.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calc/eingabewerte.h"

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
  // The case's name, the section loads and the bore.
  kName,
  kFm,
  kFa,
  kMbm,
  kMba,
  kTm,
  kTa,
  kdi,
};

inline constexpr std::size_t kSpaltenzahl = static_cast<std::size_t>(Spalte::kdi) + 1;
inline constexpr std::size_t kEingabefelder = static_cast<std::size_t>(Spalte::kKV) + 1;

// How a column's cell is read and where it goes: the name as in the header
// row (case-sensitive), and the field of the input record it fills (neither
// real nor choice for the columns beyond the record).
using SpaltenInfo = Eingabefeld;

// The description of every column, indexed by Spalte.
const std::array<SpaltenInfo, kSpaltenzahl>& Spalten();

inline const SpaltenInfo& Info(Spalte s) { return Spalten()[static_cast<std::size_t>(s)]; }

// The columns a header row names, by position.
class Kopf {
 public:
  // Maps the header's cells to columns. On an unknown or a repeated name,
  // returns nothing and sets `error` to the message (naming the closest known
  // column for an unknown one).
  static std::optional<Kopf> Read(std::span<const std::string_view> cells, std::string& error);

  std::size_t size() const { return columns_.size(); }
  Spalte at(std::size_t i) const { return columns_[i]; }
  // The position of column `s`, if the header has it.
  std::optional<std::size_t> Find(Spalte s) const {
    const int position = position_[static_cast<std::size_t>(s)];
    if (position < 0) return std::nullopt;
    return static_cast<std::size_t>(position);
  }

 private:
  std::vector<Spalte> columns_;
  std::array<int, kSpaltenzahl> position_{};
};

// The known column nearest to `name` (fewest edits; ties take the earlier).
std::string_view ClosestColumn(std::string_view name);

}  // namespace wellen::batch

// One data row of an input file turned into a case: each cell read as its
// column says, defaults for missing and empty cells, and section loads
// turned into nominal stresses.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "batch/columns.h"
#include "companion/fall.h"

namespace wellen::batch {

enum class RowStatus {
  kCase,   // `fall` holds the row's name, input record and loads
  kEmpty,  // every cell is empty or blank: the row is skipped like a blank line
  kError,  // `error` says what is wrong, naming the column and quoting the cell
};

// Reads the cells of one data row under `kopf`. Cells beyond the header are
// an error; missing trailing cells count as empty. With `decimal_comma`, a
// real may use a comma for its point. Fills fall.name, fall.e and
// fall.lasten (not the check).
RowStatus ReadRow(const Kopf& kopf, std::span<const std::string_view> cells, bool decimal_comma,
                  Fall& fall, std::string& error);

// A cell as an error message quotes it: in double quotes, line breaks and
// other control characters escaped, cut after 40 characters.
std::string QuoteCell(std::string_view cell);

}  // namespace wellen::batch

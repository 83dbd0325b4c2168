// One data row of an input file turned into a case: each cell read as its
// column says, and section loads turned into nominal stresses.
//
// What a row does not give:
//   - the six stresses and the six loads are 0, and di is 0: a spreadsheet
//     that leaves them out means that there are none (the demo stresses of
//     the interactive program are no spreadsheet's meaning);
//   - every other field takes the interactive program's default and says so:
//     a column the header lacks in one warning per file (MissingDefaults),
//     an empty cell in a note of the row (RowExtras::vorgaben);
//   - the texts are empty.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch/columns.h"
#include "batch/csv_reader.h"
#include "companion/fall.h"

namespace wellen::batch {

enum class RowStatus {
  kCase,   // `fall` holds the row's texts, input record and loads
  kEmpty,  // every cell is empty or blank: the row is skipped like a blank line
  kError,  // `error` says what is wrong, naming the column and quoting the cell
};

// What a row gives beyond its case.
struct RowExtras {
  std::vector<std::string> zusatz;  // the cells of the extra columns, in the header's order
  std::string vorgaben;             // the note on empty cells that took a default, or empty
};

// The input record a row starts from: the interactive program's defaults
// with the six stresses 0.
Eingabewerte BatchDefaults();

// Reads the cells of one data row under `kopf`. Cells beyond the header are
// an error; missing trailing cells count as empty. Numbers are read in the
// dialect's form (a decimal comma, thousands points: see ParseReal). A text
// that is not UTF-8 refuses the row, with the reason the dialect's encoding
// gives. Fills fall.name, werkstoff, bemerkung, e and lasten (not the check).
RowStatus ReadRow(const Kopf& kopf, std::span<const std::string_view> cells, const Dialect& dialect,
                  Fall& fall, RowExtras& extras, std::string& error);

// The fields that take a default because the header lacks their column, each
// with its default ("r 3, Rz 5"), in the order of the input record; empty if
// none. `count` is set to their number.
std::string MissingDefaults(const Kopf& kopf, std::size_t& count);

// A cell as an error message quotes it: in double quotes, line breaks and
// other control characters escaped (the C1 controls U+0080 to U+009F as
// \u0080), bytes that are not UTF-8 as \xNN, cut after 40 characters.
std::string QuoteCell(std::string_view cell);

// Why a cell that is not UTF-8 is refused, the cell quoted: in a mixed file,
// in a Windows-1252 file (a byte it leaves undefined), or in any other.
std::string NotUtf8Message(std::string_view cell, Kodierung kodierung);

}  // namespace wellen::batch

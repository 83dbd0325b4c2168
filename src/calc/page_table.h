// The six result pages as a table: which quantity each printed line shows,
// under which label, in which order. The interactive run prints from it, and
// the batch program names its columns and report rows after it, so that the
// pages, the columns and the report always show the same values.
#pragma once

#include <span>
#include <string_view>

#include "nachweis.h"

namespace wellen {

// One printed line of a result page.
struct PageLine {
  // The text before the value, exactly as printed ("as  Zug= ",
  // "\nS Dauerbruch  = "); for a case line the text before "erfuellt".
  std::string_view label;
  // The column name in the batch output ("as_Zug", "S_Dauerbruch").
  std::string_view column;
  // The value shown; a case line gives 1 (met) or 0 (not met).
  double (*value)(const Nachweis&);
  // A case line prints "erfuellt" or "nicht erfuellt" instead of a number.
  bool condition = false;
};

inline constexpr int kPageCount = 6;

// The lines of page `page` (1 to 6), in printed order.
std::span<const PageLine> PageLines(int page);

// A label without its line break, blanks and "=": "S Dauerbruch", "as  Zug".
std::string_view Bezeichnung(std::string_view label);

// The text a case line prints after its label.
inline constexpr std::string_view kErfuellt = "erfuellt";
inline constexpr std::string_view kNichtErfuellt = "nicht erfuellt";

}  // namespace wellen

// Plausibility notes on a computed case.
//
// The batch program computes every row as given, however odd its values; a
// note only points the engineer at a value worth a second look: a geometry
// that cannot be, a value outside the range of a rule of the method, a
// result that is not a number. Notes go into the report and into the last
// column "Hinweise" of the CSV and JSON output, joined by kHinweisTrenner.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "batch/fall.h"

namespace wellen::batch {

// Joins the notes of one case in a single CSV or JSON cell. No note
// contains it.
inline constexpr std::string_view kHinweisTrenner = "; ";

// The notes on `fall`, short German texts in UTF-8, each naming the value it
// is about, in the order of the input record and then of the pages. Empty
// for the defaults.
std::vector<std::string> Hinweise(const Fall& fall);

// True when a value that the result pages show is not a number.
bool KeineZahlAufDenSeiten(const Nachweis& n);

// The verdict: both safety factors at least `smin` (a factor that is not a
// number does not reach it), and no value on the pages that is not a
// number. Through the branches that a not-a-number comparison takes, a
// check with such a value on the way (from a not-a-number input, or a zero
// times an infinity) can still end in finite safety factors; it proves
// nothing.
bool NachweisErfuellt(const Nachweis& n, double smin);

}  // namespace wellen::batch

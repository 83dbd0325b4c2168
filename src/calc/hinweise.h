// Plausibility notes on a checked case.
//
// The check computes every case as given, however odd its values; a note
// only points the engineer at a value worth a second look: a geometry that
// cannot be, a value outside the range of a rule of the method, a result
// that is not a number. The companions put the notes into their reports and
// into the last column "Hinweise" of their CSV and JSON output, joined by
// kHinweisTrenner.
//
// Pure: no input, no output, no state.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "eingabewerte.h"
#include "nachweis.h"
#include "schnittlasten.h"

namespace wellen {

// Joins the notes of one case in a single CSV or JSON cell. No note
// contains it.
inline constexpr std::string_view kHinweisTrenner = "; ";

// The notes on the check `n` of `e`, short German texts in UTF-8, each
// naming the value it is about, in the order of the input record and then
// of the pages. `lasten` is what the case gave of section loads and bore
// (the stresses in `e` are then already those of the loads). Empty for the
// defaults.
std::vector<std::string> Hinweise(const Eingabewerte& e, const Nachweis& n,
                                  const Schnittlasten& lasten = {});

}  // namespace wellen

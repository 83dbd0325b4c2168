// The verdict on a checked case: does it meet the required minimum safety?
//
// Pure: no input, no output, no state.
#pragma once

#include "nachweis.h"

namespace wellen {

// True when a value that the result pages show is not a number.
bool KeineZahlAufDenSeiten(const Nachweis& n);

// The verdict: both safety factors at least `smin` (a factor that is not a
// number does not reach it), and no value on the pages that is not a
// number. Through the branches that a not-a-number comparison takes, a
// check with such a value on the way (from a not-a-number input, or a zero
// times an infinity) can still end in finite safety factors; it proves
// nothing.
bool NachweisErfuellt(const Nachweis& n, double smin);

}  // namespace wellen

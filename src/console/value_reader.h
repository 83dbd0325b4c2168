// Reading numbers from the input stream by the rules of scanf "%lf" and "%d".
//
// Both reads skip white space, line ends included, then take the longest
// prefix that forms a number; what follows stays pending for the next read.
// Differences from the C library, on purpose:
//   - a real may use a comma as its decimal separator after a digit ("2,5"
//     is 2.5); a leading comma (",5") is not a number, as for scanf;
//   - a whole number beyond the int range saturates to INT_MAX or INT_MIN
//     instead of wrapping around;
//   - an entry that is not a number is dropped together with the rest of its
//     line, so that a prompt that repeats cannot read it again and again.
// Hexadecimal reals are not accepted. Any line length is handled in bounded
// memory: digits beyond what decides the double are folded into a marker.
#pragma once

#include "console/console.h"
#include "console/input_buffer.h"

namespace wellen {

ReadStatus ReadReal(InputBuffer& in, double& value);
ReadStatus ReadInt(InputBuffer& in, int& value);

// White space as the "C" locale's isspace sees it.
constexpr bool IsSpace(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace wellen

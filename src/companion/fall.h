// One checked case of a companion program: where it came from, its input
// record as used and its check.
#pragma once

#include <cstddef>
#include <string>

#include "calc/eingabewerte.h"
#include "calc/nachweis.h"
#include "calc/schnittlasten.h"

namespace wellen {

struct Fall {
  std::string datei;      // the input file as named on the command line, "-" for stdin
  std::size_t zeile{};    // the line on which the case starts
  std::string name;       // the case's name, may be empty
  std::string werkstoff;  // the material's name, may be empty
  std::string bemerkung;  // a remark, may be empty
  Eingabewerte e{};       // the input as used: stresses from the loads where given
  Schnittlasten lasten;   // what the case gave of loads and bore
  Nachweis n{};           // the check of e
};

}  // namespace wellen

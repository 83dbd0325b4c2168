// One case of the batch program: a row of a CSV file, read and computed.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "calc/eingabewerte.h"
#include "calc/nachweis.h"

namespace wellen::batch {

// Section loads that a row may give instead of nominal stresses, and the
// bore of a hollow section. A given load sets its nominal stress at the net
// diameter d.
struct Schnittlasten {
  std::optional<double> Fm, Fa;    // axial force, mean and amplitude [N]
  std::optional<double> Mbm, Mba;  // bending moment [N m]
  std::optional<double> Tm, Ta;    // torque [N m]
  std::optional<double> di;        // bore [mm]; 0 when not given

  bool AnyLoad() const { return Fm || Fa || Mbm || Mba || Tm || Ta; }
};

// A computed case.
struct Fall {
  std::string datei;     // the input file as named on the command line, "-" for stdin
  std::size_t zeile{};   // the line on which the row starts
  std::string name;      // the Name cell, may be empty
  Eingabewerte e{};      // the input as used: stresses from the loads where given
  Schnittlasten lasten;  // what the row gave of loads and bore
  Nachweis n{};          // the check of e
};

}  // namespace wellen::batch

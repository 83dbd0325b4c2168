// A sketch of the notch of a case: a shoulder or a round groove in a
// longitudinal section of the shaft, drawn to the case's proportions, with
// D, d, r and t dimensioned.
//
// Proportions that would hide a feature are drawn less extreme than they
// are, and the sketch then says that it is not to scale: d at least a tenth
// of D, a step or groove at least 3 % of D deep, a radius other than zero at
// least 1 % of D and at most D. The depth drawn is (D - d)/2, the labels give
// the case's own values, t included.
#pragma once

#include <string>

#include "calc/eingabewerte.h"

namespace wellen::report {

// The proportions drawn, as shares of D.
struct Skizzenmass {
  double d;              // diameter in the notch root
  double r;              // notch radius
  double t;              // depth of the notch: (D - d)/2, as drawn
  bool massstaeblich;    // true when all three are the case's own
};

// Why the notch of `e` cannot be sketched: a German sentence naming the
// value (D or d not positive and finite, d not below D, r negative or not
// finite); empty when it can.
std::string KeineSkizze(const Eingabewerte& e);

// The proportions drawn; only meaningful where KeineSkizze is empty.
Skizzenmass Gezeichnet(const Eingabewerte& e);

// The sketch as one <svg> element, or an empty string where KeineSkizze
// gives a reason. Well-formed XML; numbers in its texts in German style.
std::string KerbSkizze(const Eingabewerte& e);

}  // namespace wellen::report

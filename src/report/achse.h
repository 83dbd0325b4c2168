// The axes of the report's diagrams: round ticks, 1, 2 or 5 times a power
// of ten.
#pragma once

#include <cmath>

namespace wellen::report {

// An axis from `min` to `max` with a tick every `schritt`; min and max are
// multiples of schritt.
struct Achse {
  double min, max, schritt;
};

// The round step (1, 2 or 5 times a power of ten, or 10 times) that divides
// `spanne` (> 0, finite) into about `ticks` parts.
double RunderSchritt(double spanne, double ticks);

// An axis over [lo, hi] (lo < hi, both finite) with round ticks, about
// `ticks` of them: the side of [lo, hi] away from zero widened by `rand`
// times the span, then both ends out to the next tick.
Achse RundeAchse(double lo, double hi, double rand, double ticks);

// True when the axis can be drawn: finite, a positive step, max above min.
bool Endlich(const Achse& a);

// Calls f(value) for every tick of an axis, at most 51 of them; a value
// within a billionth of a step of zero is exactly zero (no "-0", no
// "1e-14" at the origin).
template <typename F>
void JederTick(const Achse& a, F f) {
  const long anzahl = std::lround((a.max - a.min) / a.schritt);
  for (long i = 0; i <= anzahl && i <= 50; ++i) {
    double wert = a.min + static_cast<double>(i) * a.schritt;
    if (std::fabs(wert) < a.schritt * 1e-9) wert = 0;
    f(wert);
  }
}

}  // namespace wellen::report

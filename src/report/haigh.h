// The fatigue diagram of one load type, Haigh fashion: the equivalent mean
// stress m across, the stress amplitude up, both in N/mm^2.
//
// It shows what the check on page 5 and 6 does. The fatigue line starts at
// the component fatigue limit WK on the amplitude axis and falls with the
// mean stress sensitivity psi up to the case threshold g; from there the
// yield line falls with slope -1 to the component yield strength FK on the
// mean stress axis. The check keeps the mean stress of the operating point
// (m, amplitude) and raises the amplitude to the line: the permissible point
// (m, ADK). For a compressive m the fatigue line goes on to the left of the
// amplitude axis.
//
// First the values become coordinates (HaighGeometrie), then the
// coordinates an SVG element; both are pure.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/eingabewerte.h"
#include "calc/nachweis.h"

namespace wellen::report {

// The values a diagram is drawn from, in N/mm^2 (psi has no unit).
struct HaighWerte {
  double WK;         // component fatigue limit
  double psi;        // mean stress sensitivity
  double FK;         // component yield strength
  double g;          // case threshold: where the fatigue line meets the yield line
  double m;          // equivalent mean stress: Sigmv, or Taumv for torsion
  double amplitude;  // the stress amplitude of the input
  double ADK;        // permissible amplitude
};

// What the values are called on the pages and in the input, per load type.
struct HaighNamen {
  std::string_view WK, psi, FK, g, m, amplitude, ADK;
  std::string_view sigma;  // the stress symbol of the axis titles: "σ" or "τ"
};

HaighWerte WerteFuer(const Eingabewerte& e, const Nachweis& n, Last last);
const HaighNamen& NamenFuer(Last last);

struct Punkt {
  double x, y;
};

struct Strecke {
  Punkt a, b;
};

// An axis from `min` to `max` with a tick every `schritt`; min and max are
// multiples of schritt.
struct Achse {
  double min, max, schritt;
};

struct HaighGeometrie {
  Strecke dauer;   // fatigue line, from x = min(0, m) to the threshold x = g
  Strecke fliess;  // yield line, from (g, FK - g) to (FK, 0)
  // Where m lies beyond both g and FK: the yield line carried on below the
  // mean stress axis from (FK, 0) to the permissible point (m, FK - m).
  std::optional<Strecke> jenseits;
  Punkt schwelle;   // the threshold point (g, FK - g)
  Punkt betrieb;    // operating point (m, amplitude)
  Punkt zulaessig;  // permissible point (m, ADK)
  Achse x, y;       // cover the origin and every point above
};

// Why there can be no diagram for `w`, as a German sentence naming the
// value; empty when there can be one. There is none when a value is not
// finite, when WK or FK is not positive, or when the values are too large
// for the axes to be drawn.
std::string KeinDiagramm(const HaighWerte& w, Last last);

// The coordinates of the diagram. Only meaningful where KeinDiagramm is
// empty.
HaighGeometrie Geometrie(const HaighWerte& w);

// The diagram as one <svg> element, or an empty string where KeinDiagramm
// gives a reason. Plain lines, paths and texts; well-formed XML. The numbers of
// its labels, ticks and reasons are in German style (zahl.h).
std::string HaighSvg(const HaighWerte& w, Last last);

}  // namespace wellen::report

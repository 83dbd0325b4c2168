// The drawings of a whole shaft in its report: the shaft to scale (its
// contour as a longitudinal view with the bore dashed, the transition radii
// and the grooves, the bearings, the load elements, the checked sections by
// number, the total length and the bearing distance dimensioned), and per
// load case the loads in the x-y and the x-z plane as arrows with their
// names and values.
//
// Every drawing along the shaft, the diagrams of verlauf.h included, is
// kBildbreite units wide and puts x = 0 and x = L at the same places
// (Laengsmass), so that printed one under the other at the same width they
// share their x scale. Lengths and diameters are drawn to the same scale
// unless the shaft is very slender (or very short and thick); the diameters
// then have a scale of their own, a round multiple of the lengths' scale,
// which the drawing states.
//
// First the shaft becomes coordinates (Wellengeometrie), then an SVG
// element; both pure.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "statik/statik.h"
#include "statik/welle.h"

namespace wellen::report {

// The width of every drawing along the shaft, and the place of the shaft's
// ends in it.
inline constexpr double kBildbreite = 680;
inline constexpr double kBildLinks = 76;
inline constexpr double kBildRechts = 650;

// The x scale of the drawings of a shaft of length L (> 0).
struct Laengsmass {
  double L = 1;
  double sx() const { return (kBildRechts - kBildLinks) / L; }  // units per mm
  double X(double x) const { return kBildLinks + x * sx(); }
};

// The shaft to scale, in the units of the drawing (y downwards, as SVG has
// it). Heights are half heights above the axis: a segment of outer diameter
// D stands ra = D/2 * sy above and below it.
struct Wellengeometrie {
  double sx = 0;            // units per mm along the shaft
  double sy = 0;            // units per mm across it
  // sy / sx: 1 where the diameters are to scale; not a number where no
  // factor can be (length and diameter beyond the range of a double from
  // each other)
  double ueberhoehung = 1;
  double achse = 0;         // y of the axis
  double hoehe = 0;         // height of the drawing

  struct Stufe {
    double x0, x1;  // ends
    double ra, ri;  // outer and bore half height
  };
  std::vector<Stufe> stufen;  // one per segment, left to right

  // The fillet of a shoulder, in the corner on the side of the smaller
  // diameter: its radii across and along (the transition radius r times sx
  // and sy, kept within the step and half the smaller segment).
  struct Rundung {
    double x;       // the face
    double rx, ry;  // drawn radii
    bool rechts;    // in the segment right of the face (a step down)
    double hoehe;   // half height of the smaller segment
  };
  std::vector<Rundung> rundungen;  // one per shoulder, left to right

  struct Nutbild {
    double x;       // middle
    double hoehe;   // half height of its segment
    double tiefe;   // t * sy
    double rx, ry;  // r * sx, r * sy
  };
  std::vector<Nutbild> nuten;  // in the order of the file

  struct Lagerbild {
    double x;  // the bearing's place
    double y;  // where its symbol touches the contour (below the axis)
    bool fest;
  };
  std::vector<Lagerbild> lager;  // fixed, then loose

  // A mark over the contour with its label in a row above: a section's
  // number in a circle, or a load element's name.
  struct Marke {
    std::string text;
    double x;       // the place on the shaft
    double bis_y;   // where its leader ends, on the contour
    double text_x;  // middle of the label
    double text_y;  // middle of the label's circle, or its baseline
  };
  std::vector<Marke> stellen;  // in the order of Stellen()
  std::vector<Marke> lasten;   // every load element once (by place and name)
  // Of each of `lasten`: its place in mm and its name.
  std::vector<std::pair<double, std::string>> lastelemente;
  // The loads are labelled by number ("L1"), not by name: their names would
  // stack in a tower of rows. Loads close together share a number; a
  // legend under the drawing resolves them.
  bool lastnummern = false;

  double mass_lager_y = 0;   // the dimension line of the bearing distance
  double mass_gesamt_y = 0;  // and of the total length
};

// The drawing of a shaft that Pruefe() finds no fault with.
Wellengeometrie Geometrie(const Welle& welle, const std::vector<Stelle>& stellen);

// The drawing as one <svg> element; the scale of the diameters is stated in
// it where it differs from the lengths'.
std::string WellenSvg(const Welle& welle, const std::vector<Stelle>& stellen);

// "Durchmesser 2,5 : 1 zu den Längen", "Durchmesser nicht maßstäblich", or
// empty where the diameters are to the lengths' scale.
std::string Durchmessermassstab(const Wellengeometrie& g);

// A load case as the report names it: "Lastfall 2: Anfahren", or
// "Lastfall 1" where that is its name or it has none.
std::string Lastfallname(const Welle& welle, std::size_t lastfall);

enum class Ebene { kXY, kXZ };

// The loads of load case `lastfall` in one plane as a free body: the shaft
// as a line, the bearings with their reactions (means, and amplitudes where
// there are any), every load element with a force or point moment in that
// plane, or an axial force, as an arrow with its name and values.
std::string LastSvg(const Welle& welle, std::size_t lastfall, const Lastfallergebnis& ergebnis,
                    Ebene ebene);

}  // namespace wellen::report

// A whole shaft, described once: its contour, its grooves, its two bearings,
// its material and its load cases.
//
// Lengths in mm, forces in N, moments and torques in N m, stresses in N/mm^2,
// roughness in micrometres. The x axis runs along the shaft from its left end
// (x = 0); y and z are the two transverse axes.
//
// The model knows no file format: a front end fills a Welle, asks Pruefe()
// what is wrong with it, and computes it only when nothing is (statik.h).
// Every member has a default, so that designated initializers need name
// only what they set: Nut{.x = 95, .t = 1.25, .r = 0.2}.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "eingabewerte.h"

namespace wellen {

enum class Wellenart {
  kUmlaufend,  // rotating shaft: every fibre sees reversed bending
  kStehend,    // non-rotating shaft or axle
};

enum class Lagerart {
  kFest,  // fixed bearing: takes the axial force
  kLos,   // loose bearing: radial forces only
};

// One cylinder of the contour; the contour runs from left to right.
struct Abschnitt {
  double l = 0;   // length, > 0
  double D = 0;   // outer diameter, > 0
  double di = 0;  // bore, 0 <= di < D
  // The transition at the segment's left end, where the diameter changes
  // from the segment before: its radius (required there, and only there)
  // and its roughness (default: Welle::Rz).
  std::optional<double> r{};
  std::optional<double> Rz{};

  friend bool operator==(const Abschnitt&, const Abschnitt&) = default;
};

// A round groove in one segment.
struct Nut {
  double x = 0;                // its middle
  double t = 0;                // depth, > 0
  double r = 0;                // radius, > 0
  std::optional<double> Rz{};  // default: Welle::Rz

  friend bool operator==(const Nut&, const Nut&) = default;
};

struct Lager {
  double x = 0;
  Lagerart art = Lagerart::kFest;

  friend bool operator==(const Lager&, const Lager&) = default;
};

// A load element on the axis at x: a gear, a pulley, a coupling (not
// "Last", which names the load stages in load.h). Each value is a mean; the
// same name with the suffix _a in the file is its amplitude. Amplitudes
// carry signs like the means: they form a set of loads of their own.
struct Lastelement {
  double x = 0;
  std::string name{};
  double Fx = 0;   // axial force, positive towards +x
  double Fy = 0;   // transverse force in the x-y plane
  double Fz = 0;   // transverse force in the x-z plane
  double Mby = 0;  // point bending moment in the x-y plane: raises Mxy to its right by this
  double Mbz = 0;  // the same in the x-z plane
  double T = 0;    // torque brought in; the torques of a load case add up to zero
  double Fx_a = 0, Fy_a = 0, Fz_a = 0, Mby_a = 0, Mbz_a = 0, T_a = 0;  // amplitudes

  friend bool operator==(const Lastelement&, const Lastelement&) = default;
};

struct Lastfall {
  std::string name{};
  std::vector<Lastelement> lasten{};

  friend bool operator==(const Lastfall&, const Lastfall&) = default;
};

struct Welle {
  std::string name;  // may be empty
  Wellenart art = Wellenart::kUmlaufend;
  double E = 210000;           // elastic modulus [N/mm^2]
  std::optional<double> deff;  // default: the largest outer diameter
  // Roughness of every notch not given its own; default: DefaultEingabewerte().Rz.
  std::optional<double> Rz;
  std::string werkstoff_name;  // may be empty
  // The material and the choices of the check: SigB, SigS, SigzdW, SigbW,
  // TautW, K1Fall, harteRandschicht and KV are taken from here; the
  // stresses, the geometry, Kerbfall and Hohlwelle of each section come from
  // the shaft.
  Eingabewerte werkstoff = DefaultEingabewerte();
  // Notes that every section carries, such as the material values that took
  // the default ("Vorgabewert verwendet: SigB 1100").
  std::vector<std::string> hinweise;

  std::vector<Abschnitt> abschnitte;
  std::vector<Nut> nuten;
  std::vector<Lager> lager;
  std::vector<Lastfall> lastfaelle;

  friend bool operator==(const Welle&, const Welle&) = default;
};

// Where in a Welle a fault lies, so that a front end can point at the place
// in its file: the element's kind, its index (for a load also the index of
// its load case), and the key of the value at fault. kWelle with the key
// "abschnitt", "lager" or "lastfall" is about that array as a whole (none,
// or not two bearings); kWerkstoff names a field of Welle::werkstoff.
struct Fehler {
  enum class Ort { kWelle, kAbschnitt, kNut, kLager, kLastfall, kLast, kWerkstoff };
  Ort ort = Ort::kWelle;
  std::size_t index = 0;     // in abschnitte, nuten, lager or lastfaelle
  std::size_t lastfall = 0;  // for kLast: the load case; index is then the load's
  std::string schluessel;    // "D", "r", "x", "T", ...
  std::string text;          // German, without the place: "Bohrung nicht kleiner als D"
};

// Everything that makes a shaft impossible to compute, in the order of the
// shaft's own values, the material, the segments, the grooves, the bearings
// and the load cases:
// - a value that is not finite; an E that is not positive; a deff given
//   that is not positive; a K1Fall outside 1 to 4 or a harteRandschicht
//   other than 0 or 1;
// - no segment; a length or diameter that is not positive, a bore that is
//   negative or not below its diameter; a diameter change without a positive
//   r, or an r or Rz where the diameter does not change (the first segment
//   has no transition); a total length that is not finite;
// - a groove depth or radius that is not positive; a groove whose middle is
//   not inside one segment, or nearer than its radius to the segment's
//   ends, or whose depth reaches the bore (or the axis);
// - not exactly two bearings, one of each kind, at different places;
// - a bearing or load outside 0 to the total length;
// - no load case; the torques (means, and amplitudes) of a load case that do
//   not add up to zero within 1e-9 of the largest torque.
// Empty when the shaft can be computed.
std::vector<Fehler> Pruefe(const Welle& welle);

// The total length: the sum of the segments' lengths.
double Gesamtlaenge(const Welle& welle);

// The segment boundaries from the left end: 0, l1, l1 + l2, ..., the total
// length (one more than there are segments). The sections and the model put
// the shoulders at exactly these values.
std::vector<double> Grenzen(const Welle& welle);

// Where the model puts a load or bearing given at x: on the segment boundary
// or groove middle nearest to x where that lies within 1e-9 of the total
// length, otherwise at x. A load given at 30.3 thus sits on the boundary of
// two segments of 10.1 and 20.2 mm, whose sum is 30.299999999999997, and its
// jumps count at that section.
double Lage(const Welle& welle, double x);

}  // namespace wellen

// What follows from a shaft (welle.h): the sections to check, the bearing
// reactions and internal forces of each load case, the deflection, and the
// check of every section in every load case.
//
// For a front end:
// - Fill a Welle, call Pruefe() and show every Fehler (each names its
//   element, index and key); compute only when there is none. Berechne() and
//   Kurven() return nothing for a shaft with faults.
// - Berechne() gives, per load case in the shaft's order, the reactions, the
//   largest deflection with its x, the slopes at both bearings, and one
//   Stellennachweis per section in the order of Wellenergebnis::stellen.
//   Stellennachweis::lasten are the columns Fm Fa Mbm Mba Tm Ta di of the
//   check, ::e its 22 inputs, ::n its page values, ::hinweise its notes
//   (join them with kHinweisTrenner of hinweise.h); the verdict is the
//   calculation's (urteil.h) on n.
// - Stelle::e.Kerbfall tells a shoulder (kAbsatz) from a groove (kRundnut);
//   e.D and e.d are its diameters; Stelle::quelle is the index of the
//   segment (a shoulder sits at that segment's left end) or of the groove.
// - A load or bearing within 1e-9 of the total length of a segment boundary
//   or groove middle is taken as sitting there (Lage() in welle.h).
// - Units: N, N m, mm; deflections in mm; slopes in rad (times 1000 for
//   mrad). Kurven() gives the curves for --curves, one call per load case.
//
// Pure: no input, no output, no state. Units as in welle.h.
//
// Statics. In each plane the two bearing reactions follow from force and
// moment equilibrium (overhanging loads allowed); the fixed bearing takes
// R_x = -sum Fx. At a point x, with sums over the loads and reactions left
// of x:
//   Mxy(x) = sum Fy_i (x - x_i) / 1000 + sum Mby_i,  Mxz likewise with Fz, Mbz;
//   Mb = sqrt(Mxy^2 + Mxz^2);  T(x) = sum T_i;  N(x) = -sum Fx_i (tension
//   positive);  Qy(x) = sum Fy_i,  Qz(x) = sum Fz_i.
// The means and the amplitudes of a load case are two sets of loads, each
// solved on its own.
//
// Deflection, from the means: in each plane w'' = M / (E I(x)), M in N mm,
// I = pi (D^4 - di^4) / 64 of the segment at x (grooves and radii neglected
// for the stiffness, no shear deformation), w = 0 at both bearings, w and w'
// continuous. M is linear between load points and I constant in a segment,
// so w is a cubic on each piece between segment boundaries, loads and
// bearings, and is integrated exactly, without a step size.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "eingabewerte.h"
#include "nachweis.h"
#include "schnittlasten.h"
#include "welle.h"

namespace wellen {

// A section to check. Every diameter change is a shoulder (Kerbfall 2) at
// the segment boundary: D the larger and d the smaller outer diameter,
// t = (D - d)/2, r and Rz from the transition, the bore of the segment with
// the smaller outer diameter. Every groove is a round groove (Kerbfall 1):
// D its segment's diameter, d = D - 2t, that segment's bore. Hohlwelle is 1
// where the bore is positive; deff (Welle::deff, or the largest outer
// diameter) and the material come from the shaft; Rz from the transition or
// groove, else Welle::Rz, else the record's default.
struct Stelle {
  int nummer = 0;  // 1, 2, ... in order of x
  double x = 0;
  double di = 0;  // the bore of the section
  // A shoulder: the index of the segment at whose left end it sits; a
  // groove: its index in Welle::nuten.
  std::size_t quelle = 0;
  // The section's input record without loads: geometry, Kerbfall,
  // Hohlwelle, deff and the material; the six stresses 0.
  Eingabewerte e{};
};

// The sections of a shaft in order of x (a groove and a shoulder at the same
// x: the shoulder first).
std::vector<Stelle> Stellen(const Welle& welle);

// The internal forces at a point, on one side of it.
struct Schnittgroessen {
  double Qy = 0, Qz = 0;    // transverse forces [N]
  double Mxy = 0, Mxz = 0;  // bending moments [N m]
  double Mb = 0;            // resultant bending moment [N m]
  double T = 0;             // torque [N m]
  double N = 0;             // axial force [N], tension positive

  friend bool operator==(const Schnittgroessen&, const Schnittgroessen&) = default;
};

// The force a bearing takes from one set of loads.
struct Lagerkraft {
  double Fx = 0, Fy = 0, Fz = 0;
  double Fr = 0;  // radial: sqrt(Fy^2 + Fz^2)
};

// One set of loads in equilibrium: the given loads and the two reactions.
class Lastsatz {
 public:
  // The means (amplitude = false) or the amplitudes of `lastfall`.
  Lastsatz(const Welle& welle, const Lastfall& lastfall, bool amplitude);

  const Lagerkraft& fest() const { return fest_; }
  const Lagerkraft& los() const { return los_; }
  // Where the model puts the bearings (Lage() of their x).
  double lage_fest() const { return lage_fest_; }
  double lage_los() const { return lage_los_; }

  // The internal forces just left of x (loads at x not counted) and just
  // right of it (counted).
  Schnittgroessen Links(double x) const;
  Schnittgroessen Rechts(double x) const;

  // A load or reaction as a point on the axis.
  struct Punktlast {
    double x, Fx, Fy, Fz, Mby, Mbz, T;
  };
  // Every load and both reactions, in order of x (at Lage() of the given x).
  const std::vector<Punktlast>& punkte() const { return punkte_; }

 private:
  Schnittgroessen Summe(double x, bool mit_x) const;

  Lagerkraft fest_, los_;
  double lage_fest_ = 0, lage_los_ = 0;
  std::vector<Punktlast> punkte_;
};

// The deflection line of one set of loads: a cubic in each plane on every
// piece between neighbouring segment boundaries, loads and bearings.
class Biegelinie {
 public:
  Biegelinie(const Welle& welle, const Lastsatz& lasten);
  // Deflections [mm] in the two planes and their resultant, for 0 <= x <= L.
  double wy(double x) const;
  double wz(double x) const;
  double w(double x) const;
  // The slope [rad] in the two planes and the resultant sqrt(wy'^2 + wz'^2).
  double NeigungY(double x) const;
  double NeigungZ(double x) const;
  double Neigung(double x) const;

  // The largest resultant deflection and where it occurs (the smallest such
  // x); found on each piece from the roots of the derivative of wy^2 + wz^2,
  // so exact to the rounding of the arithmetic.
  struct Groesstwert {
    double w = 0;
    double x = 0;
  };
  Groesstwert Maximum() const;

 private:
  // w(x) = c[0] + c[1] u + c[2] u^2 + c[3] u^3 with u = x - x0, x0 <= x <= x0 + h.
  struct Stueck {
    double x0 = 0, h = 0;
    std::array<double, 4> y{}, z{};
  };
  const Stueck& Bei(double x) const;

  std::vector<Stueck> stuecke_;
};

// One section checked in one load case.
struct Stellennachweis {
  // Per quantity the side of x where its magnitude is larger (where a load
  // or bearing sits exactly at the section): Mb of the means, Mb of the
  // amplitudes, T, T_a, N and N_a each on its own; of two sides of equal
  // magnitude and opposite sign the positive one (tension).
  double Mb = 0, Mb_a = 0, T = 0, T_a = 0, N = 0, N_a = 0;
  // The section loads of the check: rotating, Mbm = 0 and Mba = Mb + Mb_a;
  // non-rotating, Mbm = Mb and Mba = Mb_a; always Tm = |T|, Ta = |T_a|,
  // Fm = N with its sign, Fa = |N_a|; di the section's bore. All seven set.
  Schnittlasten lasten;
  Eingabewerte e{};                   // the section's record with the nominal stresses of `lasten`
  Nachweis n{};                       // the check of e
  std::vector<std::string> hinweise;  // the notes of the check, then Welle::hinweise
};

struct Lastfallergebnis {
  std::string name;
  Lagerkraft fest, los;                  // reactions to the means
  Lagerkraft fest_a, los_a;              // reactions to the amplitudes
  double w_max = 0;                      // largest deflection of the means [mm]
  double x_w_max = 0;                    // where it occurs
  double neigung_fest = 0;               // resultant slope at the fixed bearing [rad]
  double neigung_los = 0;                // resultant slope at the loose bearing [rad]
  std::vector<Stellennachweis> stellen;  // in the order of Stellen()
};

struct Wellenergebnis {
  std::vector<Stelle> stellen;
  std::vector<Lastfallergebnis> lastfaelle;  // in the order of the shaft's load cases
};

// The record that the check of `stelle` takes under the section loads
// `lasten`: the section's record with the nominal stresses of the loads at
// its d, with the bore of the section (lasten.di is set to stelle.di).
Eingabewerte Stellenwerte(const Stelle& stelle, Schnittlasten lasten);

// The whole computation; empty for a shaft that Pruefe() finds fault with.
Wellenergebnis Berechne(const Welle& welle);

// One point of the curves along the shaft for one load case.
struct Kurvenpunkt {
  double x = 0;
  Schnittgroessen mittel;             // of the means
  double Mb_a = 0, T_a = 0, N_a = 0;  // of the amplitudes
  double wy = 0, wz = 0, w = 0;       // deflection of the means [mm]
};

// The curves of load case `lastfall`: a point at every segment boundary,
// groove, bearing and load (two points, left then right, where a value
// jumps), one where the deflection of the means is largest
// (Biegelinie::Maximum, so that the curves reach Lastfallergebnis::w_max),
// and the `gleichmaessig` + 1 points x = L k / gleichmaessig
// (k = 0 ... gleichmaessig; one of them that falls on such a place is that
// place's point), in order of x. Empty for a shaft that Pruefe() finds fault
// with, or a load case it does not have.
std::vector<Kurvenpunkt> Kurven(const Welle& welle, std::size_t lastfall,
                                std::size_t gleichmaessig = 200);

}  // namespace wellen

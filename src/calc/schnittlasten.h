// Section loads at a notch, and the nominal stresses they set.
//
// A shaft calculation gives, at each notch, the axial force, the bending
// moment and the torque, each as a mean and an amplitude; the check wants
// nominal stresses. These are the stresses of the net section at the notch
// root, of diameter d, hollow where a bore di is given:
//   sigma_zd = F / A,         A  = pi (d^2 - di^2) / 4
//   sigma_b  = 1000 Mb / Wb,  Wb = pi (d^4 - di^4) / (32 d)
//   tau_t    = 1000 T / Wt,   Wt = pi (d^4 - di^4) / (16 d)
// with F in N, Mb and T in N m, lengths in mm, stresses in N/mm^2.
//
// Pure: no input, no output, no state. Nothing is validated; a d of zero or
// a bore not below d give infinities or not-a-number values, as the check
// itself does with such input.
#pragma once

#include <optional>

#include "eingabewerte.h"

namespace wellen {

// What a case gives of section loads, and the bore of its section. A load
// not given leaves its stress as it is.
struct Schnittlasten {
  std::optional<double> Fm, Fa;    // axial force, mean and amplitude [N]; tension positive
  std::optional<double> Mbm, Mba;  // bending moment [N m]
  std::optional<double> Tm, Ta;    // torque [N m]
  std::optional<double> di;        // bore [mm]; 0 when not given

  bool AnyLoad() const { return Fm || Fa || Mbm || Mba || Tm || Ta; }
  friend bool operator==(const Schnittlasten&, const Schnittlasten&) = default;
};

// The nominal stress of one load at the net diameter d with the bore di
// (both in mm).
double AxialStress(double F, double d, double di);
double BendingStress(double Mb, double d, double di);
double TorsionStress(double T, double d, double di);

// `e` with the stress of every load that `lasten` gives set from that load,
// at e.d and the bore lasten.di (0 when not given): Fm sets Sigzdm, Fa
// Sigzda, Mbm Sigbm, Mba Sigba, Tm Tautm, Ta Tauta. Every other field is
// kept.
Eingabewerte SpannungenAusLasten(Eingabewerte e, const Schnittlasten& lasten);

}  // namespace wellen

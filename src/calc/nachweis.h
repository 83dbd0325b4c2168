// The whole strength check of one notch (DIN 743-1 to -3): every quantity of
// the method, computed from the input record alone.
//
// Calculate() is pure: it reads the record, allocates nothing, keeps no state
// and does no input or output, so any number of checks may run side by side.
// No input is validated; division by zero, the logarithm of a non-positive
// number or the root of a negative one give infinities or not-a-number values
// under IEEE arithmetic, which are carried on to the safety factors.
#pragma once

#include <optional>

#include "eingabewerte.h"

namespace wellen {

// The notch chain of one load type, from the stress concentration factor to
// the total influence factor.
struct Laststufe {
  double alpha;                 // stress concentration factor
  std::optional<double> phi;    // shoulder term of G'; tension and bending only
  double Gs;                    // related stress gradient G' [1/mm]
  std::optional<double> SigSd;  // yield strength at size [N/mm^2]; without hard layer only
  double n;                     // support number
  double beta;                  // notch factor
  std::optional<double> maxAB;  // larger of alpha and beta; tension and bending only
  double gamF;                  // yield increase factor: gamFz, gamFb, gamFt
  double K2;                    // geometric size factor
  double SigBd;                 // tensile strength at size [N/mm^2]
  double KFs;                   // roughness factor for normal stress
  double KF;                    // roughness factor used: KFs, or KFtTor for torsion
  double K;                     // total influence factor: KsZug, KsBie, KtTor
};

// Every quantity of one check. Stresses and strengths in N/mm^2.
struct Nachweis {
  double K1;  // technological size factor

  Laststufe Zug;  // tension/compression
  Laststufe Bie;  // bending
  Laststufe Tor;  // torsion

  double Sigmv, Taumv;  // equivalent mean stresses

  double SigzdWK, SigbWK, TautWK;   // component fatigue limits
  double psizdsK, psibsK, psitauK;  // mean stress sensitivities
  double K2Fz, K2Fb, K2Ft;          // static support factors
  double SigzdFK, SigbFK, TautFK;   // component yield strengths

  // The case test: the threshold g of the equivalent mean stress where the
  // fatigue line meets the yield line, and whether g >= m.
  double gZug, gBie, gTor;
  bool BedZug, BedBie, BedTor;

  double SigzdADK, SigbADK, TautADK;  // permissible amplitudes of the component

  double SDauerbruch;    // safety factor against fatigue fracture
  double SFliessgrenze;  // safety factor against yielding
};

// Runs the check on `e`, stage by stage in the method's order: K1; the notch
// chain for tension, bending and torsion; the equivalent mean stresses; the
// component fatigue limits, mean stress sensitivities and static support
// factors; the component yield strengths and the case test; the permissible
// amplitudes and the two safety factors.
//
// A K1Fall outside 1 to 4 gives a K1 that is not a number, a flag pair
// outside 0 and 1 static support factors that are not numbers, and a
// Kerbfall other than 1 or 2 not-a-number stress concentration factors.
Nachweis Calculate(const Eingabewerte& e);

}  // namespace wellen

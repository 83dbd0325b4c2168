// From stress concentration to notch factor (DIN 743-2): related stress
// gradient G', support number n, notch factor beta, and the yield increase
// factor gamma_F that the component yield strengths use.
#pragma once

#include "load.h"

namespace wellen {

// Shoulder term phi of the stress gradient (tension and bending only).
//   phi = 0                          if d/D <= 0.67, else if r <= 0,
//   phi = 1 / (4*sqrt(t/r) + 2)      otherwise.
// A nan d/D fails the first test; a nan r fails the second and reaches the
// formula. phi jumps from 0 to its full value just above d/D = 0.67.
double Phi(double D, double d, double r, double t);

// Related stress gradient G' [1/mm]:
//   Rundnut: 2.0*(1+phi)/r for Zug and Bie, 1/r for Tor;
//   Absatz:  2.3*(1+phi)/r for Zug and Bie, 1.15/r for Tor (phi unused).
// r = 0 gives inf; another Kerbfall gives nan.
double Gs(int Kerbfall, Last last, double phi, double r);

// Yield strength at size [N/mm^2]: SigSd = SigS * K1.
double SigSd(double SigS, double K1);

// Support number without hard surface layer:
//   n = 1 + sqrt(G') * 10^-(SigSd/712 + 0.33).
double SupportNumber(double Gs, double SigSd);

// Support number with hard surface layer: n = 1 + sqrt(G') * 10^-0.7.
double SupportNumberHardLayer(double Gs);

// Notch factor beta = alpha / n.
double Beta(double alpha, double n);

// The larger of alpha and beta: beta only if beta > alpha (ties and nan
// comparisons take alpha).
double MaxAB(double alpha, double beta);

// Yield increase factor from maxAB, by four separate tests:
//   1 below 1.5; 1.05 from 1.5; 1.1 from 2; 1.15 from 3 (and for nan).
double GamF(double maxAB);

}  // namespace wellen

// Stress concentration factor alpha of a round groove or a shoulder
// (DIN 743-2): elastic peak stress over nominal stress.
#pragma once

#include "load.h"

namespace wellen {

// alpha = 1 + 1 / sqrt(A), with w = (1 + 2*r/d)^2 and the radicand A:
//   Rundnut  Zug  0.22*r/t + 2.74*r/d*w
//            Bie  0.2*r/t  + 5.5*r/d*w
//            Tor  0.7*r/t  + 20.6*r/d*w
//   Absatz   Zug  0.62*r/t + 7*r/d*w
//            Bie  0.62*r/t + 11.6*r/d*w + 0.2*(r/t)^3*d/D
//            Tor  3.4*r/t  + 38*r/d*w   + (r/t)^2*d/D
// Products are taken left to right as written; powers by pow().
// Given: Kerbfall 1 or 2, diameters D, d, radius r, depth t [mm].
// A zero radicand (r = 0) gives inf, a negative one nan; another Kerbfall nan.
double Alpha(int Kerbfall, Last last, double D, double d, double r, double t);

}  // namespace wellen

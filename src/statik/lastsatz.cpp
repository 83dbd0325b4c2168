// Statics of one set of loads: the bearing reactions from equilibrium, and
// the internal forces at any point as sums over what lies left of it.
#include <algorithm>
#include <cmath>
#include <limits>

#include "statik.h"

namespace wellen {
namespace {

// Orders places with a value that is not a number last, so that sorting
// stays well defined for a shaft that was never checked.
double Ordnung(double x) { return std::isnan(x) ? std::numeric_limits<double>::infinity() : x; }

// sqrt(a^2 + b^2), as the resultants are defined (std::hypot, which guards
// against overflow far beyond any load, costs several times as much).
double Resultierende(double a, double b) { return std::sqrt(a * a + b * b); }

}  // namespace

Lastsatz::Lastsatz(const Welle& welle, const Lastfall& lastfall, bool amplitude) {
  // The bearings: the fixed one and the loose one (for a shaft that was not
  // checked, whatever there is, and the ends where there is nothing).
  const std::vector<Lager>& lager = welle.lager;
  const auto festlager = std::find_if(lager.begin(), lager.end(),
                                      [](const Lager& l) { return l.art == Lagerart::kFest; });
  const auto loslager = std::find_if(lager.begin(), lager.end(),
                                     [](const Lager& l) { return l.art == Lagerart::kLos; });
  lage_fest_ = Lage(welle, festlager != lager.end() ? festlager->x : 0.0);
  lage_los_ = Lage(welle, loslager != lager.end() ? loslager->x : Gesamtlaenge(welle));
  const double a = lage_fest_;
  const double b = lage_los_;

  punkte_.reserve(lastfall.lasten.size() + 2);
  // Sums of the loads: forces [N], point moments [N m], and the moments of
  // the transverse forces about the fixed bearing [N mm].
  double Fx = 0, Fy = 0, Fz = 0, Mby = 0, Mbz = 0, Fy_hebel = 0, Fz_hebel = 0;
  for (const Lastelement& l : lastfall.lasten) {
    const Punktlast p =
        amplitude ? Punktlast{Lage(welle, l.x), l.Fx_a, l.Fy_a, l.Fz_a, l.Mby_a, l.Mbz_a, l.T_a}
                  : Punktlast{Lage(welle, l.x), l.Fx, l.Fy, l.Fz, l.Mby, l.Mbz, l.T};
    punkte_.push_back(p);
    Fx += p.Fx;
    Fy += p.Fy;
    Fz += p.Fz;
    Mby += p.Mby;
    Mbz += p.Mbz;
    Fy_hebel += p.Fy * (p.x - a);
    Fz_hebel += p.Fz * (p.x - a);
  }

  // Moments about the fixed bearing: R_los (b - a) + sum F_i (x_i - a) =
  // 1000 sum Mb_i, so that the moment vanishes beyond both ends; then the
  // forces. Adding 0.0 turns a negative zero into zero.
  los_.Fy = (1000 * Mby - Fy_hebel) / (b - a) + 0.0;
  los_.Fz = (1000 * Mbz - Fz_hebel) / (b - a) + 0.0;
  fest_.Fy = 0.0 - Fy - los_.Fy;
  fest_.Fz = 0.0 - Fz - los_.Fz;
  fest_.Fx = 0.0 - Fx;
  los_.Fx = 0;
  fest_.Fr = Resultierende(fest_.Fy, fest_.Fz);
  los_.Fr = Resultierende(los_.Fy, los_.Fz);

  punkte_.push_back(Punktlast{a, fest_.Fx, fest_.Fy, fest_.Fz, 0, 0, 0});
  punkte_.push_back(Punktlast{b, los_.Fx, los_.Fy, los_.Fz, 0, 0, 0});
  std::stable_sort(punkte_.begin(), punkte_.end(), [](const Punktlast& p, const Punktlast& q) {
    return Ordnung(p.x) < Ordnung(q.x);
  });
}

Schnittgroessen Lastsatz::Summe(double x, bool mit_x) const {
  Schnittgroessen s;
  double Fx = 0;
  for (const Punktlast& p : punkte_) {
    if (mit_x ? !(p.x <= x) : !(p.x < x)) break;
    s.Qy += p.Fy;
    s.Qz += p.Fz;
    s.Mxy += p.Fy * (x - p.x) / 1000 + p.Mby;
    s.Mxz += p.Fz * (x - p.x) / 1000 + p.Mbz;
    s.T += p.T;
    Fx += p.Fx;
  }
  s.Mb = Resultierende(s.Mxy, s.Mxz);
  s.N = 0.0 - Fx;
  return s;
}

Schnittgroessen Lastsatz::Links(double x) const { return Summe(x, false); }

Schnittgroessen Lastsatz::Rechts(double x) const { return Summe(x, true); }

}  // namespace wellen

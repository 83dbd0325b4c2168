// The deflection line, integrated exactly.
//
// Between neighbouring segment boundaries, loads and bearings the bending
// moment is linear, M(u) = M0 + Q u (M in N mm, Q in N, u = x - x0), and
// E I is constant, so w'' = M / (E I) integrates to the cubic
//   w(u) = w0 + w0' u + M0 u^2 / (2 E I) + Q u^3 / (6 E I).
// Starting from w = w' = 0 at x = 0 and carrying w and w' from piece to
// piece gives one solution; the line a + b x added to it puts w = 0 at
// both bearings.
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "statik.h"

namespace wellen {
namespace {

// ---------------------------------------------------------------------------
// Real roots of a polynomial of degree up to 5 in [0, 1].

constexpr int kGradMax = 5;

struct Polynom {
  std::array<double, kGradMax + 2> a{};  // a[k] t^k; one spare place
  int n = 0;                             // degree
};

// The value and the derivative at t (Horner).
void Werte(const Polynom& p, double t, double& wert, double& ableitung) {
  wert = p.a[static_cast<std::size_t>(p.n)];
  ableitung = 0;
  for (int k = p.n - 1; k >= 0; --k) {
    ableitung = ableitung * t + wert;
    wert = wert * t + p.a[static_cast<std::size_t>(k)];
  }
}

double Wert(const Polynom& p, double t) {
  double wert = 0, ableitung = 0;
  Werte(p, t, wert, ableitung);
  return wert;
}

// The root of p in [lo, hi], where p is monotonic and p(lo) has the sign
// opposite to p(hi): Newton's method kept inside a shrinking bracket,
// bisection where a step would leave it. Ends when the bracket cannot
// shrink any more.
double WurzelImIntervall(const Polynom& p, double lo, double hi, double p_lo) {
  constexpr int kSchritteMax = 200;  // bisection alone needs some 60 in [0, 1]
  const bool lo_negativ = p_lo < 0;
  double t = 0.5 * (lo + hi);
  for (int schritt = 0; schritt < kSchritteMax; ++schritt) {
    double wert = 0, ableitung = 0;
    Werte(p, t, wert, ableitung);
    if (wert == 0) return t;
    if ((wert < 0) == lo_negativ) {
      lo = t;
    } else {
      hi = t;
    }
    const double mitte = 0.5 * (lo + hi);
    if (!(mitte > lo && mitte < hi)) break;  // lo and hi are neighbours
    double neu = ableitung != 0 ? t - wert / ableitung : mitte;
    if (!(neu > lo && neu < hi)) neu = mitte;
    if (neu == t) break;
    t = neu;
  }
  return t;
}

// The distinct real roots of p in [0, 1] in ascending order; returns their
// number. Between the roots of the derivative p is monotonic, so each of
// those intervals holds at most one root, found by WurzelImIntervall.
int Wurzeln(Polynom p, std::array<double, kGradMax + 2>& wurzeln) {
  while (p.n > 0 && p.a[static_cast<std::size_t>(p.n)] == 0) --p.n;
  if (p.n == 0) return 0;  // a constant: no isolated roots
  if (p.n == 1) {
    const double t = -p.a[0] / p.a[1];
    if (!(t >= 0 && t <= 1)) return 0;
    wurzeln[0] = t;
    return 1;
  }
  Polynom ableitung;
  ableitung.n = p.n - 1;
  for (int k = 0; k < p.n; ++k) {
    const auto i = static_cast<std::size_t>(k);
    ableitung.a[i] = (k + 1) * p.a[i + 1];
  }
  std::array<double, kGradMax + 2> kritisch{};
  const int m = Wurzeln(ableitung, kritisch);

  int anzahl = 0;
  const auto neu = [&](double t) {
    if (anzahl > 0 && wurzeln[static_cast<std::size_t>(anzahl) - 1] == t) return;
    if (anzahl < static_cast<int>(wurzeln.size())) wurzeln[static_cast<std::size_t>(anzahl++)] = t;
  };
  double lo = 0;
  double p_lo = Wert(p, lo);
  for (int i = 0; i <= m; ++i) {
    const double hi = i < m ? kritisch[static_cast<std::size_t>(i)] : 1.0;
    const double p_hi = Wert(p, hi);
    if (p_lo == 0) {
      neu(lo);
    } else if (p_hi != 0 && (p_lo < 0) != (p_hi < 0)) {
      neu(WurzelImIntervall(p, lo, hi, p_lo));
    }
    lo = hi;
    p_lo = p_hi;
  }
  if (p_lo == 0) neu(lo);
  return anzahl;
}

// An upper bound of p on [0, 1]: the largest of its Bernstein coefficients.
double Schranke(const Polynom& p) {
  // Binomial coefficients up to degree 6.
  constexpr std::array<std::array<double, 7>, 7> kBinom = {{
      {1, 0, 0, 0, 0, 0, 0},
      {1, 1, 0, 0, 0, 0, 0},
      {1, 2, 1, 0, 0, 0, 0},
      {1, 3, 3, 1, 0, 0, 0},
      {1, 4, 6, 4, 1, 0, 0},
      {1, 5, 10, 10, 5, 1, 0},
      {1, 6, 15, 20, 15, 6, 1},
  }};
  const auto n = static_cast<std::size_t>(p.n);
  double schranke = -std::numeric_limits<double>::infinity();
  for (std::size_t j = 0; j <= n; ++j) {
    double b = 0;
    for (std::size_t k = 0; k <= j; ++k) b += kBinom[j][k] / kBinom[n][k] * p.a[k];
    schranke = std::max(schranke, b);
  }
  return schranke;
}

double Kubisch(const std::array<double, 4>& c, double u) {
  return c[0] + u * (c[1] + u * (c[2] + u * c[3]));
}

double KubischAbleitung(const std::array<double, 4>& c, double u) {
  return c[1] + u * (2 * c[2] + u * 3 * c[3]);
}

}  // namespace

Biegelinie::Biegelinie(const Welle& welle, const Lastsatz& lasten) {
  const std::vector<double> grenzen = Grenzen(welle);
  // No line for a contour that Pruefe() refuses to place anything on.
  if (grenzen.size() < 2 ||
      !std::all_of(grenzen.begin(), grenzen.end(), [](double x) { return std::isfinite(x); })) {
    return;
  }

  // The pieces: between segment boundaries, loads and bearings on the shaft.
  std::vector<double> orte = grenzen;
  for (const Lastsatz::Punktlast& p : lasten.punkte()) {
    if (p.x > grenzen.front() && p.x < grenzen.back()) orte.push_back(p.x);
  }
  std::sort(orte.begin(), orte.end());
  orte.erase(std::unique(orte.begin(), orte.end()), orte.end());

  stuecke_.reserve(orte.size() - 1);
  std::size_t abschnitt = 0;
  // w and w' at the start of the piece.
  double y0 = 0, y0_strich = 0, z0 = 0, z0_strich = 0;
  for (std::size_t i = 0; i + 1 < orte.size(); ++i) {
    const double x0 = orte[i];
    const double h = orte[i + 1] - x0;
    while (abschnitt + 1 < welle.abschnitte.size() && grenzen[abschnitt + 1] <= x0) ++abschnitt;
    const Abschnitt& a = welle.abschnitte[abschnitt];
    const double D2 = a.D * a.D, di2 = a.di * a.di;
    const double EI = welle.E * std::numbers::pi * (D2 * D2 - di2 * di2) / 64;

    const Schnittgroessen s = lasten.Rechts(x0);
    Stueck st;
    st.x0 = x0;
    st.h = h;
    st.y = {y0, y0_strich, 1000 * s.Mxy / (2 * EI), s.Qy / (6 * EI)};
    st.z = {z0, z0_strich, 1000 * s.Mxz / (2 * EI), s.Qz / (6 * EI)};
    y0 = Kubisch(st.y, h);
    y0_strich = KubischAbleitung(st.y, h);
    z0 = Kubisch(st.z, h);
    z0_strich = KubischAbleitung(st.z, h);
    stuecke_.push_back(st);
  }

  // The line that puts w = 0 at both bearings, added in the form
  // w(x) - w(a) + (x - a) b, exact at the bearing a.
  const double a = lasten.lage_fest();
  const double b = lasten.lage_los();
  const double wy_a = wy(a), wz_a = wz(a);
  const double by = -(wy(b) - wy_a) / (b - a);
  const double bz = -(wz(b) - wz_a) / (b - a);
  for (Stueck& st : stuecke_) {
    st.y[0] = (st.y[0] - wy_a) + (st.x0 - a) * by;
    st.y[1] += by;
    st.z[0] = (st.z[0] - wz_a) + (st.x0 - a) * bz;
    st.z[1] += bz;
  }
}

const Biegelinie::Stueck& Biegelinie::Bei(double x) const {
  // The last piece that starts at or before x; the first for x before it.
  const auto it = std::upper_bound(stuecke_.begin(), stuecke_.end(), x,
                                   [](double v, const Stueck& st) { return v < st.x0; });
  return it == stuecke_.begin() ? stuecke_.front() : *(it - 1);
}

double Biegelinie::wy(double x) const {
  if (stuecke_.empty()) return 0;
  const Stueck& st = Bei(x);
  return Kubisch(st.y, x - st.x0);
}

double Biegelinie::wz(double x) const {
  if (stuecke_.empty()) return 0;
  const Stueck& st = Bei(x);
  return Kubisch(st.z, x - st.x0);
}

double Biegelinie::w(double x) const {
  const double y = wy(x), z = wz(x);
  return std::sqrt(y * y + z * z);
}

double Biegelinie::NeigungY(double x) const {
  if (stuecke_.empty()) return 0;
  const Stueck& st = Bei(x);
  return KubischAbleitung(st.y, x - st.x0);
}

double Biegelinie::NeigungZ(double x) const {
  if (stuecke_.empty()) return 0;
  const Stueck& st = Bei(x);
  return KubischAbleitung(st.z, x - st.x0);
}

double Biegelinie::Neigung(double x) const {
  const double y = NeigungY(x), z = NeigungZ(x);
  return std::sqrt(y * y + z * z);
}

Biegelinie::Groesstwert Biegelinie::Maximum() const {
  if (stuecke_.empty()) return {};
  // f = wy^2 + wz^2 on each piece, as a polynomial of degree 6 in
  // t = u / h in [0, 1].
  struct Kandidat {
    std::size_t stueck;
    Polynom f;
    double schranke;
  };
  std::vector<Kandidat> kandidaten;
  kandidaten.reserve(stuecke_.size());
  double f_max = -1;
  double x_max = 0;
  const auto pruefe = [&](const Stueck& st, double u) {
    const double y = Kubisch(st.y, u), z = Kubisch(st.z, u);
    const double f = y * y + z * z;
    const double x = st.x0 + u;
    if (f > f_max || (f == f_max && x < x_max)) {
      f_max = f;
      x_max = x;
    }
  };
  for (std::size_t i = 0; i < stuecke_.size(); ++i) {
    const Stueck& st = stuecke_[i];
    pruefe(st, 0);
    pruefe(st, st.h);
    std::array<double, 4> y{}, z{};
    double hk = 1;
    for (std::size_t k = 0; k < 4; ++k) {
      y[k] = st.y[k] * hk;
      z[k] = st.z[k] * hk;
      hk *= st.h;
    }
    Kandidat k{i, {}, 0};
    k.f.n = 6;
    for (std::size_t p = 0; p < 4; ++p) {
      for (std::size_t q = 0; q < 4; ++q) k.f.a[p + q] += y[p] * y[q] + z[p] * z[q];
    }
    k.schranke = Schranke(k.f);
    if (std::isnan(k.schranke)) k.schranke = -std::numeric_limits<double>::infinity();
    kandidaten.push_back(k);
  }
  // The inside of the pieces, the most promising first, until no piece can
  // hold more than has been found.
  std::sort(kandidaten.begin(), kandidaten.end(),
            [](const Kandidat& p, const Kandidat& q) { return p.schranke > q.schranke; });
  for (const Kandidat& k : kandidaten) {
    if (!(k.schranke > f_max)) break;
    Polynom ableitung;
    ableitung.n = 5;
    for (std::size_t p = 0; p < 6; ++p) ableitung.a[p] = static_cast<double>(p + 1) * k.f.a[p + 1];
    std::array<double, kGradMax + 2> wurzeln{};
    const int anzahl = Wurzeln(ableitung, wurzeln);
    const Stueck& st = stuecke_[k.stueck];
    for (int j = 0; j < anzahl; ++j) pruefe(st, wurzeln[static_cast<std::size_t>(j)] * st.h);
  }
  return {std::sqrt(f_max), x_max};
}

}  // namespace wellen

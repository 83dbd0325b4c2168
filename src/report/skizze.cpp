#include "report/skizze.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "calc/load.h"
#include "format/number.h"
#include "report/zahl.h"

namespace wellen::report {
namespace {

// Limits of the drawn proportions, as shares of D (see skizze.h).
constexpr double kMinD = 0.1;
constexpr double kMinTiefe = 0.04;
constexpr double kMinR = 0.01;
constexpr double kMaxR = 1.0;

// The drawing, in its own units: D is 100 high, the axis at y = kAchse; the
// shaft runs from kL to kR, a shoulder's face stands at kSchulter, a
// groove's middle at kMitte.
constexpr double kBreite = 300;
constexpr double kHoehe = 170;
constexpr double kHalb = 50;
constexpr double kAchse = 95;
constexpr double kL = 20;
constexpr double kR = 280;
constexpr double kSchulter = 120;
constexpr double kMitte = 150;
constexpr double kPfeil = 4;  // length of an arrowhead

// A coordinate, to a tenth of a unit, as SVG reads it.
std::string K(double v) { return std::string(Number(std::round(v * 10) / 10 + 0.0).text()); }

// The d attribute of an SVG path, command by command.
class Pfad {
 public:
  Pfad& M(double x, double y) { return Befehl('M').Punkt(x, y); }
  Pfad& L(double x, double y) { return Befehl('L').Punkt(x, y); }
  Pfad& H(double x) { return Befehl('H').Zahl(x); }
  Pfad& V(double y) { return Befehl('V').Zahl(y); }
  // An arc of radius r to (x, y), turning as SVG's sweep flag 0 does.
  Pfad& A(double r, double x, double y) {
    Befehl('A').Punkt(r, r);
    d_ += " 0 0 0 ";
    return Punkt(x, y);
  }
  Pfad& Z() { return Befehl('Z'); }
  const std::string& d() const { return d_; }

 private:
  Pfad& Befehl(char c) {
    if (!d_.empty()) d_ += ' ';
    d_ += c;
    return *this;
  }
  Pfad& Zahl(double v) {
    d_ += K(v);
    return *this;
  }
  Pfad& Punkt(double x, double y) {
    d_ += K(x);
    d_ += ',';
    d_ += K(y);
    return *this;
  }
  std::string d_;
};

class Skizze {
 public:
  void Zeichne(const Pfad& p, std::string_view attribute) {
    svg_ += "<path d=\"";
    svg_ += p.d();
    svg_ += "\" ";
    svg_ += attribute;
    svg_ += "/>\n";
  }
  void Linie(double x1, double y1, double x2, double y2, std::string_view attribute) {
    svg_ += "<line x1=\"" + K(x1) + "\" y1=\"" + K(y1) + "\" x2=\"" + K(x2) + "\" y2=\"" + K(y2) +
            "\" " + std::string(attribute) + "/>\n";
  }
  void Schrift(double x, double y, std::string_view anker, const std::string& text) {
    svg_ += "<text x=\"" + K(x) + "\" y=\"" + K(y) + "\" text-anchor=\"" + std::string(anker) +
            "\">" + text + "</text>\n";
  }
  // An arrowhead with its tip at (x, y), pointing up (richtung -1) or down (+1).
  void Spitze(double x, double y, double richtung) {
    const double b = y - richtung * kPfeil;
    Zeichne(Pfad().M(x, y).L(x - 1.5, b).L(x + 1.5, b).Z(), "fill=\"#000000\"");
  }
  // A vertical dimension line from y1 up to y2 (y1 > y2) at x; the arrows
  // outside where the length leaves no room for them inside.
  void Mass(double x, double y1, double y2) {
    constexpr std::string_view kStrich = "stroke=\"#000000\" stroke-width=\"0.7\"";
    if (y1 - y2 >= 3 * kPfeil) {
      Linie(x, y1, x, y2, kStrich);
      Spitze(x, y1, 1);
      Spitze(x, y2, -1);
    } else {
      Linie(x, y1 + 3 * kPfeil, x, y2 - 3 * kPfeil, kStrich);
      Spitze(x, y1, -1);
      Spitze(x, y2, 1);
    }
  }
  // A thin line carrying an edge out to a dimension line.
  void Hilfslinie(double x1, double y, double x2) {
    Linie(x1, y, x2, y, "stroke=\"#000000\" stroke-width=\"0.5\"");
  }
  void Roh(std::string_view text) { svg_ += text; }
  std::string& svg() { return svg_; }

 private:
  std::string svg_;
};

std::string Wert(std::string_view name, double wert) {
  return std::string(name) + " = " + Zahl(wert);
}

}  // namespace

std::string KeineSkizze(const Eingabewerte& e) {
  for (const auto& [name, wert] : {std::pair<std::string_view, double>{"D", e.D},
                                   std::pair<std::string_view, double>{"d", e.d},
                                   std::pair<std::string_view, double>{"r", e.r}}) {
    if (!std::isfinite(wert)) return std::string(name) + " = " + Zahl(wert) + " ist nicht endlich";
  }
  if (e.D <= 0) return "D = " + Zahl(e.D) + " ist nicht positiv";
  if (e.d <= 0) return "d = " + Zahl(e.d) + " ist nicht positiv";
  if (e.d >= e.D) return "d = " + Zahl(e.d) + " ist nicht kleiner als D = " + Zahl(e.D);
  if (e.r < 0) return "r = " + Zahl(e.r) + " ist negativ";
  if (e.Kerbfall != kRundnut && e.Kerbfall != kAbsatz) {
    return "Kerbfall " + Zahl(e.Kerbfall) + " ist weder Rundnut noch Absatz";
  }
  return {};
}

Skizzenmass Gezeichnet(const Eingabewerte& e) {
  Skizzenmass m{e.d / e.D, e.r / e.D, 0, true};
  m.d = std::clamp(m.d, kMinD, 1 - 2 * kMinTiefe);
  if (m.r > 0) m.r = std::clamp(m.r, kMinR, kMaxR);
  m.t = (1 - m.d) / 2;
  m.massstaeblich = m.d == e.d / e.D && m.r == e.r / e.D;
  return m;
}

std::string KerbSkizze(const Eingabewerte& e) {
  if (!KeineSkizze(e).empty()) return {};
  const Skizzenmass m = Gezeichnet(e);
  const double h = 2 * kHalb * m.t;   // depth of the notch
  const double rs = 2 * kHalb * m.r;  // its radius
  const double yt = kAchse - kHalb;   // the outer surface, above the axis
  const double ys = yt + h;           // the notch root, above the axis
  const double ytu = 2 * kAchse - yt;  // the same below the axis
  const double ysu = 2 * kAchse - ys;

  Skizze s;
  s.Roh("<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"skizze\" viewBox=\"0 0 " +
        K(kBreite) + " " + K(kHoehe) +
        "\">\n<g font-family=\"DejaVu Sans, Liberation Sans, Arial, sans-serif\" "
        "font-size=\"10\" fill=\"#000000\">\n");

  // The outline, upper edge left to right, lower edge back.
  Pfad p;
  p.M(kL, yt);
  double r_x = 0, r_y = 0;  // a point on the radius, for its leader
  double t_x = 0;           // where the depth is dimensioned
  if (e.Kerbfall == kAbsatz) {
    const double x0 = kSchulter;
    if (rs == 0) {
      p.H(x0).V(ys).H(kR).V(ysu).H(x0).V(ytu);
    } else if (rs <= h) {
      p.H(x0).V(ys - rs).A(rs, x0 + rs, ys).H(kR).V(ysu).H(x0 + rs).A(rs, x0, ysu + rs).V(ytu);
    } else {
      // The fillet is deeper than the step: it meets the outer surface.
      const double xs = x0 + rs - std::sqrt(rs * rs - (rs - h) * (rs - h));
      p.H(xs).A(rs, x0 + rs, ys).H(kR).V(ysu).H(x0 + rs).A(rs, xs, ytu);
    }
    r_x = x0 + rs - rs * std::sqrt(0.5);
    r_y = ys - rs + rs * std::sqrt(0.5);
    t_x = std::min(kR - 15, std::max(215.0, x0 + rs + 15));
  } else {
    const double xc = kMitte;
    double halb = 0;  // half the width of the groove at the surface
    if (rs == 0) {
      p.H(xc).V(ys).V(yt).H(kR).V(ytu).H(xc).V(ysu).V(ytu);
      r_x = xc;
      r_y = ys;
    } else if (rs < h) {
      // Flanks, then a half circle at the root.
      p.H(xc - rs).V(ys - rs).A(rs, xc + rs, ys - rs).V(yt).H(kR).V(ytu).H(xc + rs).V(ysu + rs);
      p.A(rs, xc - rs, ysu + rs).V(ytu);
      halb = rs;
      r_x = xc - rs * std::sqrt(0.5);
      r_y = ys - rs + rs * std::sqrt(0.5);
    } else {
      // A shallow groove: an arc of the circle through the root.
      halb = std::sqrt(rs * rs - (rs - h) * (rs - h));
      p.H(xc - halb).A(rs, xc + halb, yt).H(kR).V(ytu).H(xc + halb).A(rs, xc - halb, ytu);
      const double winkel = std::asin(halb / rs) / 2;  // halfway from the root to the edge
      r_x = xc - rs * std::sin(winkel);
      r_y = ys - rs + rs * std::cos(winkel);
    }
    t_x = std::min(kR - 15, xc + halb + 14);
  }
  p.H(kL).Z();
  s.Zeichne(p, "fill=\"#e4e4e4\" stroke=\"#000000\" stroke-width=\"1.4\" stroke-linejoin=\"round\"");
  // The axis, dash-dotted.
  s.Linie(kL - 10, kAchse, kR + 10, kAchse,
          "stroke=\"#000000\" stroke-width=\"0.5\" stroke-dasharray=\"12 3 2 3\"");

  // D on the left, d on the right end (a shoulder) or through the groove;
  // the label of a d too thin to hold it above the root.
  s.Mass(40, ytu, yt);
  s.Schrift(45, kAchse - 4, "start", Wert("D", e.D));
  const bool duenn = ysu - ys < 16;
  const double d_y = duenn ? ys - 5 : kAchse - 4;
  if (e.Kerbfall == kAbsatz) {
    s.Mass(255, ysu, ys);
    // Above a thin end, right of its dimension line, clear of t's.
    s.Schrift(duenn ? kBreite - 4 : 250, d_y, "end", Wert("d", e.d));
  } else {
    s.Mass(kMitte, ysu, ys);
    s.Schrift(kMitte + 5, d_y, "start", Wert("d", e.d));
  }
  // t beside the notch: the outer surface, for a shoulder, or the groove's
  // root carried out to it.
  if (e.Kerbfall == kAbsatz) {
    s.Hilfslinie(kSchulter, yt, t_x + 6);
  } else {
    s.Hilfslinie(kMitte, ys, t_x + 6);
  }
  s.Mass(t_x, ys, yt);
  s.Schrift(t_x + 5, yt - 6, "start", Wert("t", e.t));
  // r: a leader from the radius up and to the left, to its label above the
  // shaft.
  const double lx = std::min(r_x, kSchulter) - 14;
  const double ly = yt - 14;
  s.Linie(r_x, r_y, lx, ly + 3, "stroke=\"#000000\" stroke-width=\"0.5\"");
  s.Schrift(lx - 2, ly, "end", Wert("r", e.r));

  s.Roh("</g>\n</svg>\n");
  return std::move(s.svg());
}

}  // namespace wellen::report

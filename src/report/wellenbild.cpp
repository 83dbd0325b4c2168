#include "report/wellenbild.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string_view>
#include <utility>

#include "calc/load.h"
#include "report/svg.h"
#include "report/zahl.h"

namespace wellen::report {
namespace {

using svg::K;
using svg::Textbreite;

// The tallest the largest diameter is drawn, and the least; beyond them the
// diameters get a scale of their own.
constexpr double kMinHoehe = 36;
constexpr double kMaxHoehe = 260;

// Labels: the font sizes, the circle of a section's number, the rows.
constexpr double kSchrift = 9;
constexpr double kKreis = 7.5;
constexpr double kStellenreihe = 18;
constexpr double kLastreihe = 12;
// The loads are labelled by name in up to this many rows; beyond, by
// number, one for each group of loads that lie within kGruppe of the next
// and kGruppenbreite of the first.
constexpr std::size_t kNamenreihen = 3;
constexpr double kGruppe = 12;
constexpr double kGruppenbreite = 40;

// The bearing symbol: a triangle under the contour, its base hatched; the
// loose bearing on two rollers.
constexpr double kDreieckHoehe = 12;
constexpr double kDreieckHalb = 7;
constexpr double kRolle = 2;

constexpr std::string_view kKonturfarbe = "#222222";
constexpr std::string_view kLastfarbe = "#1f5fa8";
constexpr std::string_view kLagerfarbe = "#2e7d32";

// 1, 1.5, 2, 2.5, 3, 4, 5, 6, 8 times a power of ten: the smallest of them
// not below `wert` (> 0).
double RunderFaktor(double wert) {
  constexpr std::array<double, 10> kStufen = {1, 1.5, 2, 2.5, 3, 4, 5, 6, 8, 10};
  const double stelle = std::pow(10.0, std::floor(std::log10(wert)));
  const auto* stufe = std::find_if(kStufen.begin(), kStufen.end(),
                                   [&](double s) { return s * stelle >= wert * (1 - 1e-12); });
  return (stufe == kStufen.end() ? 10 : *stufe) * stelle;
}

// The half height of the contour at x: of the segment x lies in, the larger
// of two at a boundary.
double HoeheBei(const Wellengeometrie& g, double x) {
  double h = 0;
  for (const Wellengeometrie::Stufe& s : g.stufen) {
    if (x >= s.x0 - 1e-9 && x <= s.x1 + 1e-9) h = std::max(h, s.ra);
  }
  return h;
}

// The shaft's outline above the axis, left to right, as steps to a point at
// a half height, some of them arcs.
struct Schritt {
  double x, h;
  bool bogen = false;
  double rx = 0, ry = 0;
};

std::vector<Schritt> Umriss(const Wellengeometrie& g) {
  std::vector<Schritt> weg;
  const auto& stufen = g.stufen;
  if (stufen.empty()) return weg;
  weg.push_back({stufen.front().x0, 0});
  weg.push_back({stufen.front().x0, stufen.front().ra});
  std::size_t rundung = 0;
  for (std::size_t k = 0; k < stufen.size(); ++k) {
    const Wellengeometrie::Stufe& s = stufen[k];
    // A step down into this segment: its fillet at the left end. (The
    // fillet of a step up belongs to the segment before.)
    if (k > 0 && stufen[k - 1].ra > s.ra && rundung < g.rundungen.size()) {
      const Wellengeometrie::Rundung& r = g.rundungen[rundung++];
      weg.push_back({s.x0, s.ra + r.ry});
      weg.push_back({s.x0 + r.rx, s.ra, true, r.rx, r.ry});
    }
    // The grooves of this segment, left to right.
    std::vector<const Wellengeometrie::Nutbild*> nuten;
    for (const Wellengeometrie::Nutbild& n : g.nuten) {
      if (n.x > s.x0 && n.x < s.x1) nuten.push_back(&n);
    }
    std::sort(nuten.begin(), nuten.end(), [](const auto* a, const auto* b) { return a->x < b->x; });
    for (const Wellengeometrie::Nutbild* n : nuten) {
      const double grund = s.ra - n->tiefe;
      if (n->tiefe < n->ry) {
        // A shallow groove: an arc of the circle, as wide as it cuts the surface.
        const double q = (n->ry - n->tiefe) / n->ry;
        const double w = n->rx * std::sqrt(std::max(0.0, 1 - q * q));
        weg.push_back({n->x - w, s.ra});
        weg.push_back({n->x + w, s.ra, true, n->rx, n->ry});
      } else {
        // Straight flanks down to the half circle of its root.
        weg.push_back({n->x - n->rx, s.ra});
        weg.push_back({n->x - n->rx, grund + n->ry});
        weg.push_back({n->x + n->rx, grund + n->ry, true, n->rx, n->ry});
        weg.push_back({n->x + n->rx, s.ra});
      }
    }
    // A step up out of this segment: its fillet at the right end, then up
    // the face.
    if (k + 1 < stufen.size() && stufen[k + 1].ra > s.ra && rundung < g.rundungen.size()) {
      const Wellengeometrie::Rundung& r = g.rundungen[rundung++];
      weg.push_back({s.x1 - r.rx, s.ra});
      weg.push_back({s.x1, s.ra + r.ry, true, r.rx, r.ry});
      weg.push_back({s.x1, stufen[k + 1].ra});
    } else {
      weg.push_back({s.x1, s.ra});
    }
  }
  weg.push_back({stufen.back().x1, 0});
  return weg;
}

// The closed outline: above the axis left to right, below it back again
// (mirrored and reversed, an arc keeps its turning sense).
svg::Pfad Konturpfad(const Wellengeometrie& g) {
  const std::vector<Schritt> weg = Umriss(g);
  svg::Pfad p;
  if (weg.empty()) return p;
  p.M(weg[0].x, g.achse - weg[0].h);
  for (std::size_t i = 1; i < weg.size(); ++i) {
    const Schritt& s = weg[i];
    if (s.bogen) {
      p.A(s.rx, s.ry, 0, s.x, g.achse - s.h);
    } else {
      p.L(s.x, g.achse - s.h);
    }
  }
  for (std::size_t i = weg.size() - 1; i > 0; --i) {
    const Schritt& s = weg[i];
    const Schritt& davor = weg[i - 1];
    if (s.bogen) {
      p.A(s.rx, s.ry, 0, davor.x, g.achse + davor.h);
    } else {
      p.L(davor.x, g.achse + davor.h);
    }
  }
  return p.Z();
}

// A bearing symbol with its apex at (x, y): the fixed bearing a triangle on
// hatched ground, the loose one a triangle on two rollers. Returns the y of
// its lowest line.
double Lagersymbol(svg::Leinwand& z, double x, double y, bool fest) {
  const std::string strich =
      "fill=\"none\" stroke=\"" + std::string(kLagerfarbe) + "\" stroke-width=\"1.3\"";
  svg::Pfad dreieck;
  dreieck.M(x, y).L(x - kDreieckHalb, y + kDreieckHoehe).L(x + kDreieckHalb, y + kDreieckHoehe).Z();
  z.Zeichne(dreieck,
            "fill=\"#ffffff\" stroke=\"" + std::string(kLagerfarbe) + "\" stroke-width=\"1.3\"");
  double boden = y + kDreieckHoehe;
  if (!fest) {
    for (const double dx : {-3.5, 3.5}) z.Kreis(x + dx, boden + kRolle, kRolle, strich);
    boden += 2 * kRolle;
  }
  const double halb = kDreieckHalb + 3;
  z.Linie(x - halb, boden, x + halb, boden, strich);
  svg::Pfad schraffur;
  for (int i = 0; 1 + 3.5 * i <= 2 * halb; ++i) {
    const double sx = x - halb + 1 + 3.5 * i;
    schraffur.M(sx, boden).L(sx - 3, boden + 4);
  }
  z.Zeichne(schraffur,
            "fill=\"none\" stroke=\"" + std::string(kLagerfarbe) + "\" stroke-width=\"0.8\"");
  return boden + 4;
}

// A dimension from x0 to x1 on the line at y, its value written over it.
void Masslinie(svg::Leinwand& z, double x0, double x1, double y, double wert) {
  const std::string linie = "stroke=\"#333333\" stroke-width=\"0.8\"";
  z.Linie(x0, y, x1, y, linie);
  svg::Pfad spitzen;
  spitzen.M(x0, y).L(x0 + 6, y - 2.2).L(x0 + 6, y + 2.2).Z();
  spitzen.M(x1, y).L(x1 - 6, y - 2.2).L(x1 - 6, y + 2.2).Z();
  z.Zeichne(spitzen, "fill=\"#333333\"");
  const std::string text = Zahl(wert);
  const double breite = Textbreite(text, kSchrift);
  if (x1 - x0 >= breite + 16) {
    z.Schrift((x0 + x1) / 2, y - 3, "middle", text, "font-size=\"9\"");
  } else {
    z.Schrift(x1 + 4, y + 3, "start", text, "font-size=\"9\"");
  }
}

// A value for a label, short: the mean, "Fy = -2200 N"; where that is zero
// the amplitude, "Fy_a = -440 N"; empty where both are. (The tables give
// both.)
std::string Wert(std::string_view name, double mittel, double ausschlag, std::string_view einheit) {
  if (mittel != 0) return std::string(name) + " = " + Zahl(mittel) + " " + std::string(einheit);
  if (ausschlag != 0) {
    return std::string(name) + "_a = " + Zahl(ausschlag) + " " + std::string(einheit);
  }
  return {};
}

void Anhaengen(std::string& text, const std::string& teil) {
  if (teil.empty()) return;
  if (!text.empty()) text += ", ";
  text += teil;
}

}  // namespace

Wellengeometrie Geometrie(const Welle& welle, const std::vector<Stelle>& stellen) {
  Wellengeometrie g;
  const double L = Gesamtlaenge(welle);
  if (welle.abschnitte.empty() || !(L > 0) || !std::isfinite(L)) return g;
  const Laengsmass m{L};
  g.sx = m.sx();
  double D_max = 0;
  for (const Abschnitt& a : welle.abschnitte) D_max = std::max(D_max, a.D);
  g.ueberhoehung = 1;
  if (D_max * g.sx < kMinHoehe) g.ueberhoehung = RunderFaktor(kMinHoehe / (D_max * g.sx));
  if (D_max * g.sx > kMaxHoehe) g.ueberhoehung = 1 / RunderFaktor(D_max * g.sx / kMaxHoehe);
  g.sy = g.sx * g.ueberhoehung;
  // A shaft whose length and diameter lie beyond the range of a double
  // from each other (1e300 mm long, 1e-300 thick) has no such factor: its
  // diameters are then drawn at a height of their own, with no scale, and
  // where even that cannot be, as a line.
  const double gezeichnet = D_max * g.sy;
  if (!std::isfinite(g.sy) || !std::isfinite(gezeichnet) || gezeichnet < kMinHoehe / 2 ||
      gezeichnet > 2 * kMaxHoehe) {
    g.ueberhoehung = std::numeric_limits<double>::quiet_NaN();
    g.sy = (kMinHoehe + kMaxHoehe) / 2 / D_max;
    if (!std::isfinite(g.sy)) g.sy = 0;
  }
  const double H = D_max / 2 * g.sy;

  // Along the shaft: segments, fillets, grooves; heights from the axis.
  const std::vector<double> grenzen = Grenzen(welle);
  for (std::size_t k = 0; k < welle.abschnitte.size(); ++k) {
    const Abschnitt& a = welle.abschnitte[k];
    g.stufen.push_back({m.X(grenzen[k]), m.X(grenzen[k + 1]), a.D / 2 * g.sy, a.di / 2 * g.sy});
  }
  for (std::size_t k = 1; k < welle.abschnitte.size(); ++k) {
    const Wellengeometrie::Stufe& links = g.stufen[k - 1];
    const Wellengeometrie::Stufe& rechts = g.stufen[k];
    if (links.ra == rechts.ra) continue;
    const bool runter = rechts.ra < links.ra;
    const Wellengeometrie::Stufe& klein = runter ? rechts : links;
    const double r = welle.abschnitte[k].r.value_or(0.0);
    const double stufe = std::fabs(links.ra - rechts.ra);
    g.rundungen.push_back({rechts.x0, std::min(r * g.sx, (klein.x1 - klein.x0) / 2),
                           std::min(r * g.sy, stufe), runter, klein.ra});
  }
  // Grooves, their radius kept within their segment's length and height
  // (a radius beyond them is no groove to draw, whatever the file says).
  for (const Nut& n : welle.nuten) {
    const double x = m.X(n.x);
    const double hoehe = HoeheBei(g, x);
    const auto stufe =
        std::find_if(g.stufen.begin(), g.stufen.end(),
                     [&](const Wellengeometrie::Stufe& s) { return x > s.x0 && x < s.x1; });
    const double laenge = stufe == g.stufen.end() ? 0.0 : stufe->x1 - stufe->x0;
    g.nuten.push_back({x, hoehe, std::min(n.t * g.sy, hoehe), std::min(n.r * g.sx, laenge / 2),
                       std::min(n.r * g.sy, hoehe)});
  }

  // Labels over the contour: the sections' numbers in the rows nearest to
  // it, the load elements above them.
  std::vector<std::pair<double, std::string>> elemente;
  for (const Lastfall& lf : welle.lastfaelle) {
    for (const Lastelement& l : lf.lasten) {
      std::pair<double, std::string> e{Lage(welle, l.x), l.name.empty() ? "Last" : l.name};
      if (std::find(elemente.begin(), elemente.end(), e) == elemente.end()) elemente.push_back(e);
    }
  }
  std::stable_sort(elemente.begin(), elemente.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });

  // A section's circle stays clear of the loads' lines: where one runs
  // through it at its place, it moves aside, by one or two circles, its
  // leader bent to the place; but only where that keeps it off the places
  // of the other sections (among many sections and loads close together it
  // stays).
  const auto frei = [&](double mitte, double x) {
    return mitte >= kKreis + 2 && mitte <= kBildbreite - kKreis - 2 &&
           std::none_of(
               elemente.begin(), elemente.end(),
               [&](const auto& e) { return std::fabs(m.X(e.first) - mitte) < kKreis + 1.5; }) &&
           (mitte == x || std::none_of(stellen.begin(), stellen.end(), [&](const Stelle& s) {
              const double andere = m.X(s.x);
              return andere != x && std::fabs(andere - mitte) < 2 * kKreis + 2;
            }));
  };
  svg::Reihen stellenreihen(2);
  std::vector<std::size_t> stellenreihe;
  for (const Stelle& s : stellen) {
    const double x = m.X(s.x);
    constexpr double kSeite = 2 * kKreis + 3;
    constexpr std::array<double, 5> kVersatz = {0, kSeite, -kSeite, 2 * kSeite, -2 * kSeite};
    const auto* versatz =
        std::find_if(kVersatz.begin(), kVersatz.end(), [&](double v) { return frei(x + v, x); });
    const double mitte = versatz == kVersatz.end() ? x : x + *versatz;
    stellenreihe.push_back(stellenreihen.Setze(mitte - kKreis, mitte + kKreis));
    g.stellen.push_back({Zahl(s.nummer), x, HoeheBei(g, x), mitte, 0});
  }

  // The loads by name; where the names would stack in more than
  // kNamenreihen rows, by a number for each group of loads close together,
  // which the legend under the drawing resolves.
  svg::Reihen lastreihen(6);
  std::vector<std::size_t> lastreihe;
  // A label over x: its middle, kept within the drawing, and its row.
  const auto setze = [&](const std::string& text, double x) {
    const double breite = Textbreite(text, kSchrift);
    const double mitte = std::clamp(x, 2 + breite / 2, kBildbreite - 2 - breite / 2);
    return std::pair{mitte, lastreihen.Setze(mitte - breite / 2, mitte + breite / 2)};
  };
  for (const auto& [x_mm, name] : elemente) {
    const double x = m.X(x_mm);
    const auto [mitte, reihe] = setze(name, x);
    g.lasten.push_back({name, x, HoeheBei(g, x), mitte, 0});
    g.lastelemente.emplace_back(x_mm, name);
    lastreihe.push_back(reihe);
  }
  if (lastreihen.Anzahl() > kNamenreihen) {
    g.lastnummern = true;
    lastreihen = svg::Reihen(6);
    lastreihe.clear();
    std::size_t nummer = 0;
    for (std::size_t k = 0; k < g.lasten.size();) {
      std::size_t bis = k + 1;
      while (bis < g.lasten.size() && g.lasten[bis].x - g.lasten[bis - 1].x <= kGruppe &&
             g.lasten[bis].x - g.lasten[k].x <= kGruppenbreite) {
        ++bis;
      }
      const std::string text = "L" + Zahl(++nummer);
      const auto [mitte, reihe] = setze(text, (g.lasten[k].x + g.lasten[bis - 1].x) / 2);
      for (; k < bis; ++k) {
        g.lasten[k].text = text;
        g.lasten[k].text_x = mitte;
        lastreihe.push_back(reihe);
      }
    }
  }

  const double kontur_oben = 8 + static_cast<double>(lastreihen.Anzahl()) * kLastreihe +
                             static_cast<double>(stellenreihen.Anzahl()) * kStellenreihe + 10;
  g.achse = kontur_oben + H;
  for (std::size_t i = 0; i < g.stellen.size(); ++i) {
    Wellengeometrie::Marke& s = g.stellen[i];
    s.text_y = kontur_oben - 6 - kKreis - static_cast<double>(stellenreihe[i]) * kStellenreihe;
    s.bis_y = g.achse - s.bis_y;
  }
  const double ueber_stellen =
      kontur_oben - 4 - static_cast<double>(stellenreihen.Anzahl()) * kStellenreihe;
  for (std::size_t i = 0; i < g.lasten.size(); ++i) {
    Wellengeometrie::Marke& l = g.lasten[i];
    l.text_y = ueber_stellen - static_cast<double>(lastreihe[i]) * kLastreihe;
    l.bis_y = g.achse - l.bis_y;
  }

  // Under the contour: the bearings, their names, the two dimensions.
  for (const Lagerart art : {Lagerart::kFest, Lagerart::kLos}) {
    const auto it = std::find_if(welle.lager.begin(), welle.lager.end(),
                                 [&](const Lager& l) { return l.art == art; });
    if (it == welle.lager.end()) continue;
    const double x = m.X(Lage(welle, it->x));
    g.lager.push_back({x, g.achse + HoeheBei(g, x), art == Lagerart::kFest});
  }
  svg::Reihen lagerreihen(4);
  for (const Wellengeometrie::Lagerbild& l : g.lager) {
    const double breite = Textbreite(l.fest ? "Festlager" : "Loslager", kSchrift);
    lagerreihen.Setze(l.x - breite / 2, l.x + breite / 2);
  }
  const double unten = g.achse + H + kDreieckHoehe + 2 * kRolle + 4 + 12 +
                       static_cast<double>(lagerreihen.Anzahl()) * 11;
  g.mass_lager_y = unten + 8;
  g.mass_gesamt_y = unten + 26;
  g.hoehe = g.mass_gesamt_y + 8;
  return g;
}

std::string Lastfallname(const Welle& welle, std::size_t lastfall) {
  std::string nummer = "Lastfall " + Zahl(lastfall + 1);
  if (lastfall >= welle.lastfaelle.size()) return nummer;
  const std::string& name = welle.lastfaelle[lastfall].name;
  return name.empty() || name == nummer ? nummer : nummer + ": " + name;
}

std::string Durchmessermassstab(const Wellengeometrie& g) {
  if (g.ueberhoehung == 1) return {};
  if (std::isnan(g.ueberhoehung)) return "Durchmesser nicht maßstäblich";
  if (g.ueberhoehung > 1) return "Durchmesser " + Zahl(g.ueberhoehung) + " : 1 zu den Längen";
  return "Durchmesser 1 : " + Zahl(1 / g.ueberhoehung) + " zu den Längen";
}

std::string WellenSvg(const Welle& welle, const std::vector<Stelle>& stellen) {
  const Wellengeometrie g = Geometrie(welle, stellen);
  if (g.stufen.empty()) return {};
  const double L = Gesamtlaenge(welle);
  const Laengsmass m{L};
  std::string titel = "Welle";
  if (!welle.name.empty()) titel += " " + welle.name;
  titel += ", Längsansicht, Längen maßstäblich";
  const std::string massstab = Durchmessermassstab(g);
  if (!massstab.empty()) titel += ", " + massstab;
  svg::Leinwand z(kBildbreite, "welle", titel);
  z.Roh("<g font-family=\"sans-serif\" font-size=\"9\">\n");

  // The contour, the bore dashed, the axis dash-dotted.
  z.Zeichne(Konturpfad(g), "fill=\"#e8edf2\" stroke=\"" + std::string(kKonturfarbe) +
                               "\" stroke-width=\"1.3\" stroke-linejoin=\"round\"");
  // The faces at the diameter changes, as lines across.
  for (std::size_t k = 1; k < g.stufen.size(); ++k) {
    const double h = std::min(g.stufen[k - 1].ra, g.stufen[k].ra);
    const double x = g.stufen[k].x0;
    const Wellengeometrie::Stufe& a = g.stufen[k - 1];
    const Wellengeometrie::Stufe& b = g.stufen[k];
    if (a.ra == b.ra) continue;
    z.Linie(x, g.achse - h, x, g.achse + h, "stroke=\"#8a96a3\" stroke-width=\"0.6\"");
  }
  const std::string verdeckt = "stroke=\"" + std::string(kKonturfarbe) +
                               "\" stroke-width=\"0.9\" stroke-dasharray=\"4 2.5\"";
  for (std::size_t k = 0; k < g.stufen.size(); ++k) {
    const Wellengeometrie::Stufe& s = g.stufen[k];
    if (s.ri > 0) {
      z.Linie(s.x0, g.achse - s.ri, s.x1, g.achse - s.ri, verdeckt);
      z.Linie(s.x0, g.achse + s.ri, s.x1, g.achse + s.ri, verdeckt);
    }
    const double davor = k > 0 ? g.stufen[k - 1].ri : 0;
    if (k > 0 && davor != s.ri) {
      const double hoch = std::max(davor, s.ri);
      const double tief = std::min(davor, s.ri);
      z.Linie(s.x0, g.achse - hoch, s.x0, g.achse - tief, verdeckt);
      z.Linie(s.x0, g.achse + tief, s.x0, g.achse + hoch, verdeckt);
    }
  }
  z.Linie(m.X(0) - 10, g.achse, m.X(L) + 10, g.achse,
          "stroke=\"#555555\" stroke-width=\"0.6\" stroke-dasharray=\"12 3 2 3\"");

  // Outer diameters, inside their segment where there is room.
  for (std::size_t k = 0; k < g.stufen.size(); ++k) {
    const Wellengeometrie::Stufe& s = g.stufen[k];
    std::string text = "Ø" + Zahl(welle.abschnitte[k].D);
    if (welle.abschnitte[k].di > 0) text += "/" + Zahl(welle.abschnitte[k].di);
    if (Textbreite(text, 8) + 6 <= s.x1 - s.x0 && 2 * s.ra >= 22) {
      z.Schrift((s.x0 + s.x1) / 2, g.achse - 3, "middle", text, "font-size=\"8\" fill=\"#333333\"");
    }
  }

  // The load elements: a small arrowhead on the contour, the name above;
  // or a number shared by a group, each load's leader fanning out to it.
  for (std::size_t k = 0; k < g.lasten.size(); ++k) {
    const Wellengeometrie::Marke& l = g.lasten[k];
    const std::string leitlinie = "stroke=\"#9fb6d3\" stroke-width=\"0.7\"";
    if (g.lastnummern) {
      svg::Pfad fahne;
      fahne.M(l.text_x, l.text_y + 3).L(l.x, l.text_y + 11).L(l.x, l.bis_y - 6);
      z.Zeichne(fahne, "fill=\"none\" " + leitlinie);
    } else {
      z.Linie(l.x, l.text_y + 3, l.x, l.bis_y - 6, leitlinie);
    }
    svg::Pfad spitze;
    spitze.M(l.x, l.bis_y).L(l.x - 3, l.bis_y - 6).L(l.x + 3, l.bis_y - 6).Z();
    z.Zeichne(spitze, "fill=\"" + std::string(kLastfarbe) + "\"");
    if (k > 0 && g.lasten[k - 1].text == l.text && g.lasten[k - 1].text_x == l.text_x) continue;
    z.Schrift(l.text_x, l.text_y, "middle", l.text,
              "fill=\"" + std::string(kLastfarbe) + "\" font-style=\"italic\"" +
                  (g.lastnummern ? " stroke=\"#ffffff\" stroke-width=\"2.5\" paint-order=\"stroke\""
                                 : ""));
  }
  // The sections: their number in a circle, a leader to the contour; bent
  // where the circle stands aside of a load's line.
  for (const Wellengeometrie::Marke& s : g.stellen) {
    const std::string leitlinie = "stroke=\"#b8321f\" stroke-width=\"0.7\"";
    if (s.text_x == s.x) {
      z.Linie(s.x, s.text_y + kKreis, s.x, s.bis_y, leitlinie);
    } else {
      const double knie = std::min(s.bis_y, g.achse - HoeheBei(g, s.text_x)) - 8;
      svg::Pfad leiter;
      leiter.M(s.text_x, s.text_y + kKreis).L(s.text_x, knie).L(s.x, s.bis_y);
      z.Zeichne(leiter, "fill=\"none\" " + leitlinie);
    }
    z.Kreis(s.text_x, s.text_y, kKreis, "fill=\"#ffffff\" stroke=\"#b8321f\" stroke-width=\"1\"");
    z.Schrift(s.text_x, s.text_y + 3.2, "middle", s.text,
              "font-size=\"" + std::string(s.text.size() > 2 ? "6.5" : "8.5") +
                  "\" fill=\"#b8321f\" font-weight=\"bold\"");
  }

  // The bearings, their names, the dimensions.
  svg::Reihen lagerreihen(4);
  double boden = g.achse;
  for (const Wellengeometrie::Lagerbild& l : g.lager) {
    boden = std::max(boden, Lagersymbol(z, l.x, l.y, l.fest));
  }
  double H = 0;
  for (const Wellengeometrie::Stufe& s : g.stufen) H = std::max(H, s.ra);
  const double namen_y = g.achse + H + kDreieckHoehe + 2 * kRolle + 4 + 12;
  for (const Wellengeometrie::Lagerbild& l : g.lager) {
    const std::string name = l.fest ? "Festlager" : "Loslager";
    const double breite = Textbreite(name, kSchrift);
    const std::size_t reihe = lagerreihen.Setze(l.x - breite / 2, l.x + breite / 2);
    z.Schrift(l.x, namen_y + static_cast<double>(reihe) * 11, "middle", name,
              "fill=\"" + std::string(kLagerfarbe) + "\"");
  }
  const std::string hilfslinie = "stroke=\"#777777\" stroke-width=\"0.5\"";
  if (g.lager.size() == 2) {
    const double a = std::min(g.lager[0].x, g.lager[1].x);
    const double b = std::max(g.lager[0].x, g.lager[1].x);
    for (const double x : {a, b}) z.Linie(x, boden + 2, x, g.mass_lager_y + 4, hilfslinie);
    Masslinie(z, a, b, g.mass_lager_y,
              std::fabs(Lage(welle, welle.lager[1].x) - Lage(welle, welle.lager[0].x)));
  }
  z.Linie(m.X(0), g.achse + g.stufen.front().ra + 2, m.X(0), g.mass_gesamt_y + 4, hilfslinie);
  z.Linie(m.X(L), g.achse + g.stufen.back().ra + 2, m.X(L), g.mass_gesamt_y + 4, hilfslinie);
  Masslinie(z, m.X(0), m.X(L), g.mass_gesamt_y, L);
  if (!massstab.empty()) z.Schrift(kBildbreite - 4, 10, "end", massstab, "fill=\"#444444\"");
  z.Roh("</g>\n");
  return z.Fertig(g.hoehe);
}

std::string LastSvg(const Welle& welle, std::size_t lastfall, const Lastfallergebnis& ergebnis,
                    Ebene ebene) {
  const double L = Gesamtlaenge(welle);
  if (lastfall >= welle.lastfaelle.size() || !(L > 0) || !std::isfinite(L)) return {};
  const Laengsmass m{L};
  const bool xy = ebene == Ebene::kXY;
  const std::string_view F = xy ? "Fy" : "Fz";
  const std::string_view Mb = xy ? "Mby" : "Mbz";

  // What each load element shows in this plane.
  struct Eintrag {
    double x;
    double F, F_a, M, M_a, Fx, Fx_a;
    std::string text;
  };
  std::vector<Eintrag> eintraege;
  for (const Lastelement& l : welle.lastfaelle[lastfall].lasten) {
    Eintrag e{m.X(Lage(welle, l.x)),
              xy ? l.Fy : l.Fz,
              xy ? l.Fy_a : l.Fz_a,
              xy ? l.Mby : l.Mbz,
              xy ? l.Mby_a : l.Mbz_a,
              l.Fx,
              l.Fx_a,
              {}};
    std::string werte;
    Anhaengen(werte, Wert(F, e.F, e.F_a, "N"));
    Anhaengen(werte, Wert(Mb, e.M, e.M_a, "N·m"));
    Anhaengen(werte, Wert("Fx", e.Fx, e.Fx_a, "N"));
    if (werte.empty()) continue;
    e.text = (l.name.empty() ? std::string("Last") : l.name) + ": " + werte;
    eintraege.push_back(std::move(e));
  }

  // Rows of the labels over the arrows, and of the reactions under the bearings.
  constexpr double kSchriftLast = 8.5;
  svg::Reihen oben(8);
  std::vector<std::pair<std::size_t, double>> platz;  // row, middle
  for (const Eintrag& e : eintraege) {
    const double breite = Textbreite(e.text, kSchriftLast);
    const double mitte = std::clamp(e.x, 2 + breite / 2, kBildbreite - 2 - breite / 2);
    platz.emplace_back(oben.Setze(mitte - breite / 2, mitte + breite / 2), mitte);
  }
  struct Reaktion {
    double x;
    std::string text;
  };
  std::vector<Reaktion> reaktionen;
  for (const Lagerart art : {Lagerart::kFest, Lagerart::kLos}) {
    const auto it = std::find_if(welle.lager.begin(), welle.lager.end(),
                                 [&](const Lager& l) { return l.art == art; });
    if (it == welle.lager.end()) continue;
    const bool fest = art == Lagerart::kFest;
    const Lagerkraft& k = fest ? ergebnis.fest : ergebnis.los;
    const Lagerkraft& k_a = fest ? ergebnis.fest_a : ergebnis.los_a;
    std::string text = fest ? "Festlager: " : "Loslager: ";
    std::string werte = Wert(F, xy ? k.Fy : k.Fz, xy ? k_a.Fy : k_a.Fz, "N");
    if (werte.empty()) werte = std::string(F) + " = 0 N";
    if (fest) Anhaengen(werte, Wert("Fx", k.Fx, k_a.Fx, "N"));
    reaktionen.push_back({m.X(Lage(welle, it->x)), text + werte});
  }
  svg::Reihen unten(8);
  std::vector<std::pair<std::size_t, double>> reaktionsplatz;
  for (const Reaktion& r : reaktionen) {
    const double breite = Textbreite(r.text, kSchriftLast);
    const double mitte = std::clamp(r.x, 2 + breite / 2, kBildbreite - 2 - breite / 2);
    reaktionsplatz.emplace_back(unten.Setze(mitte - breite / 2, mitte + breite / 2), mitte);
  }

  constexpr double kPfeil = 28;
  constexpr double kZeile = 11;
  const double achse = 6 + static_cast<double>(oben.Anzahl()) * kZeile + 8 + kPfeil + 4;
  // The reactions' labels under the bearings and the arrows from below.
  const double lager_unten = achse + std::max(kPfeil, 2 + kDreieckHoehe + 2 * kRolle + 4);
  const double hoehe = lager_unten + 6 + static_cast<double>(unten.Anzahl()) * kZeile + 4;

  const std::string titel =
      Lastfallname(welle, lastfall) + " – Lasten in der " + (xy ? "x-y-Ebene" : "x-z-Ebene");
  svg::Leinwand z(kBildbreite, "lasten", titel);
  z.Roh("<g font-family=\"sans-serif\" font-size=\"8.5\">\n");
  // The plane's axes at the left end, where no label of a load goes.
  z.Schrift(m.X(0) - 26, achse - 10, "middle", xy ? "y ↑" : "z ↑", "fill=\"#555555\"");
  z.Linie(m.X(0), achse, m.X(L), achse, "stroke=\"#777777\" stroke-width=\"3\"");
  z.Schrift(m.X(0) - 6, achse + 3, "end", "x = 0", "fill=\"#555555\"");

  for (std::size_t i = 0; i < reaktionen.size(); ++i) {
    const bool fest = reaktionen[i].text.rfind("Festlager", 0) == 0;
    Lagersymbol(z, reaktionen[i].x, achse + 2, fest);
    const auto [reihe, mitte] = reaktionsplatz[i];
    z.Schrift(mitte, lager_unten + 6 + static_cast<double>(reihe) * kZeile + 3, "middle",
              reaktionen[i].text, "fill=\"" + std::string(kLagerfarbe) + "\"");
  }
  const std::string farbe(kLastfarbe);
  for (std::size_t i = 0; i < eintraege.size(); ++i) {
    const Eintrag& e = eintraege[i];
    const auto [reihe, mitte] = platz[i];
    const double text_y = achse - kPfeil - 8 - static_cast<double>(reihe) * kZeile;
    if (reihe > 0 || std::fabs(mitte - e.x) > 1) {
      z.Linie(mitte, text_y + 2, e.x, achse - kPfeil - 2,
              "stroke=\"#9fb6d3\" stroke-width=\"0.6\"");
    }
    z.Schrift(mitte, text_y, "middle", e.text, "fill=\"" + farbe + "\"");
    // The force across: its head on the axis, from above for a negative one.
    const double richtung = e.F != 0 ? e.F : e.F_a;
    if (richtung > 0) z.Pfeil(e.x, achse + kPfeil, e.x, achse + 1.5, farbe);
    if (richtung < 0) z.Pfeil(e.x, achse - kPfeil, e.x, achse - 1.5, farbe);
    // The axial force: its head at the point, along the axis.
    const double axial = e.Fx != 0 ? e.Fx : e.Fx_a;
    if (axial > 0) z.Pfeil(e.x - kPfeil, achse - 4, e.x - 1, achse - 4, farbe);
    if (axial < 0) z.Pfeil(e.x + kPfeil, achse - 4, e.x + 1, achse - 4, farbe);
    // A point moment: a curved arrow round the point, counter-clockwise
    // for a positive one.
    const double moment = e.M != 0 ? e.M : e.M_a;
    if (moment != 0) {
      // Three quarters of a circle round the point, from below it to above
      // it round the far side; counter-clockwise as seen for a positive
      // moment, its head at the end along the circle.
      constexpr double kR = 14;
      constexpr double kAb = 0.6;  // the gap's half angle from the vertical
      const double s = moment > 0 ? 1 : -1;
      const double dx = -s * kR * std::sin(kAb);
      const double dy = kR * std::cos(kAb);
      svg::Pfad bogen;
      bogen.M(e.x + dx, achse + dy).A(kR, kR, moment > 0 ? 0 : 1, e.x + dx, achse - dy, true);
      z.Zeichne(bogen, "fill=\"none\" stroke=\"" + farbe + "\" stroke-width=\"1.4\"");
      // Counter-clockwise as seen, a point at (dx, -dy) from the middle
      // moves along (-dy, -dx) (y downwards), clockwise the other way.
      const double ux = s * -dy / kR;
      const double uy = s * -dx / kR;
      z.Kopf(e.x + dx + ux * 4, achse - dy + uy * 4, ux, uy, farbe);
    }
  }
  if (eintraege.empty()) {
    z.Schrift((m.X(0) + m.X(L)) / 2, achse - kPfeil, "middle", "keine Last in dieser Ebene",
              "fill=\"#555555\"");
  }
  z.Roh("</g>\n");
  return z.Fertig(hoehe);
}

}  // namespace wellen::report

#include "report/verlauf.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <numeric>
#include <utility>

#include "calc/urteil.h"
#include "report/achse.h"
#include "report/svg.h"
#include "report/wellenbild.h"
#include "report/zahl.h"

namespace wellen::report {
namespace {

using svg::Textbreite;

constexpr double kSchrift = 8.5;
constexpr double kPlotHoehe = 110;

constexpr std::string_view kSchwarz = "#111111";
constexpr std::string_view kBlau = "#1f5fa8";
constexpr std::string_view kOrange = "#d9822b";
constexpr std::string_view kRot = "#b8321f";

// The plot of a diagram: x from the shaft's scale, y from its axis.
class Plot {
 public:
  Plot(double L, const Achse& y, double oben) : m_{L}, y_(y), oben_(oben) {}
  double X(double x) const { return m_.X(x); }
  double Y(double wert) const { return unten() - (wert - y_.min) / (y_.max - y_.min) * kPlotHoehe; }
  double oben() const { return oben_; }
  double unten() const { return oben_ + kPlotHoehe; }
  double links() const { return kBildLinks; }
  double rechts() const { return kBildRechts; }
  const Achse& y() const { return y_; }
  double L() const { return m_.L; }

 private:
  Laengsmass m_;
  Achse y_;
  double oben_;
};

// The frame of a plot: the grid at the ticks of both axes, their values,
// the zero line, the titles of the axes.
void Rahmen(svg::Leinwand& z, const Plot& p, std::string_view achse) {
  const std::string gitter = "stroke=\"#e2e2e2\" stroke-width=\"0.7\"";
  const double schritt_x = RunderSchritt(p.L(), 8);
  const Achse x{0, std::floor(p.L() / schritt_x) * schritt_x, schritt_x};
  JederTick(x, [&](double wert) {
    const double px = p.X(wert);
    z.Linie(px, p.oben(), px, p.unten(), gitter);
    z.Schrift(px, p.unten() + 11, "middle", Zahl(wert));
  });
  JederTick(p.y(), [&](double wert) {
    const double py = p.Y(wert);
    z.Linie(p.links(), py, p.rechts(), py,
            wert == 0 ? "stroke=\"#666666\" stroke-width=\"0.9\"" : gitter);
    z.Schrift(p.links() - 5, py + 3, "end", Zahl(wert));
  });
  z.Roh("<rect x=\"" + svg::K(p.links()) + "\" y=\"" + svg::K(p.oben()) + "\" width=\"" +
        svg::K(p.rechts() - p.links()) + "\" height=\"" + svg::K(kPlotHoehe) +
        "\" fill=\"none\" stroke=\"#999999\" stroke-width=\"0.8\"/>\n");
  z.Schrift(p.links() - 5, p.unten() + 11, "end", "x in mm", "fill=\"#444444\"");
  const double mitte = (p.oben() + p.unten()) / 2;
  z.Schrift(12, mitte, "middle", achse,
            "fill=\"#444444\" transform=\"rotate(-90 12 " + svg::K(mitte) + ")\"");
}

// The style of a curve's line.
std::string Strich(std::string_view farbe, bool gestrichelt, bool dick) {
  std::string s = "fill=\"none\" stroke=\"" + std::string(farbe) + "\" stroke-width=\"" +
                  (dick ? "1.9" : "1.2") + "\" stroke-linejoin=\"round\"";
  if (gestrichelt) s += " stroke-dasharray=\"5 3\"";
  return s;
}

// Labels placed one after the other so that none leaves the plot or covers
// a marked point or an earlier label. Each stands on a white box, its
// glyphs with a white halo, so that the curves under it do not strike it
// through.
class Beschriftung {
 public:
  explicit Beschriftung(const Plot& p) : p_(p) {}

  void Belege(double x, double y, double r) { belegt_.push_back({x - r, y - r, x + r, y + r}); }
  // A line across the plot that no label may hide.
  void BelegeLinie(double y) { belegt_.push_back({p_.links(), y - 1, p_.rechts(), y + 1}); }

  // `text` for the point (x, y): the first of the places that is free
  // (beside the point, then in rows further above or below it), else the
  // first inside, else the first.
  void Setze(svg::Leinwand& z, double x, double y, const std::string& text, bool oben,
             std::string_view farbe) {
    struct Lage {
      double dx, dy;
      int anker;  // 0 start, 1 middle, 2 end
    };
    static constexpr Lage kOben[] = {{4, -5, 0}, {-4, -5, 2}, {0, -6, 1}, {6, 3, 0},
                                     {-6, 3, 2}, {4, 12, 0},  {-4, 12, 2}};
    static constexpr Lage kUnten[] = {{4, 12, 0}, {-4, 12, 2}, {0, 13, 1}, {6, 3, 0},
                                      {-6, 3, 2}, {4, -5, 0},  {-4, -5, 2}};
    // The glyphs of the fonts a browser takes for sans-serif run up to a
    // tenth wider than Textbreite's mean, and the box has a margin.
    const double breite = Textbreite(text, kSchrift) * 1.1 + 3;
    std::vector<Lage> lagen(std::begin(oben ? kOben : kUnten), std::end(oben ? kOben : kUnten));
    for (int reihe = 1; reihe <= 8; ++reihe) {
      const double weiter = 11.0 * reihe;
      const double darueber = -5 - weiter;
      const double darunter = 12 + weiter;
      for (const double dy : {oben ? darueber : darunter, oben ? darunter : darueber}) {
        lagen.push_back({4, dy, 0});
        lagen.push_back({-4, dy, 2});
      }
    }
    const Lage* wahl = nullptr;
    const Lage* innen = nullptr;
    for (const Lage& lage : lagen) {
      const Kasten k = KastenVon(x, y, lage.dx, lage.dy, lage.anker, breite);
      if (!Innen(k)) continue;
      if (innen == nullptr) innen = &lage;
      if (Frei(k)) {
        wahl = &lage;
        break;
      }
    }
    if (wahl == nullptr) wahl = innen != nullptr ? innen : &lagen.front();
    const Kasten k = KastenVon(x, y, wahl->dx, wahl->dy, wahl->anker, breite);
    belegt_.push_back(k);
    z.Roh("<rect x=\"" + svg::K(k.x0) + "\" y=\"" + svg::K(k.y0) + "\" width=\"" +
          svg::K(k.x1 - k.x0) + "\" height=\"" + svg::K(k.y1 - k.y0) +
          "\" rx=\"1.5\" fill=\"#ffffff\" fill-opacity=\"0.85\"/>\n");
    constexpr std::string_view kAnker[] = {"start", "middle", "end"};
    // The text in the middle of its box.
    const double tx = wahl->anker == 0   ? k.x0 + 1.5
                      : wahl->anker == 1 ? (k.x0 + k.x1) / 2
                                         : k.x1 - 1.5;
    z.Schrift(tx, y + wahl->dy, kAnker[wahl->anker], text,
              "fill=\"" + std::string(farbe) +
                  "\" stroke=\"#ffffff\" stroke-width=\"3\" stroke-linejoin=\"round\" "
                  "paint-order=\"stroke\"");
  }

 private:
  struct Kasten {
    double x0, y0, x1, y1;
  };
  // The box of a label `breite` wide at (x + dx, y + dy), its baseline 2
  // above its foot.
  static Kasten KastenVon(double x, double y, double dx, double dy, int anker, double breite) {
    const double tx = x + dx;
    const double links = anker == 0 ? tx : anker == 1 ? tx - breite / 2 : tx - breite;
    return {links, y + dy - 8, links + breite, y + dy + 2.5};
  }
  bool Innen(const Kasten& k) const {
    return k.x0 >= p_.links() + 1 && k.x1 <= p_.rechts() - 1 && k.y0 >= p_.oben() + 1 &&
           k.y1 <= p_.unten() - 1;
  }
  bool Frei(const Kasten& k) const {
    return std::none_of(belegt_.begin(), belegt_.end(), [&](const Kasten& b) {
      return k.x0 < b.x1 && b.x0 < k.x1 && k.y0 < b.y1 && b.y0 < k.y1;
    });
  }

  const Plot& p_;
  std::vector<Kasten> belegt_;
};

// A legend entry: a short line in the curve's style and its name; returns
// the x after it.
double Legende(svg::Leinwand& z, double x, double y, const Kurve& k) {
  z.Linie(x, y - 3, x + 18, y - 3, Strich(k.farbe, k.gestrichelt, k.dick));
  z.Schrift(x + 22, y, "start", k.name);
  return x + 22 + Textbreite(k.name, kSchrift) + 14;
}

bool AlleNull(const std::vector<double>& werte) {
  return std::all_of(werte.begin(), werte.end(), [](double v) { return v == 0; });
}

}  // namespace

std::vector<Extremwert> Extremwerte(const Kurve& kurve, const std::vector<double>& xs,
                                    double rauschen) {
  std::vector<Extremwert> extreme;
  std::size_t groesster = kurve.werte.size();
  std::size_t kleinster = kurve.werte.size();
  for (std::size_t i = 0; i < kurve.werte.size() && i < xs.size(); ++i) {
    const double v = kurve.werte[i];
    if (!std::isfinite(v)) continue;
    if (groesster == kurve.werte.size() || v > kurve.werte[groesster]) groesster = i;
    if (kleinster == kurve.werte.size() || v < kurve.werte[kleinster]) kleinster = i;
  }
  if (groesster < kurve.werte.size() && kurve.werte[groesster] > rauschen) {
    extreme.push_back({kurve.name, kurve.werte[groesster], xs[groesster]});
  }
  if (kleinster < kurve.werte.size() && kurve.werte[kleinster] < -rauschen) {
    extreme.push_back({kurve.name, kurve.werte[kleinster], xs[kleinster]});
  }
  return extreme;
}

std::string VerlaufSvg(double L, const std::vector<double>& xs, const std::vector<Kurve>& kurven,
                       std::string_view titel, std::string_view achse) {
  // The range of the values, rounding (within kRauschen of the largest
  // magnitude) counted as zero, so that a moment of -1e-13 N m at a free
  // end does not open a negative half of the axis.
  double betrag = 0;
  for (const Kurve& k : kurven) {
    for (const double v : k.werte) {
      if (std::isfinite(v)) betrag = std::max(betrag, std::fabs(v));
    }
  }
  const double rauschen = kRauschen * betrag;
  double lo = 0;
  double hi = 0;
  for (const Kurve& k : kurven) {
    for (const double v : k.werte) {
      if (!std::isfinite(v) || std::fabs(v) <= rauschen) continue;
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
  }
  const bool null = lo == 0 && hi == 0;
  if (null) {
    lo = -1;
    hi = 1;
  }
  Achse y = RundeAchse(lo, hi, 0.12, 6);
  const bool zeichenbar = Endlich(y);
  if (!zeichenbar) y = {-1, 1, 1};
  const Plot p(L, y, 18);
  svg::Leinwand z(kBildbreite, "verlauf", titel);
  z.Roh("<g font-family=\"sans-serif\" font-size=\"8.5\">\n");
  std::accumulate(kurven.begin(), kurven.end(), p.links(),
                  [&](double lx, const Kurve& k) { return Legende(z, lx, 10, k); });
  Rahmen(z, p, achse);

  if (!zeichenbar) {
    z.Schrift((p.links() + p.rechts()) / 2, p.Y(0.5), "middle",
              "Die Werte sind zu groß für die Achse.");
  } else if (null) {
    z.Schrift((p.links() + p.rechts()) / 2, p.Y(0.5), "middle", "überall null");
  }
  Beschriftung schrift(p);
  std::vector<std::pair<const Kurve*, Extremwert>> extreme;
  if (zeichenbar) {
    for (const Kurve& k : kurven) {
      svg::Pfad pfad;
      bool offen = false;
      for (std::size_t i = 0; i < k.werte.size() && i < xs.size(); ++i) {
        if (!std::isfinite(k.werte[i])) {
          offen = false;
          continue;
        }
        const double px = p.X(xs[i]);
        const double py = p.Y(k.werte[i]);
        if (offen) {
          pfad.L(px, py);
        } else {
          pfad.M(px, py);
        }
        offen = true;
      }
      z.Zeichne(pfad, Strich(k.farbe, k.gestrichelt, k.dick));
      for (const Extremwert& e : Extremwerte(k, xs, rauschen)) {
        extreme.emplace_back(&k, e);
        schrift.Belege(p.X(e.x), p.Y(e.wert), 3);
      }
    }
  }
  for (const auto& [k, e] : extreme) {
    const double px = p.X(e.x);
    const double py = p.Y(e.wert);
    z.Kreis(px, py, 2.2, "fill=\"" + std::string(k->farbe) + "\"");
    schrift.Setze(z, px, py, e.name + " = " + Zahl(e.wert), e.wert > 0, k->farbe);
  }
  z.Roh("</g>\n");
  return z.Fertig(p.unten() + 16);
}

std::vector<Verlaufsdiagramm> Verlaufsdiagramme(double L, const std::vector<Kurvenpunkt>& punkte,
                                                std::string_view lastfall) {
  const auto werte = [&](auto wert) {
    std::vector<double> v(punkte.size());
    std::transform(punkte.begin(), punkte.end(), v.begin(), wert);
    return v;
  };
  const std::vector<double> xs = werte([](const Kurvenpunkt& k) { return k.x; });
  const std::string lf = std::string(lastfall) + " – ";
  std::vector<Verlaufsdiagramm> diagramme;

  std::vector<Kurve> kurven = {
      {"Mxy", werte([](const Kurvenpunkt& k) { return k.mittel.Mxy; }), kBlau},
      {"Mxz", werte([](const Kurvenpunkt& k) { return k.mittel.Mxz; }), kOrange},
      {"Mb", werte([](const Kurvenpunkt& k) { return k.mittel.Mb; }), kSchwarz, false, true},
  };
  Kurve ausschlag{"Mb_a", werte([](const Kurvenpunkt& k) { return k.Mb_a; }), kSchwarz, true};
  if (!AlleNull(ausschlag.werte)) kurven.push_back(std::move(ausschlag));
  diagramme.push_back({"Biegemomente", VerlaufSvg(L, xs, kurven, lf + "Biegemomente", "M in N·m")});

  kurven = {{"T", werte([](const Kurvenpunkt& k) { return k.mittel.T; }), kSchwarz, false, true}};
  ausschlag = {"T_a", werte([](const Kurvenpunkt& k) { return k.T_a; }), kSchwarz, true};
  if (!AlleNull(ausschlag.werte)) kurven.push_back(std::move(ausschlag));
  diagramme.push_back(
      {"Torsionsmoment", VerlaufSvg(L, xs, kurven, lf + "Torsionsmoment", "T in N·m")});

  kurven = {{"N", werte([](const Kurvenpunkt& k) { return k.mittel.N; }), kSchwarz, false, true}};
  ausschlag = {"N_a", werte([](const Kurvenpunkt& k) { return k.N_a; }), kSchwarz, true};
  if (!AlleNull(ausschlag.werte)) kurven.push_back(std::move(ausschlag));
  diagramme.push_back(
      {"Längskraft (Zug positiv)", VerlaufSvg(L, xs, kurven, lf + "Längskraft", "N in N")});

  kurven = {
      {"wy", werte([](const Kurvenpunkt& k) { return k.wy * 1000; }), kBlau},
      {"wz", werte([](const Kurvenpunkt& k) { return k.wz * 1000; }), kOrange},
      {"w", werte([](const Kurvenpunkt& k) { return k.w * 1000; }), kSchwarz, false, true},
  };
  diagramme.push_back(
      {"Durchbiegung (Mittelwerte)", VerlaufSvg(L, xs, kurven, lf + "Durchbiegung", "w in µm")});
  return diagramme;
}

std::string SicherheitenSvg(double L, const std::vector<Stelle>& stellen,
                            const Lastfallergebnis& ergebnis, double smin,
                            std::string_view lastfall) {
  const std::size_t n = std::min(stellen.size(), ergebnis.stellen.size());
  struct Punkt {
    double x;
    double wert;
    bool gueltig;
  };
  std::vector<Punkt> dauer;
  std::vector<Punkt> fliess;
  // The axis reaches from zero to the largest factor, but no further than
  // five times S_min or twice the smallest factor, whichever is more: the
  // factors near S_min are what counts; those beyond show as arrowheads.
  double kleinster_wert = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < n; ++i) {
    for (const double v :
         {ergebnis.stellen[i].n.SDauerbruch, ergebnis.stellen[i].n.SFliessgrenze}) {
      if (!std::isfinite(v) || v <= 0) continue;
      kleinster_wert = std::min(kleinster_wert, v);
    }
  }
  const double kappe = std::max(5 * smin, std::isfinite(kleinster_wert) ? 2 * kleinster_wert : 0.0);
  double hi = 1.5 * smin;
  for (std::size_t i = 0; i < n; ++i) {
    const Stellennachweis& s = ergebnis.stellen[i];
    const Urteil u = Beurteile(s.e, s.n, smin);
    const bool d = u.dauerbruch.bewertung != Bewertung::kUngueltig && !std::isnan(s.n.SDauerbruch);
    const bool f =
        u.fliessgrenze.bewertung != Bewertung::kUngueltig && !std::isnan(s.n.SFliessgrenze);
    dauer.push_back({stellen[i].x, s.n.SDauerbruch, d});
    fliess.push_back({stellen[i].x, s.n.SFliessgrenze, f});
    for (const Punkt& q : {dauer.back(), fliess.back()}) {
      if (q.gueltig && std::isfinite(q.wert)) hi = std::max(hi, std::min(q.wert, kappe));
    }
  }
  Achse y = RundeAchse(0, hi, 0.06, 5);
  if (!Endlich(y)) y = {0, 2, 0.5};

  // The sections' numbers over the plot, in rows.
  const Laengsmass m{L};
  svg::Reihen reihen(3);
  std::vector<std::size_t> reihe;
  for (std::size_t i = 0; i < n; ++i) {
    const std::string nummer = Zahl(stellen[i].nummer);
    const double b = Textbreite(nummer, kSchrift);
    reihe.push_back(reihen.Setze(m.X(stellen[i].x) - b / 2, m.X(stellen[i].x) + b / 2));
  }
  const double oben = 8 + static_cast<double>(reihen.Anzahl()) * 10 + 4;
  const Plot p(L, y, oben);
  svg::Leinwand z(kBildbreite, "verlauf", std::string(lastfall) + " – Sicherheiten der Stellen");
  z.Roh("<g font-family=\"sans-serif\" font-size=\"8.5\">\n");
  for (std::size_t i = 0; i < n; ++i) {
    const double px = m.X(stellen[i].x);
    const double ty = oben - 6 - static_cast<double>(reihe[i]) * 10;
    z.Schrift(px, ty, "middle", Zahl(stellen[i].nummer),
              "fill=\"" + std::string(kRot) + "\" font-weight=\"bold\"");
  }
  Rahmen(z, p, "S");
  for (std::size_t i = 0; i < n; ++i) {
    const double px = m.X(stellen[i].x);
    z.Linie(px, p.oben(), px, p.unten(),
            "stroke=\"#d7b0aa\" stroke-width=\"0.6\" "
            "stroke-dasharray=\"1.5 2\"");
  }
  const double py_min = p.Y(smin);
  z.Linie(p.links(), py_min, p.rechts(), py_min,
          "stroke=\"#111111\" stroke-width=\"1.1\" stroke-dasharray=\"6 3\"");

  Beschriftung schrift(p);
  schrift.Belege(p.rechts() - 40, py_min, 6);
  schrift.BelegeLinie(py_min);
  // Each point: a circle for S Dauerbruch, a square for S Fließgrenze; an
  // arrowhead at the top beyond the axis, a cross on the axis where invalid.
  // The crosses come last, over any point near the axis.
  const auto zeichne = [&](const Punkt& q, bool kreis, bool kreuze) {
    const std::string_view farbe = kreis ? kBlau : kRot;
    const double px = p.X(q.x);
    if (!q.gueltig) {
      if (!kreuze) return;
      const double py = p.unten();
      z.Linie(px - 3.5, py - 3.5, px + 3.5, py + 3.5,
              "stroke=\"" + std::string(farbe) + "\" stroke-width=\"1.6\"");
      z.Linie(px - 3.5, py + 3.5, px + 3.5, py - 3.5,
              "stroke=\"" + std::string(farbe) + "\" stroke-width=\"1.6\"");
      return;
    }
    if (kreuze) return;
    if (q.wert > y.max) {
      z.Kopf(px + (kreis ? -2.5 : 2.5), p.oben() + 1, 0, -1, farbe);
      return;
    }
    const double py = p.Y(std::max(q.wert, y.min));
    schrift.Belege(px, py, 4);
    if (kreis) {
      z.Kreis(px, py, 3, "fill=\"" + std::string(farbe) + "\"");
    } else {
      z.Roh("<rect x=\"" + svg::K(px - 3) + "\" y=\"" + svg::K(py - 3) +
            "\" width=\"6\" height=\"6\" fill=\"#ffffff\" stroke=\"" + std::string(farbe) +
            "\" stroke-width=\"1.4\"/>\n");
    }
  };
  for (const bool kreuze : {false, true}) {
    for (std::size_t i = 0; i < n; ++i) {
      zeichne(dauer[i], true, kreuze);
      zeichne(fliess[i], false, kreuze);
    }
  }
  // The smallest valid factor of each kind, with its section.
  const auto kleinster = [&](const std::vector<Punkt>& punkte, std::string_view name,
                             std::string_view farbe) {
    std::size_t k = n;
    for (std::size_t i = 0; i < n; ++i) {
      if (punkte[i].gueltig && (k == n || punkte[i].wert < punkte[k].wert)) k = i;
    }
    if (k == n) return;
    const double py = punkte[k].wert > y.max ? p.oben() + 8 : p.Y(std::max(punkte[k].wert, y.min));
    schrift.Setze(z, p.X(punkte[k].x), py,
                  std::string(name) + " = " + Zahl(punkte[k].wert) + " (Stelle " +
                      Zahl(stellen[k].nummer) + ")",
                  false, farbe);
  };
  kleinster(dauer, "S Dauerbruch", kBlau);
  kleinster(fliess, "S Fließgrenze", kRot);
  z.Schrift(p.rechts() - 3, py_min - 3, "end", "S_min = " + Zahl(smin),
            "stroke=\"#ffffff\" stroke-width=\"2.5\" paint-order=\"stroke\"");

  // The legend under the axis.
  const double ly = p.unten() + 26;
  double lx = p.links();
  z.Kreis(lx + 4, ly - 3, 3, "fill=\"" + std::string(kBlau) + "\"");
  z.Schrift(lx + 11, ly, "start", "S Dauerbruch");
  lx += 11 + Textbreite("S Dauerbruch", kSchrift) + 14;
  z.Roh("<rect x=\"" + svg::K(lx + 1) + "\" y=\"" + svg::K(ly - 6) +
        "\" width=\"6\" height=\"6\" fill=\"#ffffff\" stroke=\"" + std::string(kRot) +
        "\" stroke-width=\"1.4\"/>\n");
  z.Schrift(lx + 11, ly, "start", "S Fließgrenze");
  lx += 11 + Textbreite("S Fließgrenze", kSchrift) + 14;
  z.Linie(lx, ly - 3, lx + 18, ly - 3,
          "stroke=\"#111111\" stroke-width=\"1.1\" stroke-dasharray=\"6 3\"");
  z.Schrift(lx + 22, ly, "start", "S_min");
  lx += 22 + Textbreite("S_min", kSchrift) + 14;
  z.Schrift(lx, ly, "start", "▲ über " + Zahl(y.max) + " · × ungültig · Zahlen: Stellen",
            "fill=\"#444444\"");
  z.Roh("</g>\n");
  return z.Fertig(ly + 6);
}

}  // namespace wellen::report

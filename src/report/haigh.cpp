#include "report/haigh.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "format/number.h"
#include "report/zahl.h"

namespace wellen::report {
namespace {

constexpr HaighNamen kZug{"SigzdWK", "psizdsK", "SigzdFK",  "gZug",
                          "Sigmv",   "Sigzda",  "SigzdADK", "σ"};
constexpr HaighNamen kBie{"SigbWK", "psibsK", "SigbFK", "gBie", "Sigmv", "Sigba", "SigbADK", "σ"};
constexpr HaighNamen kTor{"TautWK", "psitauK", "TautFK", "gTor", "Taumv", "Tauta", "TautADK", "τ"};

// Room around the data, a share of the span on the side away from zero:
// across for the labels at the ends, and more above, where the labels of
// WK and of the points stand over them.
constexpr double kRandX = 0.04;
constexpr double kRandY = 0.12;
// About this many ticks per axis.
constexpr double kTicks = 6;

// A coordinate or a size of the drawing, as SVG reads it.
std::string Text(double value) { return std::string(Number(value).text()); }

// An axis over [lo, hi] (lo < hi, both finite) with round ticks: 1, 2 or 5
// times a power of ten.
Achse RundeAchse(double lo, double hi, double rand) {
  const double span = hi - lo;
  if (lo < 0) lo -= rand * span;
  if (hi > 0) hi += rand * span;
  const double roh = (hi - lo) / kTicks;
  const double stelle = std::pow(10.0, std::floor(std::log10(roh)));
  const double anteil = roh / stelle;
  const double schritt = (anteil <= 1 ? 1 : anteil <= 2 ? 2 : anteil <= 5 ? 5 : 10) * stelle;
  return {std::floor(lo / schritt) * schritt, std::ceil(hi / schritt) * schritt, schritt};
}

Achse Umfassend(std::initializer_list<double> werte, double rand) {
  const auto [lo, hi] = std::minmax(werte);
  return RundeAchse(lo, hi, rand);
}

// The width of a label in the units of the drawing, near enough for placing
// it: the font is 12 units high, its glyphs about 0.57 of that wide.
double Breite(std::string_view text) {
  // Characters, not bytes: UTF-8 continuation bytes do not count.
  const auto zeichen = std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0u) != 0x80u;
  });
  return static_cast<double>(zeichen) * 6.9;
}

bool Endlich(const Achse& a) {
  return std::isfinite(a.min) && std::isfinite(a.max) && std::isfinite(a.schritt) &&
         a.schritt > 0 && a.max > a.min;
}

// The drawing area of the SVG, in its own units.
constexpr double kBreite = 480;
constexpr double kHoehe = 350;
constexpr double kLinks = 62;
constexpr double kRechts = 450;
constexpr double kOben = 16;
constexpr double kUnten = 266;

constexpr std::string_view kBlau = "#1f5fa8";
constexpr std::string_view kRot = "#b8321f";

class Zeichnung {
 public:
  Zeichnung(const Achse& x, const Achse& y) : x_(x), y_(y) {}

  double X(double wert) const {
    return kLinks + (wert - x_.min) / (x_.max - x_.min) * (kRechts - kLinks);
  }
  double Y(double wert) const {
    return kUnten - (wert - y_.min) / (y_.max - y_.min) * (kUnten - kOben);
  }

  // A coordinate of the drawing, to a tenth of a unit.
  static std::string K(double v) { return Text(std::round(v * 10) / 10 + 0.0); }  // no "-0"

  void Linie(double x1, double y1, double x2, double y2, std::string_view attribute) {
    svg_ += "<line x1=\"" + K(x1) + "\" y1=\"" + K(y1) + "\" x2=\"" + K(x2) + "\" y2=\"" + K(y2) +
            "\" " + std::string(attribute) + "/>\n";
  }

  void Schrift(double x, double y, std::string_view anker, std::string_view text,
               std::string_view extra = "") {
    svg_ += "<text x=\"" + K(x) + "\" y=\"" + K(y) + "\" text-anchor=\"" + std::string(anker) +
            "\"" + std::string(extra) + ">" + std::string(text) + "</text>\n";
  }

  void Kreis(Punkt p, double r, std::string_view attribute) {
    svg_ += "<circle cx=\"" + K(X(p.x)) + "\" cy=\"" + K(Y(p.y)) + "\" r=\"" + K(r) + "\" " +
            std::string(attribute) + "/>\n";
  }

  void Strich(const Strecke& s, std::string_view attribute) {
    Linie(X(s.a.x), Y(s.a.y), X(s.b.x), Y(s.b.y), attribute);
  }

  void Roh(std::string_view text) { svg_ += text; }
  std::string& svg() { return svg_; }

 private:
  Achse x_, y_;
  std::string svg_;
};

enum class Anker { kAnfang, kMitte, kEnde };

// Where a label stands relative to its point: offset of the text's anchor
// and which end of the text the anchor is.
struct Lage {
  double dx, dy;
  Anker anker;
};

// Right or left of the point; over it, level with it or under it.
constexpr Lage kRO{9, -6, Anker::kAnfang};
constexpr Lage kLO{-9, -6, Anker::kEnde};
constexpr Lage kRM{9, 4, Anker::kAnfang};
constexpr Lage kLM{-9, 4, Anker::kEnde};
constexpr Lage kRU{9, 16, Anker::kAnfang};
constexpr Lage kLU{-9, 16, Anker::kEnde};
// Centred over or under the point.
constexpr Lage kOM{0, -10, Anker::kMitte};
constexpr Lage kUM{0, 20, Anker::kMitte};

// Places labels one after the other so that none leaves the plot or covers
// a point or an earlier label. Each label has a white halo, so that the
// lines under it do not hide it.
class Platzierer {
 public:
  explicit Platzierer(Zeichnung& z) : z_(z) {}

  // Marks a square of half width r around (x, y) as taken.
  void Belege(double x, double y, double r) { belegt_.push_back({x - r, y - r, x + r, y + r}); }

  // Writes `text` for the point (x, y) at the first of `lagen` that is free;
  // failing that at the first that stays inside the plot; failing that at
  // the first.
  void Setze(double x, double y, const std::string& text, std::initializer_list<Lage> lagen) {
    const double breite = Breite(text);
    const Lage* wahl = nullptr;
    const Lage* innen = nullptr;
    for (const Lage& lage : lagen) {
      const Kasten k = KastenVon(x, y, lage, breite);
      if (!Innen(k)) continue;
      if (innen == nullptr) innen = &lage;
      if (Frei(k)) {
        wahl = &lage;
        break;
      }
    }
    if (wahl == nullptr) wahl = innen != nullptr ? innen : lagen.begin();
    belegt_.push_back(KastenVon(x, y, *wahl, breite));
    constexpr std::string_view kAnker[] = {"start", "middle", "end"};
    z_.Schrift(x + wahl->dx, y + wahl->dy, kAnker[static_cast<int>(wahl->anker)], text,
               " stroke=\"#ffffff\" stroke-width=\"3\" paint-order=\"stroke\"");
  }

 private:
  struct Kasten {
    double x0, y0, x1, y1;
  };

  // The box a text of this width covers, from 10 units above its baseline
  // to 3 below.
  static Kasten KastenVon(double x, double y, const Lage& lage, double breite) {
    const double tx = x + lage.dx;
    const double ty = y + lage.dy;
    const double links = lage.anker == Anker::kAnfang  ? tx
                         : lage.anker == Anker::kMitte ? tx - breite / 2
                                                       : tx - breite;
    return {links, ty - 10, links + breite, ty + 3};
  }
  static bool Innen(const Kasten& k) {
    return k.x0 >= kLinks + 2 && k.x1 <= kRechts - 2 && k.y0 >= kOben + 2 && k.y1 <= kUnten - 2;
  }
  bool Frei(const Kasten& k) const {
    return std::none_of(belegt_.begin(), belegt_.end(), [&](const Kasten& b) {
      return k.x0 < b.x1 && b.x0 < k.x1 && k.y0 < b.y1 && b.y0 < k.y1;
    });
  }

  Zeichnung& z_;
  std::vector<Kasten> belegt_;
};

// Every tick value of an axis; the loop is bounded, since min and max are
// multiples of the step.
template <typename F>
void JederTick(const Achse& a, F f) {
  const long anzahl = std::lround((a.max - a.min) / a.schritt);
  for (long i = 0; i <= anzahl && i <= 50; ++i) {
    double wert = a.min + static_cast<double>(i) * a.schritt;
    if (std::fabs(wert) < a.schritt * 1e-9) wert = 0;  // no "-0" or "1e-14" at the origin
    f(wert);
  }
}

}  // namespace

HaighWerte WerteFuer(const Eingabewerte& e, const Nachweis& n, Last last) {
  switch (last) {
    case Last::kZug:
      return {n.SigzdWK, n.psizdsK, n.SigzdFK, n.gZug, n.Sigmv, e.Sigzda, n.SigzdADK};
    case Last::kBie: return {n.SigbWK, n.psibsK, n.SigbFK, n.gBie, n.Sigmv, e.Sigba, n.SigbADK};
    case Last::kTor: break;
  }
  return {n.TautWK, n.psitauK, n.TautFK, n.gTor, n.Taumv, e.Tauta, n.TautADK};
}

const HaighNamen& NamenFuer(Last last) {
  switch (last) {
    case Last::kZug: return kZug;
    case Last::kBie: return kBie;
    case Last::kTor: break;
  }
  return kTor;
}

HaighGeometrie Geometrie(const HaighWerte& w) {
  HaighGeometrie g{};
  const double links = std::min(0.0, w.m);
  g.dauer = {{links, w.WK - w.psi * links}, {w.g, w.WK - w.psi * w.g}};
  g.schwelle = {w.g, w.FK - w.g};
  g.fliess = {g.schwelle, {w.FK, 0}};
  if (w.m > w.FK && w.m > w.g) g.jenseits = Strecke{{w.FK, 0}, {w.m, w.FK - w.m}};
  g.betrieb = {w.m, w.amplitude};
  g.zulaessig = {w.m, w.ADK};
  g.x = Umfassend({0.0, links, w.g, w.FK, w.m}, kRandX);
  g.y = Umfassend({0.0, w.WK, g.dauer.a.y, g.dauer.b.y, g.schwelle.y, w.amplitude, w.ADK,
                   g.jenseits ? g.jenseits->b.y : 0.0},
                  kRandY);
  return g;
}

std::string KeinDiagramm(const HaighWerte& w, Last last) {
  const HaighNamen& namen = NamenFuer(last);
  const std::pair<std::string_view, double> werte[] = {
      {namen.WK, w.WK},  {namen.psi, w.psi}, {namen.FK, w.FK},
      {namen.g, w.g},    {namen.m, w.m},     {namen.amplitude, w.amplitude},
      {namen.ADK, w.ADK}};
  for (const auto& [name, wert] : werte) {
    if (!std::isfinite(wert)) {
      return std::string(name) + " = " + Zahl(wert) + " ist nicht endlich";
    }
  }
  if (w.WK <= 0) return std::string(namen.WK) + " = " + Zahl(w.WK) + " ist nicht positiv";
  if (w.FK <= 0) return std::string(namen.FK) + " = " + Zahl(w.FK) + " ist nicht positiv";
  const HaighGeometrie g = Geometrie(w);
  if (!Endlich(g.x) || !Endlich(g.y)) return "die Werte sind zu groß für die Achsen";
  return {};
}

std::string HaighSvg(const HaighWerte& w, Last last) {
  if (!KeinDiagramm(w, last).empty()) return {};
  const HaighNamen& namen = NamenFuer(last);
  const HaighGeometrie g = Geometrie(w);
  Zeichnung z(g.x, g.y);

  z.Roh("<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"haigh\" viewBox=\"0 0 " + Text(kBreite) +
        " " + Text(kHoehe) + "\">\n");
  z.Roh("<title>Dauerfestigkeitsschaubild " + std::string(namen.sigma) + ": " +
        std::string(namen.amplitude) + " über " + std::string(namen.m) + "</title>\n");
  z.Roh("<g font-family=\"sans-serif\" font-size=\"12\">\n");

  // Grid, ticks and their values.
  JederTick(g.x, [&](double wert) {
    const double x = z.X(wert);
    z.Linie(x, kOben, x, kUnten, "stroke=\"#dddddd\"");
    z.Schrift(x, kUnten + 16, "middle", Zahl(wert));
  });
  JederTick(g.y, [&](double wert) {
    const double y = z.Y(wert);
    z.Linie(kLinks, y, kRechts, y, "stroke=\"#dddddd\"");
    z.Schrift(kLinks - 6, y + 4, "end", Zahl(wert));
  });
  z.Roh("<rect x=\"" + Zeichnung::K(kLinks) + "\" y=\"" + Zeichnung::K(kOben) + "\" width=\"" +
        Zeichnung::K(kRechts - kLinks) + "\" height=\"" + Zeichnung::K(kUnten - kOben) +
        "\" fill=\"none\" stroke=\"#888888\"/>\n");
  // The axes through the origin.
  z.Linie(z.X(0), kOben, z.X(0), kUnten, "stroke=\"#000000\"");
  z.Linie(kLinks, z.Y(0), kRechts, z.Y(0), "stroke=\"#000000\"");
  z.Schrift((kLinks + kRechts) / 2, kUnten + 36, "middle",
            "Vergleichsmittelspannung " + std::string(namen.m) + " in N/mm²");
  z.Schrift(16, (kOben + kUnten) / 2, "middle",
            "Ausschlag " + std::string(namen.amplitude) + " in N/mm²",
            " transform=\"rotate(-90 16 " + Zeichnung::K((kOben + kUnten) / 2) + ")\"");

  // The two lines and the points.
  const std::string dauer = "stroke=\"" + std::string(kBlau) + "\" stroke-width=\"2.5\"";
  const std::string fliess = "stroke=\"" + std::string(kRot) + "\" stroke-width=\"2.5\"";
  z.Strich(g.dauer, dauer);
  z.Strich(g.fliess, fliess);
  if (g.jenseits) {
    z.Strich(*g.jenseits,
             "stroke=\"" + std::string(kRot) + "\" stroke-width=\"1.5\" stroke-dasharray=\"2 3\"");
  }
  z.Linie(z.X(g.betrieb.x), z.Y(g.betrieb.y), z.X(g.zulaessig.x), z.Y(g.zulaessig.y),
          "stroke=\"#000000\" stroke-dasharray=\"5 4\"");
  z.Kreis(g.schwelle, 3.5, "fill=\"#ffffff\" stroke=\"#000000\" stroke-width=\"1.5\"");
  z.Kreis(g.zulaessig, 5, "fill=\"#ffffff\" stroke=\"#000000\" stroke-width=\"2\"");
  z.Kreis(g.betrieb, 5, "fill=\"#000000\"");

  // Labels, each at the first of its places that stays inside the plot and
  // clear of the points and of the labels placed before it.
  Platzierer p(z);
  for (const Punkt& punkt : {g.schwelle, g.zulaessig, g.betrieb})
    p.Belege(z.X(punkt.x), z.Y(punkt.y), 6);
  const auto name_wert = [](std::string_view name, double wert) {
    return std::string(name) + " = " + Zahl(wert);
  };
  // First the labels of the yield line, which have few good places: FK over
  // the mean stress axis, left of where the yield line meets it and far
  // enough left that the line clears the top of the text.
  {
    const double hoehe = z.Y(0) - z.Y(g.schwelle.y);
    const double weite = z.X(w.FK) - z.X(g.schwelle.x);
    double abstand = 6;
    if (hoehe > 0 && weite > 0) abstand += std::min(120.0, 20 * weite / hoehe);
    p.Setze(z.X(w.FK), z.Y(0), name_wert(namen.FK, w.FK),
            {Lage{-abstand, -6, Anker::kEnde}, Lage{6, -6, Anker::kAnfang},
             Lage{-abstand, 16, Anker::kEnde}, Lage{6, 16, Anker::kAnfang}});
  }
  // g to the right of the threshold point, where the yield line falls away
  // steeply; else below the fatigue line to its left.
  p.Setze(z.X(g.schwelle.x), z.Y(g.schwelle.y), name_wert(namen.g, w.g),
          {kRM, kLU, kRU, kRO, kLO, kLM});
  // The two points share their x: ADK goes on the far side from the
  // operating point, the amplitude beside its point.
  const double mx = z.X(w.m);
  const bool adk_oben = g.zulaessig.y >= g.betrieb.y;
  p.Setze(mx, z.Y(w.ADK), name_wert(namen.ADK, w.ADK),
          adk_oben ? std::initializer_list<Lage>{kRO, kLO, kOM, kRM, kLM, kRU, kLU}
                   : std::initializer_list<Lage>{kRU, kLU, kUM, kRM, kLM, kRO, kLO});
  p.Setze(mx, z.Y(w.amplitude), name_wert(namen.amplitude, w.amplitude),
          adk_oben ? std::initializer_list<Lage>{kLM, kRM, kLU, kRU, kLO, kRO}
                   : std::initializer_list<Lage>{kLM, kRM, kLO, kRO, kLU, kRU});
  // WK over the start of the fatigue line on the amplitude axis; where the
  // permissible point of a compressive mean stress took that place, under
  // the line, far enough down that the falling line clears the text.
  {
    const std::string text = name_wert(namen.WK, w.WK);
    const double x0 = z.X(g.dauer.a.x);
    const double x1 = z.X(g.dauer.b.x);
    const double steigung = x1 > x0 ? (z.Y(g.dauer.b.y) - z.Y(g.dauer.a.y)) / (x1 - x0) : 0;
    const double unter = 16 + std::clamp(steigung, 0.0, 1.0) * Breite(text);
    p.Setze(z.X(0), z.Y(w.WK), text,
            {Lage{6, -7, Anker::kAnfang}, Lage{6, unter, Anker::kAnfang}, kLO, kLU});
  }

  // Legend under the axis title.
  const double ly = kHoehe - 14;
  double lx = kLinks;
  const auto eintrag = [&](std::string_view zeichen, std::string_view text, double breite) {
    z.Roh(zeichen);
    z.Schrift(lx + 24, ly + 4, "start", text);
    lx += breite;
  };
  eintrag("<line x1=\"" + Zeichnung::K(lx) + "\" y1=\"" + Zeichnung::K(ly) + "\" x2=\"" +
              Zeichnung::K(lx + 18) + "\" y2=\"" + Zeichnung::K(ly) + "\" " + dauer + "/>\n",
          "Dauerfestigkeit", 124);
  eintrag("<line x1=\"" + Zeichnung::K(lx) + "\" y1=\"" + Zeichnung::K(ly) + "\" x2=\"" +
              Zeichnung::K(lx + 18) + "\" y2=\"" + Zeichnung::K(ly) + "\" " + fliess + "/>\n",
          "Fließgrenze", 104);
  eintrag("<circle cx=\"" + Zeichnung::K(lx + 9) + "\" cy=\"" + Zeichnung::K(ly) +
              "\" r=\"5\" fill=\"#000000\"/>\n",
          "Betrieb", 84);
  eintrag("<circle cx=\"" + Zeichnung::K(lx + 9) + "\" cy=\"" + Zeichnung::K(ly) +
              "\" r=\"5\" fill=\"#ffffff\" stroke=\"#000000\" stroke-width=\"2\"/>\n",
          "zulässig", 0);
  z.Roh("</g>\n</svg>\n");
  return std::move(z.svg());
}

}  // namespace wellen::report

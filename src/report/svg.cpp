#include "report/svg.h"

#include <algorithm>
#include <cmath>

#include "format/number.h"
#include "report/html.h"

namespace wellen::report::svg {

std::string K(double v) { return std::string(Number(std::round(v * 10) / 10 + 0.0).text()); }

double Textbreite(std::string_view text, double schrift) {
  const auto zeichen = std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U;
  });
  return static_cast<double>(zeichen) * 0.575 * schrift;
}

Pfad& Pfad::Befehl(char c) {
  if (!d_.empty()) d_ += ' ';
  d_ += c;
  return *this;
}

Pfad& Pfad::Punkt(double x, double y) {
  d_ += K(x);
  d_ += ',';
  d_ += K(y);
  return *this;
}

Pfad& Pfad::M(double x, double y) { return Befehl('M').Punkt(x, y); }
Pfad& Pfad::L(double x, double y) { return Befehl('L').Punkt(x, y); }

Pfad& Pfad::H(double x) {
  Befehl('H');
  d_ += K(x);
  return *this;
}

Pfad& Pfad::V(double y) {
  Befehl('V');
  d_ += K(y);
  return *this;
}

Pfad& Pfad::A(double rx, double ry, int sweep, double x, double y, bool gross) {
  Befehl('A').Punkt(rx, ry);
  d_ += gross ? " 0 1 " : " 0 0 ";
  d_ += sweep != 0 ? "1 " : "0 ";
  return Punkt(x, y);
}

Pfad& Pfad::Z() { return Befehl('Z'); }

Leinwand::Leinwand(double breite, std::string_view klasse, std::string_view titel)
    : breite_(breite),
      kopf_("\" class=\"" + std::string(klasse) + "\">\n<title>" + Html(titel) + "</title>\n") {}

void Leinwand::Linie(double x1, double y1, double x2, double y2, std::string_view attribute) {
  inhalt_ += "<line x1=\"" + K(x1) + "\" y1=\"" + K(y1) + "\" x2=\"" + K(x2) + "\" y2=\"" + K(y2) +
             "\" " + std::string(attribute) + "/>\n";
}

void Leinwand::Zeichne(const Pfad& p, std::string_view attribute) {
  if (p.leer()) return;
  inhalt_ += "<path d=\"" + p.d() + "\" " + std::string(attribute) + "/>\n";
}

void Leinwand::Kreis(double cx, double cy, double r, std::string_view attribute) {
  inhalt_ += "<circle cx=\"" + K(cx) + "\" cy=\"" + K(cy) + "\" r=\"" + K(r) + "\" " +
             std::string(attribute) + "/>\n";
}

void Leinwand::Schrift(double x, double y, std::string_view anker, std::string_view text,
                       std::string_view attribute) {
  // Appended piece by piece (GCC 12 warns wrongly about "..." + string&&).
  inhalt_ += "<text x=\"";
  inhalt_ += K(x);
  inhalt_ += "\" y=\"";
  inhalt_ += K(y);
  inhalt_ += "\" text-anchor=\"";
  inhalt_ += anker;
  inhalt_ += '"';
  if (!attribute.empty()) {
    inhalt_ += ' ';
    inhalt_ += attribute;
  }
  inhalt_ += '>';
  inhalt_ += Html(text);
  inhalt_ += "</text>\n";
}

void Leinwand::Pfeil(double x1, double y1, double x2, double y2, std::string_view farbe,
                     double breite) {
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  const double laenge = std::hypot(dx, dy);
  if (!(laenge > 0)) return;
  const double ux = dx / laenge;
  const double uy = dy / laenge;
  const double kopf = std::min(7.0, laenge);
  Linie(x1, y1, x2 - ux * kopf, y2 - uy * kopf,
        "stroke=\"" + std::string(farbe) + "\" stroke-width=\"" + K(breite) + "\"");
  Kopf(x2, y2, ux, uy, farbe);
}

void Leinwand::Kopf(double x, double y, double ux, double uy, std::string_view farbe) {
  constexpr double kLaenge = 7;
  constexpr double kHalb = 2.8;
  const double bx = x - ux * kLaenge;
  const double by = y - uy * kLaenge;
  Pfad kopf;
  kopf.M(x, y).L(bx - uy * kHalb, by + ux * kHalb).L(bx + uy * kHalb, by - ux * kHalb).Z();
  Zeichne(kopf, "fill=\"" + std::string(farbe) + "\"");
}

std::string Leinwand::Fertig(double hoehe) const {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + K(breite_) + " " + K(hoehe) +
         kopf_ + inhalt_ + "</svg>\n";
}

std::size_t Reihen::Setze(double x0, double x1) {
  for (std::size_t reihe = 0; reihe < belegt_.size(); ++reihe) {
    auto& r = belegt_[reihe];
    const bool frei = std::none_of(r.begin(), r.end(), [&](const std::pair<double, double>& b) {
      return x0 < b.second + abstand_ && b.first < x1 + abstand_;
    });
    if (frei) {
      r.emplace_back(x0, x1);
      return reihe;
    }
  }
  belegt_.push_back({{x0, x1}});
  return belegt_.size() - 1;
}

}  // namespace wellen::report::svg

// Small tools for the report's drawings of a whole shaft: coordinates as SVG
// reads them, paths, a canvas that is closed once its height is known, and
// rows for labels that must not overlap.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wellen::report::svg {

// A coordinate or size, to a tenth of a unit, without "-0".
std::string K(double v);

// The width of a text in drawing units at font size `schrift`, near enough
// for placing it: the glyphs of a sans-serif font are about 0.575 of its
// size wide. Characters, not bytes, count.
double Textbreite(std::string_view text, double schrift);

// The d attribute of a path, command by command.
class Pfad {
 public:
  Pfad& M(double x, double y);
  Pfad& L(double x, double y);
  Pfad& H(double x);
  Pfad& V(double y);
  // An elliptical arc with radii rx, ry to (x, y); `sweep` as SVG's flag
  // (1: clockwise on the screen, 0: counter-clockwise); the small arc, or
  // the large one.
  Pfad& A(double rx, double ry, int sweep, double x, double y, bool gross = false);
  Pfad& Z();
  const std::string& d() const { return d_; }
  bool leer() const { return d_.empty(); }

 private:
  Pfad& Befehl(char c);
  Pfad& Punkt(double x, double y);
  std::string d_;
};

// An <svg> element written piece by piece; its height is given at the end.
class Leinwand {
 public:
  // `klasse`: the class of the element; `titel`: its <title>, plain text.
  Leinwand(double breite, std::string_view klasse, std::string_view titel);

  void Linie(double x1, double y1, double x2, double y2, std::string_view attribute);
  void Zeichne(const Pfad& p, std::string_view attribute);
  void Kreis(double cx, double cy, double r, std::string_view attribute);
  // A text at (x, y), its anchor "start", "middle" or "end"; `text` is
  // plain text, escaped here.
  void Schrift(double x, double y, std::string_view anker, std::string_view text,
               std::string_view attribute = {});
  // An arrow from (x1, y1) with its head at (x2, y2).
  void Pfeil(double x1, double y1, double x2, double y2, std::string_view farbe,
             double breite = 1.4);
  // An arrowhead with its tip at (x, y), pointing along the unit vector
  // (ux, uy).
  void Kopf(double x, double y, double ux, double uy, std::string_view farbe);
  void Roh(std::string_view text) { inhalt_ += text; }

  // The whole element, `hoehe` high.
  std::string Fertig(double hoehe) const;

 private:
  double breite_;
  std::string kopf_;
  std::string inhalt_;
};

// Labels along a line, each over an interval [x0, x1] of it, in rows: a
// label goes into the first row where it keeps `abstand` from the labels
// there. Rows count from 0.
class Reihen {
 public:
  explicit Reihen(double abstand) : abstand_(abstand) {}
  std::size_t Setze(double x0, double x1);
  std::size_t Anzahl() const { return belegt_.size(); }

 private:
  double abstand_;
  std::vector<std::vector<std::pair<double, double>>> belegt_;
};

}  // namespace wellen::report::svg

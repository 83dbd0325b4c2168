// The frame of a printable calculation report, shared by the companion
// programs: the style sheet with the running header and the page numbers,
// the title block of the first page, the sign-off box, and the fixed notes
// on the scope and the method.
//
// Printed by a browser (Chromium: --no-pdf-header-footer), every A4 page
// carries the title, project, drawing and date at its head, and the author,
// the program and "Seite N von M" at its foot, from CSS @page margin boxes.
// Nothing in it changes from run to run: there is a date only when one is
// given.
#pragma once

#include <string>
#include <string_view>

namespace wellen::report {

// What the report says about itself: the program that writes it, and the
// title data of the command line. Every text may be empty but the program's
// name.
struct Titelangaben {
  std::string programm;    // the program that writes the report: "wellen743-batch"
  std::string version;     // its version
  std::string titel;       // the document's title; empty: kStandardtitel
  std::string projekt;     // project
  std::string bearbeiter;  // author
  std::string zeichnung;   // drawing number and revision
  std::string datum;       // date; empty: the report has none
};

inline constexpr std::string_view kStandardtitel =
    "Festigkeitsnachweis für Wellen und Achsen nach DIN 743";

// From "<!DOCTYPE html>" to "<body>": the document's title, the style sheet
// and the running header and footer of every printed page.
std::string Dokumentanfang(const Titelangaben& t);
// "</body></html>".
std::string_view Dokumentende();

// The title block of the first page: the title, then a table of the title
// data and the program; `weitere_zeilen` are more rows of that table
// (<tr><th>name</th><td>value</td></tr>, already HTML).
std::string Titelblock(const Titelangaben& t, std::string_view weitere_zeilen);

// The sign-off box: Bearbeiter, Geprüft and Datum, each with an empty field
// to sign; the author's name, where given, under the first.
std::string Freigabe(const Titelangaben& t);

// The scope of the method, and how the numbers are computed.
std::string_view Geltungsbereich();
std::string_view Verfahren();

}  // namespace wellen::report

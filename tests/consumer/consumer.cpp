// A program outside the project that uses the installed calculation library:
// the check of the built-in defaults with its verdict; nominal stresses from
// section loads; the notes and the verdict of a case with a mistyped d; and
// the library's version.
#include <wellen743/hinweise.h>
#include <wellen743/nachweis.h>
#include <wellen743/schnittlasten.h>
#include <wellen743/urteil.h>
#include <wellen743/version.h>

#include <cstdio>

int main() {
  wellen::Eingabewerte e = wellen::DefaultEingabewerte();
  const wellen::Nachweis n = wellen::Calculate(e);
  std::printf("%g %g %s\n", n.SDauerbruch, n.SFliessgrenze,
              wellen::NachweisErfuellt(e, n, 1.2) ? "erfuellt" : "nicht erfuellt");

  // A bending moment of 1884.96 N m (mean) and 450 N m (amplitude) at d.
  wellen::Schnittlasten lasten;
  lasten.Mbm = 1884.96;
  lasten.Mba = 450;
  e = wellen::SpannungenAusLasten(e, lasten);
  std::printf("Sigbm %g Sigba %g\n", e.Sigbm, e.Sigba);

  // The same loads with d mistyped as 4 mm.
  e.d = 4;
  e = wellen::SpannungenAusLasten(e, lasten);
  const wellen::Nachweis falsch = wellen::Calculate(e);
  for (const std::string& hinweis : wellen::Hinweise(e, falsch, lasten)) {
    std::printf("Hinweis: %s\n", hinweis.c_str());
  }
  const wellen::Urteil u = wellen::Beurteile(e, falsch, 1.2);
  std::printf("S Dauerbruch %g %s: %s\n", u.dauerbruch.wert,
              std::string(wellen::BewertungText(u.dauerbruch.bewertung)).c_str(),
              u.dauerbruch.grund.c_str());
  std::printf("%s\n", u.erfuellt ? "erfuellt" : "nicht erfuellt");

  std::printf("%s %d.%d.%d\n", WELLEN743_VERSION_STRING, WELLEN743_VERSION_MAJOR,
              WELLEN743_VERSION_MINOR, WELLEN743_VERSION_PATCH);
}

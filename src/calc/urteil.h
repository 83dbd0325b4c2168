// The verdict on a checked case: does it meet the required minimum safety,
// and can its two safety factors be trusted at all?
//
// Each safety factor is rated against S_min. A factor that rests on a value
// that cannot be right is rated "ungültig", whatever its own value: the
// fatigue factor rests on the permissible amplitude ADK of every load type
// with an amplitude, the yield factor on the component yield strength FK of
// every load type with a maximum stress (amplitude plus mean) that is not
// zero; such an ADK or FK must be positive and finite. A not positive ADK
// makes its quotient in the fatigue factor negative, and the factor can then
// come out larger, not smaller, however far the mean stress lies beyond the
// yield strength. Both factors are also "ungültig" when an input is not
// finite, or a value on the result pages is not a number: through the
// branches that a not-a-number comparison takes, and through logarithms of
// infinities, the check can still end in finite factors, which then prove
// nothing.
//
// The case meets the check when both factors reach S_min and neither is
// "ungültig".
//
// Pure: no input, no output, no state.
#pragma once

#include <string>
#include <string_view>

#include "eingabewerte.h"
#include "nachweis.h"

namespace wellen {

// The two safety factors of a check.
enum class Sicherheit {
  kDauerbruch,    // against fatigue fracture, Nachweis::SDauerbruch
  kFliessgrenze,  // against yielding, Nachweis::SFliessgrenze
};

// How a safety factor is rated.
enum class Bewertung {
  kReicht,       // at least S_min
  kReichtNicht,  // below S_min
  kUngueltig,    // rests on an implausible value (see above)
};

// The rating as the report and the table show it: "reicht", "reicht nicht",
// "ungültig" (UTF-8).
std::string_view BewertungText(Bewertung bewertung);

// The value of the safety factor `s` in `n`.
double Sicherheitswert(Sicherheit s, const Nachweis& n);

// The rating of `s`; allocates nothing.
Bewertung Bewerte(Sicherheit s, const Eingabewerte& e, const Nachweis& n, double smin);

// Why `s` is rated "ungültig": the strengths it rests on that are
// implausible, by their page names and as "%g", joined by ", "
// ("SigbADK = -164480 nicht positiv"); or else the inputs that are not
// finite ("Eingabe nicht endlich: D"); or else the page values that are not
// numbers ("Ergebnis keine Zahl: as  Bie, bs  Bie"). Empty when `s` is not
// "ungültig".
std::string Ungueltigkeit(Sicherheit s, const Eingabewerte& e, const Nachweis& n);

// The rating of one safety factor with its reason.
struct Faktorurteil {
  double wert;          // the safety factor
  Bewertung bewertung;  // its rating
  std::string grund;    // for kUngueltig, Ungueltigkeit(); else empty
};

// The verdict on a case, with both factors rated.
struct Urteil {
  Faktorurteil dauerbruch;
  Faktorurteil fliessgrenze;
  bool erfuellt;  // both factors kReicht
};

Urteil Beurteile(const Eingabewerte& e, const Nachweis& n, double smin);

// Beurteile(e, n, smin).erfuellt, without working out the reasons; allocates
// nothing.
bool NachweisErfuellt(const Eingabewerte& e, const Nachweis& n, double smin);

// True when a value that the result pages show is not a number.
bool KeineZahlAufDenSeiten(const Nachweis& n);

}  // namespace wellen

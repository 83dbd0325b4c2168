// Fuzz target: arbitrary bytes as a shaft file of wellen743-welle, from the
// TOML reader through the model's check to the computation and every
// writer.
//
// Checked: a file is either refused with at least one fault, each with a
// text and a place that is a whole position or none, or read into a shaft
// that the model's check finds nothing wrong with and whose material record
// keeps its invariants (K1Fall 1 to 4, harteRandschicht 0 or 1); a shaft
// read computes to a result for every load case and section, and the
// writers and the curves take it; written back as a shaft file (as
// --resized writes one), it reads as the very same shaft.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "check.h"
#include "companion/output.h"
#include "statik/statik.h"
#include "welle/reader.h"
#include "welle/schreiber.h"
#include "welle/writers.h"

namespace wellen::welle {
namespace {

void Run(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<Dateifehler> fehler;
  const std::optional<Welle> welle = LeseWelle(text, fehler);
  if (!welle) {
    FUZZ_CHECK(!fehler.empty());
    for (const Dateifehler& f : fehler) {
      FUZZ_CHECK(!f.text.empty());
      FUZZ_CHECK((f.zeile == 0) == (f.spalte == 0));
      FUZZ_CHECK(Meldungstext("f.toml", f).find('\n') == std::string::npos);
    }
    return;
  }
  FUZZ_CHECK(fehler.empty());
  FUZZ_CHECK(Pruefe(*welle).empty());
  FUZZ_CHECK(welle->werkstoff.K1Fall >= 1 && welle->werkstoff.K1Fall <= 4);
  FUZZ_CHECK(welle->werkstoff.harteRandschicht == 0 || welle->werkstoff.harteRandschicht == 1);

  const Wellenergebnis ergebnis = Berechne(*welle);
  FUZZ_CHECK(ergebnis.lastfaelle.size() == welle->lastfaelle.size());
  for (const Lastfallergebnis& lastfall : ergebnis.lastfaelle) {
    FUZZ_CHECK(lastfall.stellen.size() == ergebnis.stellen.size());
  }
  std::string error;
  const std::unique_ptr<Ausgabe> out = Ausgabe::Open("/dev/null", "Ausgabedatei", error);
  FUZZ_CHECK(out != nullptr);
  SchreibeCsv(*welle, ergebnis, {}, "f.toml", 1.2, Dialekt{}, *out);
  SchreibeJson(*welle, ergebnis, {}, "f.toml", 1.2, *out);
  SchreibeTabelle(*welle, ergebnis, {}, "f.toml", 1.2, *out);
  SchreibeKurven(*welle, Dialekt{',', false}, *out);
  FUZZ_CHECK(out->Commit());

  std::optional<Welle> wieder = LeseWelle(Wellendatei(*welle, "f.toml\n\xff"), fehler);
  FUZZ_CHECK(wieder.has_value());
  Welle soll = *welle;
  soll.hinweise.clear();  // every material value is written
  wieder->hinweise.clear();
  FUZZ_CHECK(*wieder == soll);
}

}  // namespace
}  // namespace wellen::welle

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  wellen::welle::Run(data, size);
  return 0;
}

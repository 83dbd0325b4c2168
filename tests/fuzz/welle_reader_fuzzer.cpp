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
// --resized writes one), it reads as the very same shaft. Its report is
// whole, and no coordinate of its drawings is infinite or not a number.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "check.h"
#include "companion/output.h"
#include "report/wellenbericht.h"
#include "statik/statik.h"
#include "welle/reader.h"
#include "welle/schreiber.h"
#include "welle/writers.h"

namespace wellen::welle {
namespace {

// True when no attribute of the drawings that holds coordinates (a point,
// a size, a path) holds "nan" or "inf": only digits, signs, points, commas,
// blanks, exponents and the upper-case commands of a path.
bool Koordinatenendlich(std::string_view html) {
  constexpr std::string_view kNamen[] = {
      " x=\"",  " y=\"", " x1=\"", " y1=\"",    " x2=\"",     " y2=\"",     " cx=\"",
      " cy=\"", " r=\"", " d=\"",  " width=\"", " height=\"", " viewBox=\""};
  for (const std::string_view name : kNamen) {
    for (std::size_t at = html.find(name); at != std::string_view::npos;
         at = html.find(name, at + 1)) {
      const std::size_t from = at + name.size();
      const std::size_t to = html.find('"', from);
      if (to == std::string_view::npos) return false;
      const std::string_view wert = html.substr(from, to - from);
      if (wert.find_first_of("nafi") != std::string_view::npos) return false;
    }
  }
  return true;
}

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

  report::Wellenquelle quelle{"f.toml", {}};
  for (const Stelle& stelle : ergebnis.stellen)
    quelle.stellennamen.push_back(Bezeichnung(*welle, stelle));
  std::string html;
  FUZZ_CHECK(report::SchreibeWellenbericht(*welle, ergebnis, quelle, 1.2,
                                           report::Titelangaben{"wellen743-welle", "", "", "", "", "", ""},
                                           [&](std::string_view t) {
                                             html.append(t);
                                             return true;
                                           }));
  FUZZ_CHECK(html.rfind("<!DOCTYPE html>", 0) == 0);
  FUZZ_CHECK(html.size() >= 8 && html.substr(html.size() - 8) == "</html>\n");
  FUZZ_CHECK(Koordinatenendlich(html));

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

// The shaft file: TOML 1.0 read into a Welle (statik/welle.h).
//
// Every fault is reported with the place in the file it concerns, naming the
// key, and nothing is computed from a file with any fault: TOML syntax
// errors, unknown keys (with the closest known key), wrong types, values
// that are not finite, missing keys, [[last]] beside [[lastfall]], and
// whatever the model's own check (Pruefe) finds, pointed back at the value
// in the file that it concerns.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "statik/welle.h"

namespace wellen::welle {

// A fault in the shaft file: where it lies (line and column from 1, both 0
// where it concerns the file as a whole) and what it is, starting with the
// key it concerns ("abschnitt[2].r: ...").
struct Dateifehler {
  std::size_t zeile = 0;
  std::size_t spalte = 0;
  std::string text;
};

// Reads the text of a shaft file. Returns the shaft when it can be computed;
// otherwise nothing, and `fehler` holds every fault found, in the order of
// their places in the file. Material values that the file does not give
// take the interactive program's defaults, and the shaft's notes name them.
std::optional<Welle> LeseWelle(std::string_view text, std::vector<Dateifehler>& fehler);

// Every key a shaft file may hold, as the path from the top ("E",
// "werkstoff.SigB", "abschnitt.l", "lastfall.last.T_a"); the loads of a
// single load case at the top level ("last.x") are not listed apart.
std::vector<std::string> Schluessel();

// The message for a fault: "FILE:LINE:COLUMN: text", or "FILE: text".
std::string Meldungstext(std::string_view datei, const Dateifehler& fehler);

}  // namespace wellen::welle

// The pause between pages: a prompt and one key.
#pragma once

#include <string_view>

#include "console/console.h"

namespace wellen {

enum class PauseResult {
  kContinue,  // any key but x
  kAbort,     // x (lower case only): the caller may end what it is doing
  kEnd,       // input has ended
};

// The two prompts in use.
inline constexpr std::string_view kWeiter = "weiter mit bel.Taste..";
inline constexpr std::string_view kWeiterNeueZeile = "\nweiter mit bel.Taste..";

// Prints `prompt`, reads one key and says what it was.
PauseResult Pause(Console& console, std::string_view prompt);

}  // namespace wellen

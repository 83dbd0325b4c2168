#include "console/pause.h"

namespace wellen {

PauseResult Pause(Console& console, std::string_view prompt) {
  console.Write(prompt);
  const int key = console.ReadKey();
  if (key == kEndOfInput) return PauseResult::kEnd;
  if (key == 'x') return PauseResult::kAbort;
  return PauseResult::kContinue;
}

}  // namespace wellen

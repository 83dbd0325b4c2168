#include "console/pause.h"

namespace wellen {

PauseResult Pause(Console& console, const char* prompt) {
  console.Write(prompt);
  const int key = console.ReadKey();
  if (key == kEndOfInput) return PauseResult::kEnd;
  if (key == 'x') return PauseResult::kAbort;
  return PauseResult::kContinue;
}

}  // namespace wellen

#include "console/format.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace wellen {

// printf-style on purpose: the format attribute lets the compiler check
// every format string against its arguments.
void Printf(Console& console, const char* format, ...) {  // NOLINT(cert-dcl50-cpp)
  char small[160];
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  if (length < 0) {
    va_end(again);
    return;
  }
  if (static_cast<std::size_t>(length) < sizeof small) {
    console.Write(std::string_view(small, static_cast<std::size_t>(length)));
  } else {
    std::string large(static_cast<std::size_t>(length) + 1, '\0');
    (void)std::vsnprintf(large.data(), large.size(), format, again);
    large.pop_back();
    console.Write(large);
  }
  va_end(again);
}

}  // namespace wellen

#include "report/zahl.h"

#include <cctype>
#include <cstdio>

#include "format/number.h"

namespace wellen::report {
namespace {

bool Ziffer(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

}  // namespace

std::string MitKomma(std::string_view text) {
  std::string out(text);
  for (std::size_t i = 1; i + 1 < out.size(); ++i) {
    if (out[i] == '.' && Ziffer(out[i - 1]) && Ziffer(out[i + 1])) out[i] = ',';
  }
  return out;
}

std::string Zahl(double value) { return MitKomma(Number(value).text()); }

std::string Zahl(int value) { return std::string(Number(value).text()); }

std::string Zahl(std::size_t value) {
  char text[24];
  const int length = std::snprintf(text, sizeof text, "%zu", value);
  return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace wellen::report

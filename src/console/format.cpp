#include "console/format.h"

#include <algorithm>
#include <array>

namespace wellen {

namespace {

// Label, number and unit go out as one piece.
void WriteLine(Console& console, std::string_view label, const Number& number,
               std::string_view unit) {
  std::array<char, 256> line;
  const std::string_view text = number.text();
  if (label.size() + text.size() + unit.size() > line.size()) {
    console.Write(label);
    console.Write(text);
    console.Write(unit);
    return;
  }
  char* end = std::copy(label.begin(), label.end(), line.data());
  end = std::copy(text.begin(), text.end(), end);
  end = std::copy(unit.begin(), unit.end(), end);
  console.Write(std::string_view(line.data(), static_cast<std::size_t>(end - line.data())));
}

}  // namespace

void WriteValue(Console& console, std::string_view label, double value, std::string_view unit) {
  WriteLine(console, label, Number(value), unit);
}

void WriteValue(Console& console, std::string_view label, int value, std::string_view unit) {
  WriteLine(console, label, Number(value), unit);
}

}  // namespace wellen

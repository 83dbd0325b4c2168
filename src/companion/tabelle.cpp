#include "companion/tabelle.h"

#include <algorithm>

namespace wellen {
namespace {

bool Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::size_t Zeichen(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return !Continuation(c); }));
}

void AppendCell(std::string& out, std::string_view text, std::size_t width, bool right) {
  const std::size_t length = Zeichen(text);
  if (length > width) {
    std::size_t keep = 0;
    for (std::size_t chars = 0; keep < text.size(); ++keep) {
      if (!Continuation(text[keep]) && chars++ == width - 1) break;
    }
    out.append(text.substr(0, keep));
    out += "\u2026";
    return;
  }
  if (right) out.append(width - length, ' ');
  out.append(text);
  if (!right) out.append(width - length, ' ');
}

std::string Einzeilig(std::string_view text) {
  std::string line(text);
  std::replace_if(
      line.begin(), line.end(),
      [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, ' ');
  return line;
}

}  // namespace wellen

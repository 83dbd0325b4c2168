#include "companion/tabelle.h"

namespace wellen {
namespace {

bool Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The code point of the UTF-8 sequence that starts at text[at]; a byte that
// starts none stands for itself.
char32_t CodePoint(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 1;
  char32_t code = lead;
  if (lead >= 0xC0 && lead < 0xE0) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead < 0xF0) {
    length = 3;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead < 0xF8) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return code;
  }
  if (at + length > text.size()) return lead;
  for (std::size_t k = 1; k < length; ++k) {
    if (!Continuation(text[at + k])) return lead;
    code = (code << 6) | (static_cast<unsigned char>(text[at + k]) & 0x3Fu);
  }
  return code;
}

// The combining diacritical marks and their supplements.
bool Combining(char32_t c) {
  return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) ||
         (c >= 0x1DC0 && c <= 0x1DFF) || (c >= 0x20D0 && c <= 0x20FF) ||
         (c >= 0xFE20 && c <= 0xFE2F);
}

// The columns the character starting at text[at] takes: 0 for a byte that
// continues a sequence and for a combining mark, else 1.
std::size_t Columns(std::string_view text, std::size_t at) {
  if (Continuation(text[at])) return 0;
  return Combining(CodePoint(text, at)) ? 0 : 1;
}

}  // namespace

std::size_t Zeichen(std::string_view text) {
  std::size_t columns = 0;
  for (std::size_t i = 0; i < text.size(); ++i) columns += Columns(text, i);
  return columns;
}

void AppendCell(std::string& out, std::string_view text, std::size_t width, bool right) {
  const std::size_t length = Zeichen(text);
  if (length > width) {
    // Up to the character that would take the last column, which the
    // ellipsis takes instead.
    std::size_t keep = 0;
    for (std::size_t columns = 0; keep < text.size(); ++keep) {
      columns += Columns(text, keep);
      if (columns >= width) break;
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
  std::string line;
  line.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7F) {
      line += ' ';
    } else if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0 &&
               Continuation(text[i + 1])) {
      line += ' ';  // U+0080 to U+009F
      ++i;
    } else {
      line += static_cast<char>(c);
    }
  }
  return line;
}

}  // namespace wellen

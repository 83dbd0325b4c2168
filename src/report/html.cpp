#include "report/html.h"

namespace wellen::report {
namespace {

// The replacement character U+FFFD.
constexpr std::string_view kErsatz = "\xEF\xBF\xBD";

// `text` with every byte that is not part of well-formed UTF-8, and every
// control character but tab and line end, replaced by U+FFFD; each ASCII
// character that stays goes through `escape(out, c)`.
template <typename Escape>
std::string Repariert(std::string_view text, Escape escape) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      if ((c < 0x20 && c != '\t' && c != '\n') || c == 0x7F) {
        out += kErsatz;
      } else {
        escape(out, static_cast<char>(c));
      }
      ++i;
      continue;
    }
    // A multi-byte sequence: its length from the lead byte, then the
    // continuation bytes; overlong forms, surrogates and values above
    // U+10FFFF do not count as UTF-8.
    std::size_t laenge = 0;
    unsigned wert = 0;
    if (c >= 0xC2 && c <= 0xDF) {
      laenge = 2;
      wert = c & 0x1Fu;
    } else if (c >= 0xE0 && c <= 0xEF) {
      laenge = 3;
      wert = c & 0x0Fu;
    } else if (c >= 0xF0 && c <= 0xF4) {
      laenge = 4;
      wert = c & 0x07u;
    }
    bool gut = laenge != 0 && i + laenge <= text.size();
    for (std::size_t k = 1; gut && k < laenge; ++k) {
      const auto f = static_cast<unsigned char>(text[i + k]);
      gut = (f & 0xC0u) == 0x80u;
      wert = (wert << 6) | (f & 0x3Fu);
    }
    if (gut) {
      gut = !(laenge == 3 && (wert < 0x800 || (wert >= 0xD800 && wert <= 0xDFFF))) &&
            !(laenge == 4 && (wert < 0x10000 || wert > 0x10FFFF));
    }
    if (gut) {
      // A C1 control character is well-formed but has no place in a page.
      out += wert < 0xA0 ? kErsatz : text.substr(i, laenge);
      i += laenge;
    } else {
      out += kErsatz;
      ++i;
    }
  }
  return out;
}

}  // namespace

std::string Html(std::string_view text) {
  return Repariert(text, [](std::string& out, char c) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  });
}

std::string CssText(std::string_view text) {
  return Repariert(text, [](std::string& out, char c) {
    switch (c) {
      case '"': out += "\\22 "; break;
      case '\\': out += "\\5C "; break;
      case '<': out += "\\3C "; break;
      case '>': out += "\\3E "; break;
      case '\t':
      case '\n': out += ' '; break;
      default: out += c;
    }
  });
}

}  // namespace wellen::report

#include "companion/zeile.h"

#include <charconv>
#include <cmath>

#include "calc/hinweise.h"
#include "companion/numbers.h"

namespace wellen {

void AppendReal(Zeilenpuffer& out, double value, bool decimal_comma) {
  out.Commit(FormatReal(value, decimal_comma, out.Reserve(kMaxRealText)));
}

void AppendInt(Zeilenpuffer& out, long long value) {
  constexpr std::size_t kDigits = 24;
  char* at = out.Reserve(kDigits);
  out.Commit(std::to_chars(at, at + kDigits, value).ptr);
}

void AppendJsonReal(Zeilenpuffer& out, double value) {
  if (std::isfinite(value)) {
    AppendReal(out, value, false);
  } else {
    out += '"';
    AppendReal(out, value, false);
    out += '"';
  }
}

void AppendCsvValue(Zeilenpuffer& out, Kind kind, double value, std::string_view text,
                    char separator, bool decimal_comma) {
  switch (kind) {
    case Kind::kText: AppendCsvText(out, text, separator); break;
    case Kind::kInteger: AppendInt(out, static_cast<long long>(value)); break;
    case Kind::kReal: AppendReal(out, value, decimal_comma); break;
    case Kind::kFlag: out += value != 0 ? '1' : '0'; break;
    case Kind::kLeer: break;
  }
}

void AppendJsonValue(Zeilenpuffer& out, Kind kind, double value, std::string_view text) {
  switch (kind) {
    case Kind::kText: AppendJsonString(out, text); break;
    case Kind::kInteger: AppendInt(out, static_cast<long long>(value)); break;
    case Kind::kReal: AppendJsonReal(out, value); break;
    case Kind::kFlag: out += value != 0 ? "true" : "false"; break;
    case Kind::kLeer: out += "null"; break;
  }
}

void AppendCsvText(Zeilenpuffer& out, std::string_view text, char separator) {
  if (std::none_of(text.begin(), text.end(),
                   [&](char c) { return c == separator || c == '"' || c == '\n' || c == '\r'; })) {
    out += text;
    return;
  }
  out += '"';
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// Appends `text` as a JSON string. Bytes that are not UTF-8 become U+FFFD.
void AppendJsonString(Zeilenpuffer& out, std::string_view text) {
  out += '"';
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      if (c == '"' || c == '\\') {
        out += '\\';
        out += static_cast<char>(c);
      } else if (c == '\n') {
        out += "\\n";
      } else if (c == '\r') {
        out += "\\r";
      } else if (c == '\t') {
        out += "\\t";
      } else if (c < 0x20 || c == 0x7F) {
        static constexpr char kHex[] = "0123456789abcdef";
        out += "\\u00";
        out += kHex[c >> 4];
        out += kHex[c & 15];
      } else {
        out += static_cast<char>(c);
      }
      ++i;
      continue;
    }
    // A multi-byte sequence: its length by the lead byte, then checked.
    std::size_t length = 0;
    unsigned int code = 0;
    if (c >= 0xC2 && c <= 0xDF) {
      length = 2;
      code = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3;
      code = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
      code = c & 0x07;
    }
    bool valid = length > 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    // No overlong forms, no surrogates, nothing beyond U+10FFFF.
    valid = valid && !(length == 3 && code < 0x800) && !(length == 4 && code < 0x10000) &&
            !(code >= 0xD800 && code <= 0xDFFF) && code <= 0x10FFFF;
    if (valid) {
      out += text.substr(i, length);
      i += length;
    } else {
      out += "\\ufffd";
      ++i;
    }
  }
  out += '"';
}

// The notes of a case in one cell.
void JoinHinweise(const std::vector<std::string>& hinweise, std::string& joined) {
  joined.clear();
  for (const std::string& hinweis : hinweise) {
    if (!joined.empty()) joined.append(kHinweisTrenner);
    joined.append(hinweis);
  }
}

}  // namespace wellen

#include "welle/schreiber.h"

#include <cmath>

#include "calc/eingabewerte.h"
#include "companion/numbers.h"
#include "companion/zeile.h"

namespace wellen::welle {
namespace {

// A number as TOML reads it back to the same double: FormatReal's shortest
// text, which TOML takes as a float where it has a point or an exponent,
// and otherwise as an integer. An integer beyond 2^53, and a negative zero,
// would not come back as they are: they get a point.
std::string Zahl(double value) {
  char text[kMaxRealText];
  const char* end = FormatReal(value, false, text);
  std::string s(static_cast<const char*>(text), end);
  if (s.find_first_of(".e") == std::string::npos &&
      (std::fabs(value) > 9007199254740992.0 || (value == 0 && std::signbit(value)))) {
    s += ".0";
  }
  return s;
}

// A text as a TOML basic string. A JSON string is one: it uses only the
// escapes both know, and puts U+FFFD for bytes that are not UTF-8.
std::string Text(std::string_view text) {
  Zeilenpuffer out;
  AppendJsonString(out, text);
  return std::string(out.view());
}

// A line of the comment at the top: TOML wants valid UTF-8 without control
// characters there, so a control character becomes a blank and a byte that
// is not UTF-8 (from a file name, say) U+FFFD.
std::string Kommentar(std::string_view line) {
  std::string out;
  for (std::size_t i = 0; i < line.size();) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c < 0x80) {
      out += (c < 0x20 || c == 0x7F) ? ' ' : static_cast<char>(c);
      ++i;
      continue;
    }
    std::size_t length = 0;
    unsigned int code = 0;
    if (c >= 0xC2 && c <= 0xDF) {
      length = 2;
      code = c & 0x1Fu;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3;
      code = c & 0x0Fu;
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
      code = c & 0x07u;
    }
    bool valid = length > 0 && i + length <= line.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(line[i + k]);
      valid = (next & 0xC0u) == 0x80u;
      code = (code << 6) | (next & 0x3Fu);
    }
    // No overlong forms, no surrogates, nothing beyond U+10FFFF.
    valid = valid && !(length == 3 && code < 0x800) && !(length == 4 && code < 0x10000) &&
            !(code >= 0xD800 && code <= 0xDFFF) && code <= 0x10FFFF;
    if (valid) {
      out.append(line.substr(i, length));
      i += length;
    } else {
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  return out;
}

void Wert(std::string& out, std::string_view key, double value) {
  out.append(key);
  out += " = ";
  out += Zahl(value);
  out += '\n';
}

void Wert(std::string& out, std::string_view key, std::string_view text) {
  out.append(key);
  out += " = ";
  out += Text(text);
  out += '\n';
}

void Lasten(std::string& out, const Lastfall& lastfall) {
  for (const Lastelement& l : lastfall.lasten) {
    out += "[[lastfall.last]]\n";
    Wert(out, "x", l.x);
    if (!l.name.empty()) Wert(out, "name", l.name);
    const std::pair<std::string_view, double> werte[] = {
        {"Fx", l.Fx},     {"Fy", l.Fy},       {"Fz", l.Fz},       {"Mby", l.Mby},
        {"Mbz", l.Mbz},   {"T", l.T},         {"Fx_a", l.Fx_a},   {"Fy_a", l.Fy_a},
        {"Fz_a", l.Fz_a}, {"Mby_a", l.Mby_a}, {"Mbz_a", l.Mbz_a}, {"T_a", l.T_a},
    };
    // A value of +0 is what a key not given means.
    for (const auto& [key, value] : werte) {
      if (value != 0 || std::signbit(value)) Wert(out, key, value);
    }
  }
}

}  // namespace

std::string Wellendatei(const Welle& welle, std::string_view kopf) {
  std::string out;
  for (std::size_t anfang = 0; anfang <= kopf.size() && !kopf.empty();) {
    std::size_t ende = kopf.find('\n', anfang);
    if (ende == std::string_view::npos) ende = kopf.size();
    out += "# " + Kommentar(kopf.substr(anfang, ende - anfang)) + "\n";
    anfang = ende + 1;
  }
  if (!kopf.empty()) out += '\n';

  if (!welle.name.empty()) Wert(out, "name", welle.name);
  Wert(out, "art", welle.art == Wellenart::kUmlaufend ? "umlaufend" : "stehend");
  Wert(out, "E", welle.E);
  if (welle.deff) Wert(out, "deff", *welle.deff);
  if (welle.Rz) Wert(out, "Rz", *welle.Rz);

  out += "\n[werkstoff]\n";
  if (!welle.werkstoff_name.empty()) Wert(out, "name", welle.werkstoff_name);
  for (const std::string_view key :
       {"SigB", "SigS", "SigzdW", "SigbW", "TautW", "K1Fall", "harteRandschicht", "KV"}) {
    for (const Eingabefeld& feld : Eingabefelder()) {
      if (feld.name != key) continue;
      if (feld.real != nullptr) {
        Wert(out, key, welle.werkstoff.*(feld.real));
      } else {
        out += std::string(key) + " = " + std::to_string(welle.werkstoff.*(feld.choice)) + "\n";
      }
    }
  }

  for (const Abschnitt& a : welle.abschnitte) {
    out += "\n[[abschnitt]]\n";
    Wert(out, "l", a.l);
    Wert(out, "D", a.D);
    if (a.di != 0 || std::signbit(a.di)) Wert(out, "di", a.di);
    if (a.r) Wert(out, "r", *a.r);
    if (a.Rz) Wert(out, "Rz", *a.Rz);
  }
  for (const Nut& n : welle.nuten) {
    out += "\n[[nut]]\n";
    Wert(out, "x", n.x);
    Wert(out, "t", n.t);
    Wert(out, "r", n.r);
    if (n.Rz) Wert(out, "Rz", *n.Rz);
  }
  for (const Lager& l : welle.lager) {
    out += "\n[[lager]]\n";
    Wert(out, "x", l.x);
    Wert(out, "art", l.art == Lagerart::kFest ? "fest" : "los");
  }
  for (const Lastfall& lastfall : welle.lastfaelle) {
    out += "\n[[lastfall]]\n";
    Wert(out, "name", lastfall.name);
    Lasten(out, lastfall);
  }
  return out;
}

}  // namespace wellen::welle

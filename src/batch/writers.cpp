#include "batch/writers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "batch/columns.h"
#include "batch/hinweise.h"
#include "batch/numbers.h"
#include "console/format.h"
#include "pages/page_table.h"

namespace wellen::batch {
namespace {

constexpr std::string_view kErfuellt = "erfuellt";
constexpr std::string_view kNichtErfuellt = "nicht erfuellt";

// One output line, built in place: numbers are formatted straight into it,
// and the line is handed to the output in one piece. It keeps its memory
// from line to line.
class Zeilenpuffer {
 public:
  void clear() { size_ = 0; }
  bool empty() const { return size_ == 0; }
  std::string_view view() const { return {data_.data(), size_}; }

  // Room for `n` more bytes at the end; Commit() says how many were used.
  char* Reserve(std::size_t n) {
    if (size_ + n > data_.size()) data_.resize(std::max(2 * data_.size(), size_ + n));
    return data_.data() + size_;
  }
  void Commit(const char* end) { size_ = static_cast<std::size_t>(end - data_.data()); }

  Zeilenpuffer& operator+=(char c) {
    *Reserve(1) = c;
    ++size_;
    return *this;
  }
  Zeilenpuffer& operator+=(std::string_view text) {
    Commit(std::copy(text.begin(), text.end(), Reserve(text.size())));
    return *this;
  }

 private:
  std::vector<char> data_ = std::vector<char>(4096);
  std::size_t size_ = 0;
};

void AppendReal(Zeilenpuffer& out, double value, bool decimal_comma) {
  out.Commit(FormatReal(value, decimal_comma, out.Reserve(kMaxRealText)));
}

void AppendInt(Zeilenpuffer& out, long long value) {
  constexpr std::size_t kDigits = 24;
  char* at = out.Reserve(kDigits);
  out.Commit(std::to_chars(at, at + kDigits, value).ptr);
}

// Calls `field(name, kind, value)` for every output column of a case in
// order, so that the CSV and JSON writers share one list.
enum class Kind { kText, kInteger, kReal, kFlag };

template <typename F>
void ForEachValue(const Fall& fall, double smin, std::string_view hinweise, F&& field) {
  field("Datei", Kind::kText, 0.0, fall.datei);
  field("Zeile", Kind::kInteger, static_cast<double>(fall.zeile), std::string_view());
  field("Name", Kind::kText, 0.0, fall.name);
  for (std::size_t i = 0; i < kEingabefelder; ++i) {
    const SpaltenInfo& info = Spalten()[i];
    if (info.real != nullptr) {
      field(info.name, Kind::kReal, fall.e.*(info.real), std::string_view());
    } else {
      field(info.name, Kind::kInteger, fall.e.*(info.choice), std::string_view());
    }
  }
  for (int page = 1; page <= kPageCount; ++page) {
    for (const PageLine& line : PageLines(page)) {
      field(line.column, line.condition ? Kind::kFlag : Kind::kReal, line.value(fall.n),
            std::string_view());
    }
  }
  field("S_min", Kind::kReal, smin, std::string_view());
  field("Nachweis", Kind::kText, 0.0, NachweisErfuellt(fall.n, smin) ? kErfuellt : kNichtErfuellt);
  field("Hinweise", Kind::kText, 0.0, hinweise);
}

// The notes of a case in one cell.
void Join(const std::vector<std::string>& hinweise, std::string& joined) {
  joined.clear();
  for (const std::string& hinweis : hinweise) {
    if (!joined.empty()) joined.append(kHinweisTrenner);
    joined.append(hinweis);
  }
}

// ---------------------------------------------------------------------------
// CSV: the input's dialect, RFC 4180 quoting where needed.

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

class CsvSchreiber final : public Schreiber {
 public:
  CsvSchreiber(double smin, Ausgabe& out) : smin_(smin), out_(out) {}

  void Begin(const Dialekt& dialekt) override {
    dialekt_ = dialekt;
    std::string line;
    for (const std::string_view name : OutputColumns()) {
      if (!line.empty()) line += dialekt_.separator;
      line.append(name);
    }
    line += '\n';
    out_.Write(line);
  }

  void Case(const Fall& fall, const std::vector<std::string>& hinweise) override {
    Join(hinweise, joined_);
    line_.clear();
    bool first = true;
    ForEachValue(fall, smin_, joined_,
                 [&](std::string_view, Kind kind, double value, std::string_view text) {
                   if (!first) line_ += dialekt_.separator;
                   first = false;
                   switch (kind) {
                     case Kind::kText: AppendCsvText(line_, text, dialekt_.separator); break;
                     case Kind::kInteger: AppendInt(line_, static_cast<long long>(value)); break;
                     case Kind::kReal: AppendReal(line_, value, dialekt_.decimal_comma); break;
                     case Kind::kFlag: line_ += value != 0 ? '1' : '0'; break;
                   }
                 });
    line_ += '\n';
    out_.Write(line_.view());
  }

  void End(const Bilanz&) override {}

 private:
  double smin_;
  Ausgabe& out_;
  Dialekt dialekt_;
  Zeilenpuffer line_;
  std::string joined_;
};

// ---------------------------------------------------------------------------
// JSON Lines: one object per case. Numbers that are not finite become the
// strings "inf", "-inf", "nan" and "-nan", so that nothing is lost.

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

class JsonSchreiber final : public Schreiber {
 public:
  JsonSchreiber(double smin, Ausgabe& out) : smin_(smin), out_(out) {}

  void Begin(const Dialekt&) override {}

  void Case(const Fall& fall, const std::vector<std::string>& hinweise) override {
    Join(hinweise, joined_);
    line_.clear();
    line_ += '{';
    bool first = true;
    ForEachValue(fall, smin_, joined_,
                 [&](std::string_view name, Kind kind, double value, std::string_view text) {
                   if (!first) line_ += ',';
                   first = false;
                   line_ += '"';
                   line_ += name;
                   line_ += "\":";
                   switch (kind) {
                     case Kind::kText: AppendJsonString(line_, text); break;
                     case Kind::kInteger: AppendInt(line_, static_cast<long long>(value)); break;
                     case Kind::kReal:
                       if (std::isfinite(value)) {
                         AppendReal(line_, value, false);
                       } else {
                         line_ += '"';
                         AppendReal(line_, value, false);
                         line_ += '"';
                       }
                       break;
                     case Kind::kFlag: line_ += value != 0 ? "true" : "false"; break;
                   }
                 });
    line_ += "}\n";
    out_.Write(line_.view());
  }

  void End(const Bilanz&) override {}

 private:
  double smin_;
  Ausgabe& out_;
  Zeilenpuffer line_;
  std::string joined_;
};

// ---------------------------------------------------------------------------
// Table: one aligned line per case, for reading on a terminal. Columns are
// padded by characters, not bytes, so that names with umlauts line up.

std::size_t Characters(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;  // not a continuation byte
  }));
}

// `text` cut to `width` characters (the last one an ellipsis if cut), then
// padded with blanks to `width`; right-aligned if asked.
void AppendCell(std::string& out, std::string_view text, std::size_t width, bool right = false) {
  std::size_t length = Characters(text);
  if (length > width) {
    std::size_t keep = 0;
    for (std::size_t chars = 0; keep < text.size(); ++keep) {
      if ((static_cast<unsigned char>(text[keep]) & 0xC0) != 0x80 && chars++ == width - 1) break;
    }
    out.append(text.substr(0, keep));
    out += "\u2026";
    return;
  }
  if (right) out.append(width - length, ' ');
  out.append(text);
  if (!right) out.append(width - length, ' ');
}

std::string Plural(std::size_t n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

class TabellenSchreiber final : public Schreiber {
 public:
  TabellenSchreiber(double smin, Ausgabe& out) : smin_(smin), out_(out) {}

  void Begin(const Dialekt&) override {
    std::string line;
    AppendCell(line, "Zeile", kZeile, true);
    line += "  ";
    AppendCell(line, "Name", kName);
    line += "  ";
    AppendCell(line, "S Dauerbruch", kS, true);
    line += "  ";
    AppendCell(line, "S Fliessgrenze", kS, true);
    line += "  Nachweis (S_min ";
    line.append(Number(smin_).text());
    line += ")\n";
    out_.Write(line);
  }

  void Case(const Fall& fall, const std::vector<std::string>& /*hinweise*/) override {
    std::string line;
    if (fall.datei != datei_) {
      datei_ = fall.datei;
      line += "Datei: " + datei_ + "\n";
    }
    AppendCell(line, std::to_string(fall.zeile), kZeile, true);
    line += "  ";
    // Line breaks and other control characters in a name would break the
    // table's lines: they show as blanks.
    std::string name = fall.name;
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, ' ');
    AppendCell(line, name, kName);
    line += "  ";
    AppendCell(line, Number(fall.n.SDauerbruch).text(), kS, true);
    line += "  ";
    AppendCell(line, Number(fall.n.SFliessgrenze).text(), kS, true);
    line += "  ";
    line += NachweisErfuellt(fall.n, smin_) ? "erf\u00fcllt" : "nicht erf\u00fcllt";
    line += '\n';
    out_.Write(line);
  }

  void End(const Bilanz& b) override {
    std::string line = Plural(b.cases, "Fall", "F\u00e4lle") + ": " + std::to_string(b.met) +
                       " erf\u00fcllt, " + std::to_string(b.missed) + " nicht erf\u00fcllt; " +
                       Plural(b.refused, "Zeile", "Zeilen") + " abgewiesen\n";
    out_.Write(line);
  }

 private:
  static constexpr std::size_t kZeile = 7;
  static constexpr std::size_t kName = 24;
  static constexpr std::size_t kS = 14;
  double smin_;
  Ausgabe& out_;
  std::string datei_;
};

}  // namespace

std::vector<std::string_view> OutputColumns() {
  std::vector<std::string_view> names;
  ForEachValue(Fall{}, 0, "", [&](std::string_view name, Kind, double, std::string_view) {
    names.push_back(name);
  });
  return names;
}

std::unique_ptr<Schreiber> MakeSchreiber(Format format, double smin, Ausgabe& out) {
  switch (format) {
    case Format::kCsv: return std::make_unique<CsvSchreiber>(smin, out);
    case Format::kJson: return std::make_unique<JsonSchreiber>(smin, out);
    case Format::kTable: return std::make_unique<TabellenSchreiber>(smin, out);
  }
  return nullptr;
}

std::string TemplateText(const Dialekt& dialekt) {
  std::string header = "Name";
  Zeilenpuffer row;
  row += "Beispiel";
  const Eingabewerte defaults = DefaultEingabewerte();
  for (std::size_t i = 0; i < kSpaltenzahl; ++i) {
    const SpaltenInfo& info = Spalten()[i];
    if (static_cast<Spalte>(i) == Spalte::kName) continue;
    header += dialekt.separator;
    header.append(info.name);
    row += dialekt.separator;
    if (info.real != nullptr) {
      AppendReal(row, defaults.*(info.real), dialekt.decimal_comma);
    } else if (info.choice != nullptr) {
      AppendInt(row, defaults.*(info.choice));
    }
  }
  return header + "\n" + std::string(row.view()) + "\n";
}

}  // namespace wellen::batch

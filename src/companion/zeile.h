// One output line of a companion program, and the values of a checked case
// in the order both companions write them.
//
// The CSV and JSON writers of both programs build each line in a Zeilenpuffer:
// numbers are formatted straight into it (FormatReal, the shortest text that
// reads back as the same double), text is quoted or escaped as the format
// needs, and the line goes to the output in one piece.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "calc/eingabewerte.h"
#include "calc/nachweis.h"
#include "calc/page_table.h"
#include "calc/urteil.h"

namespace wellen {

// One output line, built in place. It keeps its memory from line to line.
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

// A real as FormatReal writes it, with a decimal comma if asked.
void AppendReal(Zeilenpuffer& out, double value, bool decimal_comma);
// A whole number.
void AppendInt(Zeilenpuffer& out, long long value);
// A CSV cell: as it is, or in double quotes (quotes doubled) when it holds
// the separator, a quote, a line feed or a carriage return.
void AppendCsvText(Zeilenpuffer& out, std::string_view text, char separator);
// A JSON string in double quotes; bytes that are not UTF-8 become U+FFFD.
void AppendJsonString(Zeilenpuffer& out, std::string_view text);
// A real in JSON: a number, or for a value that is not finite the string
// "inf", "-inf", "nan" or "-nan", so that nothing is lost.
void AppendJsonReal(Zeilenpuffer& out, double value);

// The notes of a case in one cell, joined by kHinweisTrenner.
void JoinHinweise(const std::vector<std::string>& hinweise, std::string& joined);

// What a written value is; kLeer is no value at all (an empty CSV cell,
// null in JSON), such as a solved size where none was reachable.
enum class Kind { kText, kInteger, kReal, kFlag, kLeer };

// One value as a CSV cell (a flag as 1 or 0, kLeer as an empty cell) and as
// a JSON value (a flag as true or false, kLeer as null).
void AppendCsvValue(Zeilenpuffer& out, Kind kind, double value, std::string_view text,
                    char separator, bool decimal_comma);
void AppendJsonValue(Zeilenpuffer& out, Kind kind, double value, std::string_view text);

// The verdict as the CSV and JSON output write it; scripts rely on these.
inline constexpr std::string_view kNachweisErfuellt = "erfuellt";
inline constexpr std::string_view kNachweisNichtErfuellt = "nicht erfuellt";

// Calls `field(name, kind, value, text)` for the values of a checked case
// that both companions write after their own leading columns: the 22 fields
// of the input record as used, the values of the six pages under their
// column names, S_min, the verdict "Nachweis" and the joined notes
// "Hinweise". `vor_hinweisen()` is called before the notes, for columns of
// the caller's own there (the solved values of design mode).
template <typename F, typename G>
void ForEachCheckValue(const Eingabewerte& e, const Nachweis& n, double smin,
                       std::string_view hinweise, F&& field, G&& vor_hinweisen) {
  for (const Eingabefeld& info : Eingabefelder()) {
    if (info.real != nullptr) {
      field(info.name, Kind::kReal, e.*(info.real), std::string_view());
    } else {
      field(info.name, Kind::kInteger, static_cast<double>(e.*(info.choice)), std::string_view());
    }
  }
  for (int page = 1; page <= kPageCount; ++page) {
    for (const PageLine& line : PageLines(page)) {
      field(line.column, line.condition ? Kind::kFlag : Kind::kReal, line.value(n),
            std::string_view());
    }
  }
  field("S_min", Kind::kReal, smin, std::string_view());
  field("Nachweis", Kind::kText, 0.0,
        NachweisErfuellt(e, n, smin) ? kNachweisErfuellt : kNachweisNichtErfuellt);
  vor_hinweisen();
  field("Hinweise", Kind::kText, 0.0, hinweise);
}

template <typename F>
void ForEachCheckValue(const Eingabewerte& e, const Nachweis& n, double smin,
                       std::string_view hinweise, F&& field) {
  ForEachCheckValue(e, n, smin, hinweise, field, [] {});
}

}  // namespace wellen

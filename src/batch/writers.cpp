#include "batch/writers.h"

#include <charconv>
#include <cmath>

#include "batch/columns.h"
#include "calc/urteil.h"
#include "companion/numbers.h"
#include "companion/tabelle.h"
#include "companion/zeile.h"
#include "format/number.h"

namespace wellen::batch {
namespace {

// Calls `field(name, kind, value, text)` for every output column of a case in
// order, so that the CSV and JSON writers share one list: the case's file,
// line and texts, the extra columns (`names` and their cells `zusatz`), then
// the check.
template <typename F>
void ForEachValue(const Fall& fall, std::span<const std::string> names,
                  std::span<const std::string> zusatz, double smin, std::string_view hinweise,
                  F&& field) {
  field("Datei", Kind::kText, 0.0, fall.datei);
  field("Zeile", Kind::kInteger, static_cast<double>(fall.zeile), std::string_view());
  field("Name", Kind::kText, 0.0, fall.name);
  field("Werkstoff", Kind::kText, 0.0, fall.werkstoff);
  field("Bemerkung", Kind::kText, 0.0, fall.bemerkung);
  for (std::size_t i = 0; i < names.size(); ++i) {
    field(names[i], Kind::kText, 0.0, i < zusatz.size() ? std::string_view(zusatz[i]) : "");
  }
  ForEachCheckValue(fall.e, fall.n, smin, hinweise, field);
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// ---------------------------------------------------------------------------
// CSV: the input's dialect, its byte order mark and line ends; RFC 4180
// quoting where needed.

class CsvSchreiber final : public Schreiber {
 public:
  CsvSchreiber(double smin, Ausgabe& out) : smin_(smin), out_(out) {}

  void Begin(const Dialekt& dialekt, std::span<const std::string> zusatz) override {
    dialekt_ = dialekt;
    names_.assign(zusatz.begin(), zusatz.end());
    line_.clear();
    if (dialekt_.byte_order_mark) line_ += kByteOrderMark;
    bool first = true;
    ForEachValue(Fall{}, names_, {}, smin_, "",
                 [&](std::string_view name, Kind, double, std::string_view) {
                   if (!first) line_ += dialekt_.separator;
                   first = false;
                   AppendCsvText(line_, name, dialekt_.separator);
                 });
    line_ += dialekt_.line_end;
    out_.Write(line_.view());
  }

  void Case(const Fall& fall, std::span<const std::string> zusatz,
            const std::vector<std::string>& hinweise) override {
    JoinHinweise(hinweise, joined_);
    line_.clear();
    bool first = true;
    ForEachValue(fall, names_, zusatz, smin_, joined_,
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
    line_ += dialekt_.line_end;
    out_.Write(line_.view());
  }

  void End(const Bilanz&) override {}

 private:
  double smin_;
  Ausgabe& out_;
  Dialekt dialekt_;
  std::vector<std::string> names_;
  Zeilenpuffer line_;
  std::string joined_;
};

// ---------------------------------------------------------------------------
// JSON Lines: one object per case. Numbers that are not finite become the
// strings "inf", "-inf", "nan" and "-nan", so that nothing is lost.

class JsonSchreiber final : public Schreiber {
 public:
  JsonSchreiber(double smin, Ausgabe& out) : smin_(smin), out_(out) {}

  // The keys are written once, escaped, each with what goes before it.
  void Begin(const Dialekt&, std::span<const std::string> zusatz) override {
    names_.assign(zusatz.begin(), zusatz.end());
    keys_.clear();
    ForEachValue(Fall{}, names_, {}, smin_, "",
                 [&](std::string_view name, Kind, double, std::string_view) {
                   Zeilenpuffer key;
                   key += keys_.empty() ? '{' : ',';
                   AppendJsonString(key, name);
                   key += ':';
                   keys_.emplace_back(key.view());
                 });
  }

  void Case(const Fall& fall, std::span<const std::string> zusatz,
            const std::vector<std::string>& hinweise) override {
    JoinHinweise(hinweise, joined_);
    line_.clear();
    std::size_t k = 0;
    ForEachValue(fall, names_, zusatz, smin_, joined_,
                 [&](std::string_view, Kind kind, double value, std::string_view text) {
                   line_ += keys_[k++];
                   switch (kind) {
                     case Kind::kText: AppendJsonString(line_, text); break;
                     case Kind::kInteger: AppendInt(line_, static_cast<long long>(value)); break;
                     case Kind::kReal: AppendJsonReal(line_, value); break;
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
  std::vector<std::string> names_;
  std::vector<std::string> keys_;
  Zeilenpuffer line_;
  std::string joined_;
};

// ---------------------------------------------------------------------------
// Table: one aligned line per case, for reading on a terminal.

std::string Plural(std::size_t n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

class TabellenSchreiber final : public Schreiber {
 public:
  TabellenSchreiber(double smin, Ausgabe& out) : smin_(smin), out_(out) {}

  // The header fits 80 columns; S_min is in the last line.
  void Begin(const Dialekt&, std::span<const std::string>) override {
    std::string line;
    AppendCell(line, "Zeile", kZeile, true);
    line += "  ";
    AppendCell(line, "Name", kName);
    line += "  ";
    AppendCell(line, "S Dauerbruch", kS, true);
    line += "  ";
    AppendCell(line, "S Fliessgrenze", kS, true);
    line += "  Nachweis\n";
    out_.Write(line);
  }

  void Case(const Fall& fall, std::span<const std::string>,
            const std::vector<std::string>& /*hinweise*/) override {
    std::string line;
    if (fall.datei != datei_) {
      datei_ = fall.datei;
      line += "Datei: " + datei_ + "\n";
    }
    AppendCell(line, std::to_string(fall.zeile), kZeile, true);
    line += "  ";
    AppendCell(line, Einzeilig(fall.name), kName);
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
    std::string line = Plural(b.cases, "Fall", "F\u00e4lle") + " bei S_min " +
                       std::string(Number(smin_).text()) + ": " + std::to_string(b.met) +
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
  ForEachValue(Fall{}, {}, {}, 0, "", [&](std::string_view name, Kind, double, std::string_view) {
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
  header += dialekt.separator;
  header += "Werkstoff";
  header += dialekt.separator;
  header += "Bemerkung";
  Zeilenpuffer row;
  row += "Beispiel";
  row += dialekt.separator;
  row += dialekt.separator;
  const Eingabewerte defaults = DefaultEingabewerte();
  for (std::size_t i = 0; i < kSpaltenzahl; ++i) {
    const SpaltenInfo& info = Spalten()[i];
    if (IsText(static_cast<Spalte>(i))) continue;
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

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
// order, so that the CSV and JSON writers share one list.
template <typename F>
void ForEachValue(const Fall& fall, double smin, std::string_view hinweise, F&& field) {
  field("Datei", Kind::kText, 0.0, fall.datei);
  field("Zeile", Kind::kInteger, static_cast<double>(fall.zeile), std::string_view());
  field("Name", Kind::kText, 0.0, fall.name);
  ForEachCheckValue(fall.e, fall.n, smin, hinweise, field);
}

// ---------------------------------------------------------------------------
// CSV: the input's dialect, RFC 4180 quoting where needed.

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
    JoinHinweise(hinweise, joined_);
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

class JsonSchreiber final : public Schreiber {
 public:
  JsonSchreiber(double smin, Ausgabe& out) : smin_(smin), out_(out) {}

  void Begin(const Dialekt&) override {}

  void Case(const Fall& fall, const std::vector<std::string>& hinweise) override {
    JoinHinweise(hinweise, joined_);
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
    AppendCell(line, Einzeilig(fall.name), kName);
    line += "  ";
    AppendCell(line, Number(fall.n.SDauerbruch).text(), kS, true);
    line += "  ";
    AppendCell(line, Number(fall.n.SFliessgrenze).text(), kS, true);
    line += "  ";
    line += NachweisErfuellt(fall.e, fall.n, smin_) ? "erf\u00fcllt" : "nicht erf\u00fcllt";
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

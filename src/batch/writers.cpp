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
//
// With --solve, the solved values go between the verdict and the notes.
template <typename F>
void ForEachValue(const Fall& fall, std::span<const std::string> names,
                  std::span<const std::string> zusatz, double smin, std::string_view hinweise,
                  std::optional<Solve> solve, const Auslegung* a, F&& field) {
  field("Datei", Kind::kText, 0.0, fall.datei);
  field("Zeile", Kind::kInteger, static_cast<double>(fall.zeile), std::string_view());
  field("Name", Kind::kText, 0.0, fall.name);
  field("Werkstoff", Kind::kText, 0.0, fall.werkstoff);
  field("Bemerkung", Kind::kText, 0.0, fall.bemerkung);
  for (std::size_t i = 0; i < names.size(); ++i) {
    field(names[i], Kind::kText, 0.0, i < zusatz.size() ? std::string_view(zusatz[i]) : "");
  }
  ForEachCheckValue(fall.e, fall.n, smin, hinweise, field, [&] {
    if (!solve) return;
    // A size only where S_min is reached; the factors also where not, at
    // the grid value that came closest.
    const bool erreicht = a != nullptr && a->erreicht;
    const bool faktoren = a != nullptr && !std::isnan(a->wert);
    const auto wert = [&](std::string_view name, bool da, double value) {
      field(name, da ? Kind::kReal : Kind::kLeer, da ? value : 0.0, std::string_view());
    };
    if (*solve == Solve::kRadius) {
      wert("r_erf", erreicht, erreicht ? a->wert : 0.0);
    } else {
      wert("d_erf", erreicht, erreicht ? a->wert : 0.0);
      wert("D_erf", erreicht, erreicht ? a->e.D : 0.0);
      wert("r_erf", erreicht, erreicht ? a->e.r : 0.0);
      wert("t_erf", erreicht, erreicht ? a->e.t : 0.0);
      // The rest of the shape, so that the case can be checked again as it
      // was sized: deff and the bore scale with it.
      wert("deff_erf", erreicht, erreicht ? a->e.deff : 0.0);
      wert("di_erf", erreicht,
           erreicht ? fall.lasten.di.value_or(0.0) * (a->wert / fall.e.d) : 0.0);
    }
    wert("S_Dauerbruch_erf", faktoren, faktoren ? a->SDauerbruch : 0.0);
    wert("S_Fliessgrenze_erf", faktoren, faktoren ? a->SFliessgrenze : 0.0);
  });
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// ---------------------------------------------------------------------------
// CSV: the input's dialect, its byte order mark and line ends; RFC 4180
// quoting where needed.

class CsvSchreiber final : public Schreiber {
 public:
  CsvSchreiber(double smin, std::optional<Solve> solve, Ausgabe& out)
      : smin_(smin), solve_(solve), out_(out) {}

  void Begin(const Dialekt& dialekt, std::span<const std::string> zusatz) override {
    dialekt_ = dialekt;
    names_.assign(zusatz.begin(), zusatz.end());
    line_.clear();
    if (dialekt_.byte_order_mark) line_ += kByteOrderMark;
    bool first = true;
    ForEachValue(Fall{}, names_, {}, smin_, "", solve_, nullptr,
                 [&](std::string_view name, Kind, double, std::string_view) {
                   if (!first) line_ += dialekt_.separator;
                   first = false;
                   AppendCsvText(line_, name, dialekt_.separator);
                 });
    line_ += dialekt_.line_end;
    out_.Write(line_.view());
  }

  void Case(const Fall& fall, std::span<const std::string> zusatz,
            const std::vector<std::string>& hinweise, const Auslegung* auslegung) override {
    JoinHinweise(hinweise, joined_);
    line_.clear();
    bool first = true;
    ForEachValue(fall, names_, zusatz, smin_, joined_, solve_, auslegung,
                 [&](std::string_view, Kind kind, double value, std::string_view text) {
                   if (!first) line_ += dialekt_.separator;
                   first = false;
                   AppendCsvValue(line_, kind, value, text, dialekt_.separator,
                                  dialekt_.decimal_comma);
                 });
    line_ += dialekt_.line_end;
    out_.Write(line_.view());
  }

  void End(const Bilanz&) override {}

 private:
  double smin_;
  std::optional<Solve> solve_;
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
  JsonSchreiber(double smin, std::optional<Solve> solve, Ausgabe& out)
      : smin_(smin), solve_(solve), out_(out) {}

  // The keys are written once, escaped, each with what goes before it.
  void Begin(const Dialekt&, std::span<const std::string> zusatz) override {
    names_.assign(zusatz.begin(), zusatz.end());
    keys_.clear();
    ForEachValue(Fall{}, names_, {}, smin_, "", solve_, nullptr,
                 [&](std::string_view name, Kind, double, std::string_view) {
                   Zeilenpuffer key;
                   key += keys_.empty() ? '{' : ',';
                   AppendJsonString(key, name);
                   key += ':';
                   keys_.emplace_back(key.view());
                 });
  }

  void Case(const Fall& fall, std::span<const std::string> zusatz,
            const std::vector<std::string>& hinweise, const Auslegung* auslegung) override {
    JoinHinweise(hinweise, joined_);
    line_.clear();
    std::size_t k = 0;
    ForEachValue(fall, names_, zusatz, smin_, joined_, solve_, auslegung,
                 [&](std::string_view, Kind kind, double value, std::string_view text) {
                   line_ += keys_[k++];
                   AppendJsonValue(line_, kind, value, text);
                 });
    line_ += "}\n";
    out_.Write(line_.view());
  }

  void End(const Bilanz&) override {}

 private:
  double smin_;
  std::optional<Solve> solve_;
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
  TabellenSchreiber(double smin, std::optional<Solve> solve, Ausgabe& out)
      : smin_(smin), solve_(solve), out_(out) {}

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

  // A case's line; with --solve, what the search came to below it.
  void Case(const Fall& fall, std::span<const std::string>,
            const std::vector<std::string>& /*hinweise*/, const Auslegung* auslegung) override {
    std::string line;
    if (fall.datei != datei_) {
      datei_ = fall.datei;
      line += "Datei: " + Einzeilig(datei_) + "\n";
    }
    AppendCell(line, std::to_string(fall.zeile), kZeile, true);
    line += "  ";
    AppendCell(line, Einzeilig(fall.name), kName);
    AppendFaktoren(line, fall.n.SDauerbruch, fall.n.SFliessgrenze,
                   NachweisErfuellt(fall.e, fall.n, smin_));
    if (solve_) AppendAuslegung(line, auslegung);
    out_.Write(line);
  }

  void End(const Bilanz& b) override {
    std::string line = Plural(b.cases, "Fall", "F\u00e4lle") + " bei S_min " +
                       std::string(Number(smin_).text()) + ": " + std::to_string(b.met) +
                       " erf\u00fcllt, " + std::to_string(b.missed) + " nicht erf\u00fcllt; " +
                       Plural(b.refused, "Zeile", "Zeilen") + " abgewiesen\n";
    if (solve_) {
      line += std::string("Auslegung ") + (*solve_ == Solve::kRadius ? "r" : "d") + ": " +
              std::to_string(gefunden_) + " gefunden, " + std::to_string(unerreichbar_) +
              " nicht erreichbar";
      if (ohne_ > 0) line += ", " + std::to_string(ohne_) + " nur mit Spannungen";
      line += '\n';
    }
    out_.Write(line);
  }

 private:
  static constexpr std::size_t kZeile = 7;
  static constexpr std::size_t kName = 24;
  static constexpr std::size_t kS = 14;
  static constexpr std::size_t kEinzug = kZeile + 2;  // where the name starts

  // The two safety factors and the verdict, in their columns, to the end of
  // the line.
  static void AppendFaktoren(std::string& line, double s_dauerbruch, double s_fliessgrenze,
                             bool erfuellt) {
    line += "  ";
    AppendCell(line, Number(s_dauerbruch).text(), kS, true);
    line += "  ";
    AppendCell(line, Number(s_fliessgrenze).text(), kS, true);
    line += "  ";
    line += erfuellt ? "erf\u00fcllt\n" : "nicht erf\u00fcllt\n";
  }

  // With --solve, lines under the case's, indented to its name, that fit 80
  // columns: the solved size in the name's column ("r erf = 2.58 mm"; where
  // none meets S_min, the grid value that came closest, "bestenfalls r =
  // 4.99 mm") with the two factors and the verdict there in their columns;
  // for --solve d a line with D, r and t at that size; then the note where
  // S_min is not reachable or the case gives stresses only.
  void AppendAuslegung(std::string& line, const Auslegung* a) {
    const bool erreicht = a != nullptr && a->erreicht;
    ++(erreicht ? gefunden_ : (a != nullptr ? unerreichbar_ : ohne_));
    const std::string gross = *solve_ == Solve::kRadius ? "r" : "d";
    if (a != nullptr && !std::isnan(a->wert)) {
      line.append(kEinzug, ' ');
      AppendCell(line,
                 (erreicht ? gross + " erf = " : "bestenfalls " + gross + " = ") +
                     std::string(Number(a->wert).text()) + " mm",
                 kName);
      AppendFaktoren(line, a->SDauerbruch, a->SFliessgrenze, erreicht);
      if (*solve_ == Solve::kDurchmesser && erreicht) {
        line.append(kEinzug + 2, ' ');
        line += "D erf = " + std::string(Number(a->e.D).text()) +
                ", r erf = " + std::string(Number(a->e.r).text()) +
                ", t erf = " + std::string(Number(a->e.t).text()) + " mm\n";
      }
    }
    if (erreicht) return;
    line.append(kEinzug, ' ');
    // The note of the other outputs, for a case with stresses only without
    // its reason, which would not fit.
    line += a != nullptr ? Loesungshinweis(*solve_, a)
                         : "keine Auslegung von d: nur Spannungen gegeben";
    line += '\n';
  }

  double smin_;
  std::optional<Solve> solve_;
  Ausgabe& out_;
  std::string datei_;
  std::size_t gefunden_ = 0, unerreichbar_ = 0, ohne_ = 0;
};

}  // namespace

std::vector<std::string_view> OutputColumns(std::optional<Solve> solve) {
  std::vector<std::string_view> names;
  ForEachValue(
      Fall{}, {}, {}, 0, "", solve, nullptr,
      [&](std::string_view name, Kind, double, std::string_view) { names.push_back(name); });
  return names;
}

std::unique_ptr<Schreiber> MakeSchreiber(Format format, double smin, std::optional<Solve> solve,
                                         Ausgabe& out) {
  switch (format) {
    case Format::kCsv: return std::make_unique<CsvSchreiber>(smin, solve, out);
    case Format::kJson: return std::make_unique<JsonSchreiber>(smin, solve, out);
    case Format::kTable: return std::make_unique<TabellenSchreiber>(smin, solve, out);
  }
  return nullptr;
}

std::string Loesungshinweis(Solve solve, const Auslegung* auslegung) {
  if (auslegung == nullptr) {
    return "keine Auslegung von d: nur Spannungen gegeben, d wirkt nur \u00fcber die "
           "Einflussfaktoren";
  }
  if (auslegung->erreicht) return "";
  return std::string("nicht erreichbar bis ") + (solve == Solve::kRadius ? "r" : "d") + " = " +
         std::string(Number(auslegung->bis).text());
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

// What the command lines of both companion programs share: the option
// parser set up in German, its complaints in German, and the values of the
// options both programs take (--format, --smin, --delimiter, --solve, the
// report's title block).
//
// The option parser (CLI11) compiles slowly: this header brings it in, and
// each program includes it in its options.cpp alone. Its functions are
// inline for that reason.
#pragma once

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "companion/numbers.h"
#include "companion/optionen.h"

namespace wellen {

// The help in German: the usage line given, German section titles, no
// title line of the parser's own.
class DeutscheHilfe final : public CLI::Formatter {
 public:
  explicit DeutscheHilfe(std::string usage) : usage_(std::move(usage)) {
    label("Positionals", "Argumente");
    label("REQUIRED", "erforderlich");
    column_width(26);
  }
  std::string make_usage(const CLI::App*, std::string) const override { return usage_; }

 private:
  std::string usage_;
};

// Sets `app` up in German: help and version flags, the usage line, the
// options' group "Optionen" and the footer.
inline void Deutsch(CLI::App& app, std::string usage, const std::string& version,
                    const std::string& footer) {
  app.formatter(std::make_shared<DeutscheHilfe>(std::move(usage)));
  app.option_defaults()->group("Optionen");
  app.footer(footer);
  app.set_help_flag("-h,--help", "diese Hilfe");
  app.set_version_flag("--version", version, "Version anzeigen");
}

// The options of the report's title block.
inline void TitelOptionen(CLI::App& app, Titeloptionen& t) {
  app.add_option("--title", t.title, "Titel des Berichts")->type_name("TEXT");
  app.add_option("--project", t.project, "Projekt, im Kopf jeder Berichtsseite")->type_name("TEXT");
  app.add_option("--author", t.author, "Bearbeiter")->type_name("TEXT");
  app.add_option("--drawing", t.drawing, "Zeichnungsnummer und Revision")->type_name("TEXT");
  app.add_option("--date", t.date, "Datum des Berichts (Vorgabe: keines)")->type_name("TEXT");
}

// The parser's complaints in the program's language; the rare ones as the
// parser words them. Of the words the parser did not expect, the unknown
// options are what the user must mend; operands left over only follow from
// them.
inline std::string Wording(const CLI::ParseError& e) {
  std::string what = e.what();
  if (dynamic_cast<const CLI::ExtrasError*>(&e) != nullptr) {
    const std::size_t colon = what.find(": ");
    std::istringstream words(colon == std::string::npos ? what : what.substr(colon + 2));
    std::string options;
    std::string operands;
    for (std::string word; words >> word;) {
      std::string& list = word.size() > 1 && word[0] == '-' ? options : operands;
      list += (list.empty() ? "" : " ") + word;
    }
    if (!options.empty()) return "unbekannte Option: " + options;
    return "\u00fcberz\u00e4hliges Argument: " + operands;
  }
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) != nullptr)
    return what.substr(0, what.find(':')) + ": der Wert fehlt";
  return what;
}

// Parses argv into `app`'s options. Nothing when a run is to follow; else
// the Abbruch for --help, --version or a usage error.
inline std::optional<Abbruch> Parse(CLI::App& app, int argc, const char* const* argv) {
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {  // --help, --version
    std::ostringstream out;
    app.exit(e, out, out);
    return Abbruch{0, out.str()};
  } catch (const CLI::ParseError& e) {
    return Abbruch{2, Wording(e)};
  }
  return std::nullopt;
}

// The values of the shared options, each read from its text: nothing when
// the text is good (the value set), else the usage error's message. An empty
// text leaves the value as it is.
inline std::optional<std::string> LeseFormat(const std::string& text,
                                             std::optional<Format>& format) {
  if (text.empty()) return std::nullopt;
  if (text == "csv") format = Format::kCsv;
  if (text == "json") format = Format::kJson;
  if (text == "table") format = Format::kTable;
  if (format) return std::nullopt;
  return "--format: \"" + text + "\" ist nicht csv, json oder table";
}

// A decimal point or a decimal comma (a German user types 1,5 as readily as
// 1.5); no thousands: a point is the decimal point, "1.250" is 1.25.
inline std::optional<std::string> LeseSmin(const std::string& text, double& smin) {
  if (text.empty()) return std::nullopt;
  double value = 0;
  NumberStatus status = ParseReal(text, false, value);
  if (status == NumberStatus::kDecimalComma) status = ParseReal(text, true, value);
  if (status != NumberStatus::kOk || !std::isfinite(value) || value <= 0) {
    return "--smin: \"" + text + "\" ist keine endliche positive Zahl";
  }
  smin = value;
  return std::nullopt;
}

// ',', ';' or "tab".
inline std::optional<std::string> LeseTrennzeichen(const std::string& text,
                                                   std::optional<char>& separator) {
  if (text.empty()) return std::nullopt;
  if (text == ",") separator = ',';
  if (text == ";") separator = ';';
  if (text == "tab") separator = '\t';
  if (separator) return std::nullopt;
  return "--delimiter: \"" + text + "\" ist nicht , ; oder tab";
}

inline std::optional<std::string> LeseSolve(const std::string& text, std::optional<Solve>& solve) {
  if (text.empty()) return std::nullopt;
  if (text == "r") solve = Solve::kRadius;
  if (text == "d") solve = Solve::kDurchmesser;
  if (solve) return std::nullopt;
  return "--solve: \"" + text + "\" ist nicht r oder d";
}

// The first of the messages the Lese functions gave, if any.
inline std::optional<std::string> ErsterFehler(
    std::initializer_list<std::optional<std::string>> fehler) {
  const auto erster =
      std::find_if(fehler.begin(), fehler.end(),
                   [](const std::optional<std::string>& f) { return f.has_value(); });
  return erster == fehler.end() ? std::nullopt : *erster;
}

}  // namespace wellen

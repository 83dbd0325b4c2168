#include "welle/options.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <sstream>

#include "companion/numbers.h"

#ifndef WELLEN743_VERSION
#define WELLEN743_VERSION "unknown"
#endif

namespace wellen::welle {
namespace {

constexpr const char* kDescription =
    "wellen743-welle: Festigkeitsnachweis nach DIN 743 f\u00fcr eine ganze Welle.\n"
    "Liest die Welle aus einer TOML-Datei (Kontur, Nuten, Lager, Lasten je Lastfall),\n"
    "berechnet Lagerkr\u00e4fte, Schnittgr\u00f6\u00dfen und Durchbiegung und pr\u00fcft jeden "
    "Absatz\nund jede Nut in jedem Lastfall.";

constexpr const char* kFooter =
    "Mit - als DATEI wird die Standardeingabe gelesen.\n"
    "Beispiel:\n"
    "  wellen743-welle --template > welle.toml     # kommentierte Beispielwelle\n"
    "  wellen743-welle welle.toml                  # Tabelle am Terminal\n"
    "  wellen743-welle welle.toml -o ergebnis.csv --curves verlauf.csv\n"
    "  wellen743-welle welle.toml --report nachweis.html --project 'Getriebe GT-200'\n"
    "  wellen743-welle --solve d welle.toml --resized neu.toml   # kleinste Welle\n"
    "Exit-Status: 0 jede Stelle erf\u00fcllt S_min in jedem Lastfall, 1 nicht jede,\n"
    "2 Fehler in Aufruf oder Datei (nichts berechnet).";

// The usage line, without CLI11's default title.
class Formatter final : public CLI::Formatter {
 public:
  std::string make_usage(const CLI::App*, std::string) const override {
    return "Aufruf: wellen743-welle [OPTIONEN] DATEI\n";
  }
};

ParsedCommandLine UsageError(std::string message) {
  ParsedCommandLine parsed;
  parsed.action = ParsedCommandLine::Action::kExit;
  parsed.status = 2;
  parsed.message = std::move(message);
  return parsed;
}

// The option parser's complaints in the program's language; the rare ones
// as the parser words them.
std::string Wording(const CLI::ParseError& e) {
  std::string what = e.what();
  if (dynamic_cast<const CLI::ExtrasError*>(&e) != nullptr) {
    // "The following arguments were not expected: a.toml --fromat": the
    // unknown options are what the user must mend; the operands left over
    // only follow from them.
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

}  // namespace

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv) {
  ParsedCommandLine parsed;
  Options& o = parsed.options;
  std::string format;
  std::string delimiter;
  std::string smin;
  std::string solve;

  CLI::App app(kDescription, "wellen743-welle");
  auto formatter = std::make_shared<Formatter>();
  formatter->label("Positionals", "Argumente");
  formatter->column_width(26);
  app.formatter(formatter);
  app.option_defaults()->group("Optionen");
  app.footer(kFooter);
  app.set_help_flag("-h,--help", "diese Hilfe");
  app.set_version_flag("--version", std::string("wellen743-welle ") + WELLEN743_VERSION,
                       "Version anzeigen");
  app.add_option("DATEI", o.file, "die Welle als TOML-Datei")->type_name("");
  app.add_option("-o,--output", o.output, "Ergebnis in DATEI statt auf die Standardausgabe")
      ->type_name("DATEI");
  app.add_option("--format", format, "csv, json oder table (Vorgabe: table am Terminal, sonst csv)")
      ->type_name("FORMAT");
  app.add_option("--delimiter", delimiter,
                 "Trennzeichen der CSV-Ausgabe: ; (Vorgabe, mit Dezimalkomma), tab\n"
                 "(mit Dezimalkomma) oder , (mit Dezimalpunkt)")
      ->type_name("Z");
  app.add_option("--smin", smin, "erforderliche Mindestsicherheit (Vorgabe 1.2)")->type_name("X");
  app.add_option("--curves", o.curves,
                 "Schnittgr\u00f6\u00dfen und Durchbiegung l\u00e4ngs der Welle als CSV in DATEI")
      ->type_name("DATEI");
  app.add_option("--report", o.report,
                 "HTML-Bericht mit Zeichnung, Verl\u00e4ufen und jedem Nachweis in DATEI")
      ->type_name("DATEI");
  app.add_option("--title", o.title, "Titel des Berichts")->type_name("TEXT");
  app.add_option("--project", o.project, "Projekt, im Kopf jeder Berichtsseite")->type_name("TEXT");
  app.add_option("--author", o.author, "Bearbeiter")->type_name("TEXT");
  app.add_option("--drawing", o.drawing, "Zeichnungsnummer und Revision")->type_name("TEXT");
  app.add_option("--date", o.date, "Datum des Berichts (Vorgabe: keines)")->type_name("TEXT");
  app.add_option("--solve", solve,
                 "Auslegung: r der kleinste Radius jedes Absatzes und jeder Nut,\n"
                 "d der kleinste gemeinsame Faktor aller Durchmesser, der S_min\n"
                 "an jeder Stelle in jedem Lastfall erf\u00fcllt")
      ->type_name("r|d");
  app.add_option("--resized", o.resized,
                 "mit --solve d: die ge\u00e4nderte Welle als Wellendatei in DATEI")
      ->type_name("DATEI");
  app.add_flag("--template", o.templ,
               "eine kommentierte Beispielwelle mit jedem Schl\u00fcssel ausgeben");
  app.add_flag("-q,--quiet", o.quiet, "keine Hinweise auf Vorgabewerte auf der Standardfehlerausgabe");

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {  // --help, --version
    std::ostringstream out;
    app.exit(e, out, out);
    parsed.action = ParsedCommandLine::Action::kExit;
    parsed.status = 0;
    parsed.message = out.str();
    return parsed;
  } catch (const CLI::ParseError& e) {
    return UsageError(Wording(e));
  }

  if (!format.empty()) {
    if (format == "csv") o.format = Format::kCsv;
    if (format == "json") o.format = Format::kJson;
    if (format == "table") o.format = Format::kTable;
    if (!o.format) return UsageError("--format: \"" + format + "\" ist nicht csv, json oder table");
  }
  if (!delimiter.empty()) {
    if (delimiter == ",") {
      o.dialekt = Dialekt{',', false};
    } else if (delimiter == ";") {
      o.dialekt = Dialekt{';', true};
    } else if (delimiter == "tab") {
      o.dialekt = Dialekt{'\t', true};
    } else {
      return UsageError("--delimiter: \"" + delimiter + "\" ist nicht , ; oder tab");
    }
  }
  if (!smin.empty()) {
    // A German user types 1,5 as readily as 1.5; both mean the same here,
    // and a point is a decimal point ("1.250" is 1.25, not ambiguous).
    double value = 0;
    NumberStatus status = ParseReal(smin, false, value);
    if (status == NumberStatus::kDecimalComma) status = ParseReal(smin, true, value);
    if (status != NumberStatus::kOk || !std::isfinite(value) || value <= 0) {
      return UsageError("--smin: \"" + smin + "\" ist keine endliche positive Zahl");
    }
    o.smin = value;
  }
  if (!solve.empty()) {
    if (solve == "r") o.solve = Solve::kRadius;
    if (solve == "d") o.solve = Solve::kDurchmesser;
    if (!o.solve) return UsageError("--solve: \"" + solve + "\" ist nicht r oder d");
  }
  if (o.resized && o.solve != Solve::kDurchmesser)
    return UsageError("--resized gilt nur mit --solve d");
  if (o.templ && o.solve) return UsageError("--template nimmt kein --solve");
  if (o.file.empty() && !o.templ) return UsageError("die Datei der Welle fehlt");
  if (!o.file.empty() && o.templ)
    return UsageError("--template nimmt keine DATEI; die Vorlage wird ausgegeben");
  // The template computes no shaft: nothing to report, no curves.
  if (o.templ && o.report) return UsageError("--template nimmt kein --report");
  if (o.templ && o.curves) return UsageError("--template nimmt kein --curves");
  return parsed;
}

}  // namespace wellen::welle

#include "batch/options.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <sstream>

#include "companion/numbers.h"
#include "wellen743/version.h"

namespace wellen::batch {
namespace {

constexpr const char* kDescription =
    "wellen743-batch: Festigkeitsnachweis nach DIN 743 f\u00fcr viele Kerben aus CSV-Dateien.\n"
    "Liest F\u00e4lle (eine Zeile je Kerbe und Lastfall) und schreibt jede Gr\u00f6\u00dfe der "
    "sechs\nErgebnisseiten als CSV, JSON Lines oder Tabelle.";

constexpr const char* kFooter =
    "Ohne DATEI oder mit - wird die Standardeingabe gelesen: UTF-8 oder Windows-1252,\n"
    "getrennt durch ; oder Tabulator (Dezimalkomma, Tausenderpunkte) oder durch ,\n"
    "(Dezimalpunkt). Fehlende oder leere Spannungen und Lasten sind 0; andere Werte\n"
    "nehmen die Vorgabewerte des Dialogprogramms und sagen es.\n"
    "Beispiel:\n"
    "  wellen743-batch --template > kerben.csv     # Vorlage mit dem Beispielfall\n"
    "  wellen743-batch kerben.csv -o ergebnis.csv  # alle Werte als CSV\n"
    "  wellen743-batch kerben.csv --report nachweis.html\n"
    "  wellen743-batch --solve r kerben.csv         # kleinster Radius je Zeile\n"
    "Exit-Status: 0 alle Zeilen berechnet, 1 Zeilen abgewiesen, 2 Fehler.";

// The usage and option list in German, without CLI11's default title line.
class Formatter final : public CLI::Formatter {
 public:
  Formatter() {
    label("Positionals", "Argumente");
    label("REQUIRED", "erforderlich");
  }
  std::string make_usage(const CLI::App*, std::string) const override {
    return "Aufruf: wellen743-batch [OPTIONEN] [DATEI...]\n";
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
    const std::size_t colon = what.find(": ");
    return "unbekannte Option oder \u00fcberz\u00e4hliges Argument:" +
           (colon == std::string::npos ? " " + what : what.substr(colon + 1));
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

  CLI::App app(kDescription, "wellen743-batch");
  app.formatter(std::make_shared<Formatter>());
  app.option_defaults()->group("Optionen");
  app.footer(kFooter);
  app.set_help_flag("-h,--help", "diese Hilfe");
  app.set_version_flag("--version", std::string("wellen743-batch ") + WELLEN743_VERSION_STRING,
                       "Version anzeigen");
  app.add_option("DATEI", o.files, "CSV-Dateien mit einer Kopfzeile")->type_name("");
  app.add_option("-o,--output", o.output, "Ergebnis in DATEI statt auf die Standardausgabe")
      ->type_name("DATEI");
  app.add_option("--format", format, "csv, json oder table (Vorgabe: table am Terminal, sonst csv)")
      ->type_name("FORMAT");
  app.add_option("--smin", smin, "erforderliche Mindestsicherheit (Vorgabe 1,2)")->type_name("X");
  app.add_option("--delimiter", delimiter, "Trennzeichen erzwingen: , ; oder tab")->type_name("Z");
  app.add_option("--report", o.report, "HTML-Bericht in DATEI schreiben")->type_name("DATEI");
  app.add_option("--solve", solve,
                 "Auslegung je Zeile: r kleinster Kerbradius, d kleinster\n"
                 "Durchmesser (Form gleich), der S_min erf\u00fcllt")
      ->type_name("r|d");
  app.add_option("--title", o.title, "Titel des Berichts")->type_name("TEXT");
  app.add_option("--project", o.project, "Projekt, im Kopf jeder Berichtsseite")->type_name("TEXT");
  app.add_option("--author", o.author, "Bearbeiter")->type_name("TEXT");
  app.add_option("--drawing", o.drawing, "Zeichnungsnummer und Revision")->type_name("TEXT");
  app.add_option("--date", o.date, "Datum des Berichts (Vorgabe: keines)")->type_name("TEXT");
  app.add_flag("--template", o.templ,
               "Vorlage mit Beispielfall ausgeben (; und Dezimalkomma)");
  app.add_flag("--extra-columns", o.extra_columns,
               "unbekannte Spalten unver\u00e4ndert \u00fcbernehmen");
  app.add_flag("-q,--quiet", o.quiet, "keine Fortschrittsanzeige");

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
    if (delimiter == ",") o.delimiter = ',';
    if (delimiter == ";") o.delimiter = ';';
    if (delimiter == "tab") o.delimiter = '\t';
    if (!o.delimiter)
      return UsageError("--delimiter: \"" + delimiter + "\" ist nicht , ; oder tab");
  }
  if (!smin.empty()) {
    // A decimal point or a decimal comma; no thousands (a point is decimal).
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
  if (o.templ && o.solve) return UsageError("--template nimmt kein --solve");
  o.files_given = !o.files.empty();
  if (o.files.empty()) o.files.emplace_back("-");
  return parsed;
}

}  // namespace wellen::batch

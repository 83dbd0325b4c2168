#include "batch/options.h"

#include "companion/befehlszeile.h"
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

ParsedCommandLine UsageError(std::string message) {
  return ParsedCommandLine{Abbruch{2, std::move(message)}, {}};
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
  Deutsch(app, "Aufruf: wellen743-batch [OPTIONEN] [DATEI...]\n",
          std::string("wellen743-batch ") + WELLEN743_VERSION_STRING, kFooter);
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
  TitelOptionen(app, o.titel);
  app.add_flag("--template", o.templ, "Vorlage mit Beispielfall ausgeben (; und Dezimalkomma)");
  app.add_flag("--extra-columns", o.extra_columns,
               "unbekannte Spalten unver\u00e4ndert \u00fcbernehmen");
  app.add_flag("-q,--quiet", o.quiet, "keine Fortschrittsanzeige");

  parsed.abbruch = Parse(app, argc, argv);
  if (parsed.abbruch) return parsed;
  if (const std::optional<std::string> fehler =
          ErsterFehler({LeseFormat(format, o.format), LeseTrennzeichen(delimiter, o.delimiter),
                        LeseSmin(smin, o.smin), LeseSolve(solve, o.solve)})) {
    return UsageError(*fehler);
  }
  if (o.templ && o.solve) return UsageError("--template nimmt kein --solve");
  o.files_given = !o.files.empty();
  if (o.files.empty()) o.files.emplace_back("-");
  return parsed;
}

}  // namespace wellen::batch

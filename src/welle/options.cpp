#include "welle/options.h"

#include "companion/befehlszeile.h"
#include "wellen743/version.h"

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

  CLI::App app(kDescription, "wellen743-welle");
  Deutsch(app, "Aufruf: wellen743-welle [OPTIONEN] DATEI\n",
          std::string("wellen743-welle ") + WELLEN743_VERSION_STRING, kFooter);
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
  TitelOptionen(app, o.titel);
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
  app.add_flag("-q,--quiet", o.quiet,
               "keine Hinweise auf Vorgabewerte auf der Standardfehlerausgabe");

  parsed.abbruch = Parse(app, argc, argv);
  if (parsed.abbruch) return parsed;
  std::optional<char> separator;
  if (const std::optional<std::string> fehler =
          ErsterFehler({LeseFormat(format, o.format), LeseTrennzeichen(delimiter, separator),
                        LeseSmin(smin, o.smin), LeseSolve(solve, o.solve)})) {
    return UsageError(*fehler);
  }
  if (separator) o.dialekt = Dialekt{*separator, *separator != ','};
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

// The command line of wellen743-welle.
#pragma once

#include <optional>
#include <string>

namespace wellen::welle {

enum class Format { kCsv, kJson, kTable };

// What --solve asks for: the smallest radius of every notch, or the smallest
// common factor of all diameters.
enum class Solve { kRadius, kDurchmesser };

// How the CSV output and the curves are written: ';' with decimal commas
// (the German spreadsheet form) unless --delimiter says otherwise.
struct Dialekt {
  char separator = ';';
  bool decimal_comma = true;
};

struct Options {
  std::string file;                   // the shaft file; "-" is standard input
  std::optional<std::string> output;  // -o FILE; standard output if empty
  std::optional<std::string> curves;  // --curves FILE
  std::optional<std::string> report;  // --report FILE.html
  // The report's title block: --title, --project, --author, --drawing, --date.
  std::string title, project, author, drawing, date;
  std::optional<Solve> solve;         // --solve r|d
  std::optional<std::string> resized;  // --resized FILE (with --solve d)
  std::optional<Format> format;       // --format; chosen by the output if empty
  Dialekt dialekt;                    // --delimiter
  double smin = 1.2;                  // --smin: required minimum safety
  bool templ = false;                 // --template
  bool quiet = false;                 // -q
};

// What parsing the command line came to.
struct ParsedCommandLine {
  enum class Action { kRun, kExit } action = Action::kRun;
  int status = 0;       // exit status for kExit (0 after --help or --version, 2 on error)
  std::string message;  // text for kExit: to standard output on 0, standard error on 2
  Options options;
};

// Parses argv. Never exits and never prints: the caller does both.
ParsedCommandLine ParseCommandLine(int argc, const char* const* argv);

}  // namespace wellen::welle

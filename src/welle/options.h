// The command line of wellen743-welle.
#pragma once

#include <optional>
#include <string>

#include "companion/optionen.h"

namespace wellen::welle {

// How the CSV output and the curves are written: ';' with decimal commas
// (the German spreadsheet form) unless --delimiter says otherwise.
struct Dialekt {
  char separator = ';';
  bool decimal_comma = true;
};

struct Options {
  std::string file;                    // the shaft file; "-" is standard input
  std::optional<std::string> output;   // -o FILE; standard output if empty
  std::optional<std::string> curves;   // --curves FILE
  std::optional<std::string> report;   // --report FILE.html
  Titeloptionen titel;                 // the report's title block
  std::optional<Solve> solve;          // --solve r|d
  std::optional<std::string> resized;  // --resized FILE (with --solve d)
  std::optional<Format> format;        // --format; chosen by the output if empty
  Dialekt dialekt;                     // --delimiter
  double smin = 1.2;                   // --smin: required minimum safety
  bool templ = false;                  // --template
  bool quiet = false;                  // -q
};

// What parsing the command line came to: the options of a run, or the end
// before one (after --help or --version, or on a usage error).
struct ParsedCommandLine {
  std::optional<Abbruch> abbruch;
  Options options;
};

// Parses argv. Never exits and never prints: the caller does both.
ParsedCommandLine ParseCommandLine(int argc, const char* const* argv);

}  // namespace wellen::welle

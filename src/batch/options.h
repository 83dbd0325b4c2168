// The command line of wellen743-batch.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "companion/optionen.h"

namespace wellen::batch {

struct Options {
  std::vector<std::string> files;     // input files; "-" is standard input
  std::optional<std::string> output;  // -o FILE; standard output if empty
  std::optional<Format> format;       // --format; chosen by the output if empty
  double smin = 1.2;                  // --smin: required minimum safety
  std::optional<char> delimiter;      // --delimiter: ',', ';' or '\t'
  std::optional<std::string> report;  // --report FILE.html
  std::optional<Solve> solve;         // --solve r|d
  Titeloptionen titel;                // the report's title block
  bool templ = false;                 // --template
  bool quiet = false;                 // -q
  bool extra_columns = false;         // --extra-columns: unknown columns are carried through
  bool files_given = false;           // files named on the command line ("-" included)
};

// What parsing the command line came to: the options of a run, or the end
// before one (after --help or --version, or on a usage error).
struct ParsedCommandLine {
  std::optional<Abbruch> abbruch;
  Options options;
};

// Parses argv. Never exits and never prints: the caller does both.
ParsedCommandLine ParseCommandLine(int argc, const char* const* argv);

}  // namespace wellen::batch

// The command line of wellen743-batch.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wellen::batch {

enum class Format { kCsv, kJson, kTable };

// Design mode (--solve): the smallest notch radius, or the smallest size, of
// each case.
enum class Solve { kRadius, kDurchmesser };

struct Options {
  std::vector<std::string> files;     // input files; "-" is standard input
  std::optional<std::string> output;  // -o FILE; standard output if empty
  std::optional<Format> format;       // --format; chosen by the output if empty
  double smin = 1.2;                  // --smin: required minimum safety
  std::optional<char> delimiter;      // --delimiter: ',', ';' or '\t'
  std::optional<std::string> report;  // --report FILE.html
  std::optional<Solve> solve;         // --solve r|d
  // The report's title block: --title, --project, --author, --drawing, --date.
  std::string title, project, author, drawing, date;
  bool templ = false;                 // --template
  bool quiet = false;                 // -q
  bool extra_columns = false;         // --extra-columns: unknown columns are carried through
  bool files_given = false;           // files named on the command line ("-" included)
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

}  // namespace wellen::batch

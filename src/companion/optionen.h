// The options both companion programs take, as values: the output
// format, design mode, the report's title block, and how parsing ends early.
// Free of the option parser, so that the programs' option records can use
// them (companion/befehlszeile.h parses).
#pragma once

#include <string>

namespace wellen {

enum class Format { kCsv, kJson, kTable };

// Design mode (--solve): the smallest notch radius, or the smallest size.
enum class Solve { kRadius, kDurchmesser };

// The report's title block as given: --title, --project, --author,
// --drawing, --date.
struct Titeloptionen {
  std::string title, project, author, drawing, date;
};

// The end of parsing before a run: after --help or --version (status 0, the
// text for standard output), or a usage error (status 2, the message for
// standard error).
struct Abbruch {
  int status = 0;
  std::string message;
};

}  // namespace wellen

// The printable calculation report of a companion program over many cases:
// one HTML5 file, self-contained (CSS and SVG inline, no scripts, fonts or
// other external resources), laid out for A4 portrait, every printed page
// with a running header and "Seite N von M" (dokument.h).
//
// It opens with a title block (title, project, drawing, author, date, the
// program, the input files, the number of cases, S_min), the scope of the
// method and how it computes; then a summary table of every case, the rows
// that were refused and a sign-off box; then one section per case, each on
// a new page (abschnitt.h): the verdict, the inputs with a sketch of the
// notch, every value of the six pages under its symbol, name and unit, the
// plausibility notes and the fatigue diagrams of the three load types.
// Numbers are in German style, with a decimal comma.
//
// The program streams: Add() for each computed case and Refuse() for each
// refused row, in input order, then Write() once at the end. The same calls
// give the same bytes; there is no time stamp, and a date only if given.
//
// Memory stays bounded whatever the number of cases: each summary row and
// each refused row is rendered as soon as it arrives and spooled to an
// anonymous temporary file (in memory only if none can be made), and only
// the first `volle_abschnitte` cases are kept whole, for their sections.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "companion/fall.h"
#include "report/abschnitt.h"
#include "report/dokument.h"
#include "report/html.h"

namespace wellen::report {

// How many cases get a full section by default; the summary lists all.
inline constexpr std::size_t kVolleAbschnitte = 500;

// Takes the report piece by piece; returns false when it cannot write.
using Sink = std::function<bool(std::string_view)>;

class Report {
 public:
  // `dateien`: the input files as named on the command line ("-" for
  // standard input); `smin`: the required safety; `titel`: the program and
  // the title data.
  Report(std::vector<std::string> dateien, double smin, Titelangaben titel,
         std::size_t volle_abschnitte = kVolleAbschnitte);
  ~Report();
  Report(const Report&) = delete;
  Report& operator=(const Report&) = delete;

  // A computed case with its plausibility notes, in input order; with
  // `loesung`, what design mode found for it, shown beside its verdict.
  void Add(const Fall& fall, const std::vector<std::string>& hinweise,
           const Loesung* loesung = nullptr);
  // The same, the notes worked out here.
  void Add(const Fall& fall);
  // A row that was not computed, with the reader's message.
  void Refuse(std::string_view datei, std::size_t zeile, std::string_view meldung);

  // Writes the whole report. False when the sink fails or a spooled part
  // cannot be read back; the report may then be incomplete.
  bool Write(const Sink& sink);
  // The same to a C stream; false on a write error.
  bool Write(std::FILE* out);

 private:
  // Text written once and read back at the end: a temporary file, or memory.
  class Spool {
   public:
    Spool();
    ~Spool();
    Spool(const Spool&) = delete;
    Spool& operator=(const Spool&) = delete;
    void Append(std::string_view text);
    bool Replay(const Sink& sink);

   private:
    std::FILE* datei_;
    std::string speicher_;  // used when no temporary file could be made
    bool fehler_ = false;
  };

  std::vector<std::string> dateien_;
  double smin_;
  Titelangaben titel_;
  std::size_t volle_abschnitte_;

  std::size_t faelle_ = 0;
  std::size_t erfuellt_ = 0;
  std::size_t abgewiesen_ = 0;
  // The first volle_abschnitte_ cases, with their notes and what design
  // mode found.
  struct Voll {
    Fall fall;
    std::vector<std::string> hinweise;
    std::optional<Loesung> loesung;
  };
  std::vector<Voll> volle_;
  Spool zusammenfassung_;  // one table row per case
  Spool abweisungen_;      // one table row per refused row
};

}  // namespace wellen::report

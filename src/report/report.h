// The printable calculation report of the batch program: one HTML5 file,
// self-contained (CSS and SVG inline, no scripts, fonts or other external
// resources), laid out for A4 portrait.
//
// It opens with the input files, the number of cases, S_min and the program
// version, and a fixed note on the scope of the method; then a summary table
// of every case and the rows that were refused; then one section per case,
// each on a new page: the inputs, the values of the six pages under their
// printed labels, both safety factors against S_min with the verdict, the
// plausibility notes and the fatigue diagrams of the three load types.
//
// The batch program streams: Add() for each computed case and Refuse() for
// each refused row, in input order, then Write() once at the end. The same
// calls give the same bytes; there is no time stamp.
//
// Memory stays bounded whatever the number of cases: each summary row and
// each refused row is rendered as soon as it arrives and spooled to an
// anonymous temporary file (in memory only if none can be made), and only
// the first `volle_abschnitte` cases are kept whole, for their sections.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "companion/fall.h"

namespace wellen::report {

// How many cases get a full section by default; the summary lists all.
inline constexpr std::size_t kVolleAbschnitte = 500;

// Takes the report piece by piece; returns false when it cannot write.
using Sink = std::function<bool(std::string_view)>;

// `text` for HTML element content and attribute values: & < > " ' as
// references; bytes that are not UTF-8, and control characters other than
// tab and line end, as U+FFFD.
std::string Html(std::string_view text);

class Report {
 public:
  // `dateien`: the input files as named on the command line ("-" for
  // standard input); `smin`: the required safety; `version`: the program's.
  Report(std::vector<std::string> dateien, double smin, std::string version,
         std::size_t volle_abschnitte = kVolleAbschnitte);
  ~Report();
  Report(const Report&) = delete;
  Report& operator=(const Report&) = delete;

  // A computed case with its plausibility notes, in input order.
  void Add(const Fall& fall, const std::vector<std::string>& hinweise);
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
  std::string version_;
  std::size_t volle_abschnitte_;

  std::size_t faelle_ = 0;
  std::size_t erfuellt_ = 0;
  std::size_t abgewiesen_ = 0;
  // The first volle_abschnitte_ cases, with their notes.
  std::vector<std::pair<Fall, std::vector<std::string>>> volle_;
  Spool zusammenfassung_;  // one table row per case
  Spool abweisungen_;      // one table row per refused row
};

}  // namespace wellen::report

// Messages and progress of a companion program on standard error.
//
// Progress of a long run: rows done, rows per second and
// errors, at most ten updates a second, cleared at the end. Shown only on a
// terminal that is not "dumb", and never with --quiet.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "companion/optionen.h"

namespace wellen {

class Fortschritt {
 public:
  // `shown`: whether the caller allows it at all (not quiet, and the results
  // do not go to the same terminal). Standard error must be a terminal too.
  explicit Fortschritt(bool shown);
  ~Fortschritt() { Clear(); }
  Fortschritt(const Fortschritt&) = delete;
  Fortschritt& operator=(const Fortschritt&) = delete;

  // Counts one row; cheap enough to call for every row.
  void Row(std::size_t errors) {
    ++rows_;
    if (shown_ && (rows_ & 255) == 0) Update(errors);
  }
  // Takes the line off the screen (before an error message, and at the end).
  void Clear();
  // True if the line may show at all (standard error is a terminal, ...).
  bool shown() const { return shown_; }

 private:
  void Update(std::size_t errors);

  bool shown_ = false;
  bool visible_ = false;
  std::size_t rows_ = 0;
  double start_ = 0;        // seconds
  double last_update_ = 0;  // seconds
};

// The system's error `errnum` in German words (the C library speaks English
// in the "C" locale), for the errors a user can mend; others as the library
// words them.
std::string Systemfehler(int errnum);

// The program's name that every message starts with ("wellen743-batch");
// set once at start.
void Programmname(const char* name);

// Ends a program before a run: the text of --help or --version to standard
// output, a usage error as a message with a pointer to --help. Returns the
// exit status.
int Abbrechen(const Abbruch& abbruch);

// Appends `text` with its control characters escaped, so that a message
// stays one line and cannot act on the terminal whatever it quotes (a file
// name, a text from a file): \n, \r, \t, other C0 controls and DEL as
// \xNN, the C1 controls U+0080 to U+009F as \u0080.
void AppendEscaped(std::string& out, std::string_view text);

// Writes one line to standard error: the program's name, a colon, then
// `message` with its control characters escaped (C0 and DEL as \xNN or \n,
// \r, \t; the C1 controls as \u0080). Clears `progress` first if given.
void Meldung(std::string_view message, Fortschritt* progress = nullptr);

}  // namespace wellen

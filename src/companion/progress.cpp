#include "companion/progress.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace wellen {
namespace {

double Now() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

void WriteErr(std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(STDERR_FILENO, text.data(), text.size());
    if (n <= 0) return;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
}

const char* g_programm = "wellen743";

constexpr double kQuiet = 0.5;   // seconds before the first update
constexpr double kPeriod = 0.1;  // at most ten updates a second

}  // namespace

void AppendEscaped(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    char escape[12];
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      (void)std::snprintf(escape, sizeof escape, "\\x%02X", c);
      out += escape;
    } else if (c == 0xC2 && i + 1 < text.size() &&
               (static_cast<unsigned char>(text[i + 1]) & 0xE0) == 0x80) {
      (void)std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned char>(text[++i]));
      out += escape;
    } else {
      out += static_cast<char>(c);
    }
  }
}

Fortschritt::Fortschritt(bool shown) {
  const char* term = std::getenv("TERM");  // NOLINT(concurrency-mt-unsafe): one thread
  shown_ = shown && isatty(STDERR_FILENO) != 0 && term != nullptr && std::strcmp(term, "dumb") != 0;
  if (shown_) start_ = last_update_ = Now();
}

void Fortschritt::Update(std::size_t errors) {
  const double now = Now();
  if (now - start_ < kQuiet || now - last_update_ < kPeriod) return;
  last_update_ = now;
  const double rate = static_cast<double>(rows_) / (now - start_);
  char line[128];
  const int n = std::snprintf(line, sizeof line, "\r%zu Zeilen, %.0f Zeilen/s, %zu Fehler\x1b[K",
                              rows_, rate, errors);
  if (n > 0) WriteErr(std::string_view(line, static_cast<std::size_t>(n)));
  visible_ = true;
}

void Fortschritt::Clear() {
  if (!visible_) return;
  WriteErr("\r\x1b[K");
  visible_ = false;
}

std::string Systemfehler(int errnum) {
  switch (errnum) {
    case ENOENT: return "Datei oder Verzeichnis nicht gefunden";
    case EACCES:
    case EPERM: return "Zugriff verweigert";
    case EISDIR: return "ist ein Verzeichnis";
    case ENOTDIR: return "ein Teil des Pfades ist kein Verzeichnis";
    case ENOSPC: return "kein Platz mehr auf dem Ger\u00e4t";
    case EDQUOT: return "Speicherkontingent ersch\u00f6pft";
    case EROFS: return "Dateisystem nur lesbar";
    case EFBIG: return "Datei zu gro\u00df";
    case EIO: return "Ein-/Ausgabefehler";
    case EMFILE:
    case ENFILE: return "zu viele offene Dateien";
    case ENAMETOOLONG: return "Dateiname zu lang";
    case ELOOP: return "zu viele symbolische Verkn\u00fcpfungen";
    default: return std::strerror(errnum);
  }
}

int Abbrechen(const Abbruch& abbruch) {
  if (abbruch.status == 0) {
    const ssize_t written = ::write(STDOUT_FILENO, abbruch.message.data(), abbruch.message.size());
    (void)written;  // nothing to be done if even this fails
  } else {
    Meldung(abbruch.message + " (--help zeigt die Optionen)");
  }
  return abbruch.status;
}

void Programmname(const char* name) { g_programm = name; }

void Meldung(std::string_view message, Fortschritt* progress) {
  if (progress != nullptr) progress->Clear();
  std::string line = g_programm;
  line += ": ";
  AppendEscaped(line, message);
  line += '\n';
  WriteErr(line);
}

}  // namespace wellen

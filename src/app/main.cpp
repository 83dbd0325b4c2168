// wellen743: strength check of a notched shaft or axle after DIN 743.
//
// Connects the console (the terminal, or a pipe or file on standard input)
// to the menu loop. Reads no files or environment. Exits with status 0 on q
// and at the end of input.
//
// The one argument it knows is --help or --version: it prints the usage or
// the version to standard output and exits with 0 (1 if that output cannot
// be written). Any other argument is a usage error: one line on standard
// error and status 2, before the terminal is touched.
#include <unistd.h>

#include <string>
#include <string_view>

#include "app/menu.h"
#include "console/input_buffer.h"
#include "console/stream_console.h"
#include "console/terminal.h"
#include "wellen743/version.h"

namespace {

constexpr std::string_view kUsage =
    "Aufruf: wellen743 [--help | --version]\n"
    "Festigkeitsnachweis einer gekerbten Welle oder Achse nach DIN 743, im Dialog.\n"
    "Ohne Argument startet das Menue mit den eingebauten Vorgabewerten; Tasten und\n"
    "Werte kommen von der Standardeingabe (Terminal, Pipe oder Datei).\n"
    "  --help     diese Hilfe\n"
    "  --version  Version anzeigen\n"
    "Viele Faelle aus CSV-Dateien rechnet wellen743-batch.\n";

constexpr std::string_view kVersion = "wellen743 " WELLEN743_VERSION_STRING "\n";

// Writes all of `text` to `fd`; false if it cannot.
bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// The answer to a command line with arguments: the exit status.
int Arguments(int argc, char** argv) {
  const std::string_view first = argv[1];
  if (argc == 2 && (first == "--help" || first == "--version")) {
    return WriteAll(STDOUT_FILENO, first == "--help" ? kUsage : kVersion) ? 0 : 1;
  }
  const bool zuviel = first == "--help" || first == "--version";
  const std::string_view falsch = zuviel ? std::string_view(argv[2]) : first;
  std::string message = "wellen743: ";
  message += zuviel ? "ueberzaehliges Argument \"" : "unbekanntes Argument \"";
  // Control characters would act on a terminal: they show as '?', the
  // C1 ones of UTF-8 (U+0080 to U+009F, such as the one-byte CSI) too.
  for (std::size_t i = 0; i < falsch.size(); ++i) {
    const auto c = static_cast<unsigned char>(falsch[i]);
    const bool c1 = c == 0xC2 && i + 1 < falsch.size() &&
                    static_cast<unsigned char>(falsch[i + 1]) <= 0x9F &&
                    static_cast<unsigned char>(falsch[i + 1]) >= 0x80;
    if (c1) ++i;
    message += c < 0x20 || c == 0x7F || c1 ? '?' : falsch[i];
  }
  message += "\" (--help zeigt den Aufruf)\n";
  static_cast<void>(WriteAll(STDERR_FILENO, message));
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace wellen;
  if (argc > 1) return Arguments(argc, argv);

  const bool terminal = AttachTerminal(STDIN_FILENO);
  FdReader reader(STDIN_FILENO);
  InputBuffer values(reader);
  TerminalKeyReader terminal_keys(STDIN_FILENO);
  FdSink out(STDOUT_FILENO);
  StreamConsole console(values, terminal ? &terminal_keys : nullptr, out);

  Eingabewerte e = DefaultEingabewerte();
  Ergebnisse r{};
  RunMenu(e, r, console);
  out.Flush();
  RestoreTerminal();
  return 0;
}

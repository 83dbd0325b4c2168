// wellen743: strength check of a notched shaft or axle after DIN 743.
//
// Connects the console (the terminal, or a pipe or file on standard input)
// to the menu loop. Takes no arguments, reads no files or environment.
// Exits with status 0 on q and at the end of input.
#include <unistd.h>

#include "app/menu.h"
#include "console/input_buffer.h"
#include "console/stream_console.h"
#include "console/terminal.h"

int main() {
  using namespace wellen;

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

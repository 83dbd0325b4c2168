// The terminal: raw single-key reads and restoring the terminal's mode.
//
// Only the key read changes the terminal's mode, and only while it waits:
// canonical input and echo are switched off (VMIN 1, VTIME 0), everything
// else stays as it was, signals included, so that Ctrl-C, Ctrl-\ and Ctrl-Z
// act as usual. Value lines are typed in the terminal's own mode, echoed and
// with its line editing. This unit writes no escape sequences at all.
//
// The saved mode is put back on every way out: after each key, at exit(), on
// SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGPIPE and fatal signals (then the signal
// is raised again with its previous action, so the exit status stays honest),
// and before the process stops on SIGTSTP; on continuing, raw key mode is
// taken up again if a key read was waiting.
#pragma once

#include "console/stream_console.h"

namespace wellen {

// Reads keys from a terminal in raw mode: Prepare enters it, ReadKey reads
// one byte and leaves it.
class TerminalKeyReader final : public KeyReader {
 public:
  explicit TerminalKeyReader(int fd) : fd_(fd) {}
  void Prepare() override;
  int ReadKey() override;

 private:
  int fd_;
};

// If `fd` is a terminal: saves its mode, installs the restoring handlers and
// returns true. Otherwise changes nothing and returns false.
bool AttachTerminal(int fd);

// Puts the saved mode back; safe to call at any time, any number of times.
void RestoreTerminal();

}  // namespace wellen

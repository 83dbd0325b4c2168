#include "console/terminal.h"

#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

namespace wellen {
namespace {

// State shared with the signal handlers: written before they are installed
// (saved and raw mode) or as sig_atomic_t flags.
int g_fd = -1;
struct termios g_saved;
struct termios g_raw;
volatile std::sig_atomic_t g_raw_active = 0;

constexpr int kRestoringSignals[] = {SIGINT,  SIGQUIT, SIGTERM, SIGHUP, SIGPIPE,
                                     SIGABRT, SIGSEGV, SIGBUS,  SIGFPE, SIGILL};
constexpr int kSignalSlots = 65;
struct sigaction g_previous[kSignalSlots];

// Installs `handler` for `sig`, keeping the action it replaces in `previous`
// if that is given.
void SetAction(int sig, void (*handler)(int), struct sigaction* previous = nullptr) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(sig, &action, previous);
}

// Termination and fatal signals: restore, then let the signal act as it
// would have without us (it is delivered when the handler returns).
void OnTerminatingSignal(int sig) {
  const int saved_errno = errno;
  if (g_fd >= 0) tcsetattr(g_fd, TCSANOW, &g_saved);
  if (sig > 0 && sig < kSignalSlots) sigaction(sig, &g_previous[sig], nullptr);
  (void)raise(sig);  // delivered when the handler returns
  // raise() does return here: the signal is blocked while its handler runs.
  // cppcheck-suppress unreachableCode
  errno = saved_errno;
}

void OnStop(int) {
  const int saved_errno = errno;
  tcsetattr(g_fd, TCSANOW, &g_saved);
  SetAction(SIGTSTP, SIG_DFL);
  (void)raise(SIGTSTP);  // pending while the handler blocks it
  // raise() does return here: the signal is blocked while its handler runs.
  // cppcheck-suppress unreachableCode
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTSTP);
  sigprocmask(SIG_UNBLOCK, &stop, nullptr);  // the process stops here
  // Continued.
  SetAction(SIGTSTP, OnStop);
  if (g_raw_active != 0) tcsetattr(g_fd, TCSANOW, &g_raw);
  errno = saved_errno;
}

void RestoreAtExit() { RestoreTerminal(); }

}  // namespace

bool AttachTerminal(int fd) {
  if (isatty(fd) == 0 || tcgetattr(fd, &g_saved) != 0) return false;
  g_raw = g_saved;
  g_raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  g_raw.c_cc[VMIN] = 1;
  g_raw.c_cc[VTIME] = 0;
  g_fd = fd;

  // Should registration fail, main() still restores on its way out.
  (void)std::atexit(RestoreAtExit);
  for (const int sig : kRestoringSignals) {
    SetAction(sig, OnTerminatingSignal, &g_previous[sig]);
    // A signal that was ignored when we started stays ignored.
    if (g_previous[sig].sa_handler == SIG_IGN) sigaction(sig, &g_previous[sig], nullptr);
  }
  struct sigaction previous_stop {};
  sigaction(SIGTSTP, nullptr, &previous_stop);
  if (previous_stop.sa_handler != SIG_IGN) SetAction(SIGTSTP, OnStop);
  return true;
}

void RestoreTerminal() {
  if (g_fd >= 0) tcsetattr(g_fd, TCSANOW, &g_saved);
}

// The flag goes up before raw mode is entered and down before it is left, so
// that the stop handler, which always restores, and the continue path, which
// re-enters raw mode only under the flag, never leave the terminal raw.
void TerminalKeyReader::Prepare() {
  g_raw_active = 1;
  tcsetattr(fd_, TCSANOW, &g_raw);
}

int TerminalKeyReader::ReadKey() {
  if (g_raw_active == 0) Prepare();
  unsigned char byte = 0;
  ssize_t n;
  do {
    n = ::read(fd_, &byte, 1);
  } while (n < 0 && errno == EINTR);
  g_raw_active = 0;
  tcsetattr(fd_, TCSANOW, &g_saved);
  return n == 1 ? byte : kEndOfInput;
}

}  // namespace wellen

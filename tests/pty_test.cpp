// The program under a real pseudo-terminal, as a user at a terminal sees it:
// keys act without Enter and are not echoed, values are echoed and editable,
// typed-ahead values stay values, and every way out leaves the terminal's
// mode as it was.
//
// The harness plays a tiny shell: a session leader owns the terminal and runs
// the program as its foreground job, so that Ctrl-C, Ctrl-Z and hang-up reach
// it as they would from an interactive shell.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "expected_pages.h"

namespace wellen {
namespace {

using Clock = std::chrono::steady_clock;
using testing_pages::kMenu;

bool SameMode(const termios& a, const termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
         a.c_lflag == b.c_lflag && std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

class PtySession {
 public:
  PtySession() = default;
  PtySession(const PtySession&) = delete;
  PtySession& operator=(const PtySession&) = delete;
  ~PtySession() {
    if (program_ > 0) kill(program_, SIGKILL);
    if (leader_ > 0) {
      kill(leader_, SIGKILL);
      waitpid(leader_, nullptr, 0);
    }
    if (program_ > 0) waitpid(program_, nullptr, WNOHANG);
    if (master_ >= 0) close(master_);
    if (slave_ >= 0) close(slave_);
  }

  // Signals that the program is to find ignored when it starts, as under nohup.
  void IgnoreAtStart(std::vector<int> signals) { ignored_ = std::move(signals); }

  // Opens the terminal and starts the program as its foreground job.
  bool Start() {
    // Reap the program ourselves if its session leader goes first.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    if (openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0) return false;
    tcgetattr(slave_, &before_);
    int report[2];
    if (pipe(report) != 0) return false;
    leader_ = fork();
    if (leader_ == 0) RunLeader(report[1]);
    close(report[1]);
    const bool ok = read(report[0], &program_, sizeof program_) == sizeof program_;
    close(report[0]);
    return ok;
  }

  // Reads output until `text` has appeared since the last call; false after
  // `seconds` without it.
  bool WaitFor(const std::string& text, double seconds = 5) {
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
      const std::string output = Output(false);
      const std::size_t at = output.find(text, seen_);
      if (at != std::string::npos) {
        seen_ = at + text.size();
        return true;
      }
      if (Clock::now() >= deadline) return false;
      ReadSome(50);
    }
  }

  void Send(const std::string& bytes) {
    ASSERT_EQ(write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  // Waits for the program to end; its status as the leader reports it:
  // the exit code, or 128 + the signal that ended it. -1 after `seconds`.
  int WaitExit(double seconds = 2) {
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    while (Clock::now() < deadline) {
      int status = 0;
      if (waitpid(leader_, &status, WNOHANG) == leader_) {
        leader_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 256;
      }
      ReadSome(20);
    }
    return -1;
  }

  // The program's state letter from /proc (S sleeping, T stopped, ...).
  char State() const {
    std::ifstream stat("/proc/" + std::to_string(program_) + "/stat");
    std::string line;
    std::getline(stat, line);
    const std::size_t paren = line.rfind(')');
    return paren == std::string::npos || paren + 2 >= line.size() ? '?' : line[paren + 2];
  }

  // Waits until the program is blocked in the system call `number` with no
  // signal pending, so that a signal sent before has been dealt with; false
  // after `seconds` without it.
  bool WaitBlockedIn(long number, double seconds = 2) const {
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    const std::string proc = "/proc/" + std::to_string(program_);
    for (;;) {
      bool pending = false;
      std::ifstream status(proc + "/status");
      for (std::string line; std::getline(status, line);) {
        if (line.rfind("SigPnd:", 0) == 0 || line.rfind("ShdPnd:", 0) == 0) {
          pending = pending || line.find_first_not_of("0", 8) != std::string::npos;
        }
      }
      std::ifstream syscall(proc + "/syscall");  // "running" unless blocked
      std::string call;
      syscall >> call;
      if (!pending && call == std::to_string(number)) return true;
      if (Clock::now() >= deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

  // True while keys are read raw: no canonical input, no echo.
  bool KeyMode() const {
    termios now{};
    return tcgetattr(slave_, &now) == 0 && (now.c_lflag & (ICANON | ECHO)) == 0;
  }

  // True if Ctrl-S stops output and only Ctrl-Q starts it again.
  bool FlowControl() const {
    return (before_.c_iflag & IXON) != 0 && (before_.c_iflag & IXANY) == 0 &&
           before_.c_cc[VSTOP] == '\x13' && before_.c_cc[VSTART] == '\x11';
  }

  bool ModeAsBefore() const {
    termios now{};
    return tcgetattr(slave_, &now) == 0 && SameMode(now, before_);
  }

  void CloseTerminal() {
    close(master_);
    master_ = -1;
  }

  pid_t program() const { return program_; }
  // Everything printed since the start, with the terminal's CR LF as LF.
  std::string Output(bool read_more = true) {
    if (read_more) ReadSome(50);
    std::string text;
    for (std::size_t i = 0; i < output_.size(); ++i) {
      if (!(output_[i] == '\r' && i + 1 < output_.size() && output_[i + 1] == '\n')) {
        text += output_[i];
      }
    }
    return text;
  }

 private:
  [[noreturn]] void RunLeader(int report) {
    close(master_);  // else closing it in the test would not hang up the terminal
    setsid();
    ioctl(slave_, TIOCSCTTY, 0);
    // Outlive a hang-up to report how the job ended. The job itself then
    // meets the hang-up as the end of input (its reads fail).
    signal(SIGHUP, SIG_IGN);
    const pid_t child = fork();
    if (child == 0) {
      setpgid(0, 0);
      signal(SIGTTOU, SIG_IGN);
      tcsetpgrp(slave_, getpid());
      signal(SIGTTOU, SIG_DFL);
      signal(SIGHUP, SIG_DFL);
      for (const int sig : ignored_) signal(sig, SIG_IGN);
      const rlimit no_core = {0, 0};
      setrlimit(RLIMIT_CORE, &no_core);
      dup2(slave_, STDIN_FILENO);
      dup2(slave_, STDOUT_FILENO);
      dup2(slave_, STDERR_FILENO);
      close(slave_);
      close(report);
      execl(WELLEN743_BINARY, WELLEN743_BINARY, static_cast<char*>(nullptr));
      _exit(127);
    }
    setpgid(child, child);
    (void)!write(report, &child, sizeof child);
    int status = 0;
    for (;;) {
      const pid_t done = waitpid(child, &status, WUNTRACED);
      if (done == child && !WIFSTOPPED(status)) break;
      if (done < 0 && errno != EINTR) break;
    }
    _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
  }

  void ReadSome(int milliseconds) {
    if (master_ < 0) return;
    pollfd fd = {master_, POLLIN, 0};
    if (poll(&fd, 1, milliseconds) <= 0) return;
    char buffer[4096];
    const ssize_t n = read(master_, buffer, sizeof buffer);
    if (n > 0) output_.append(buffer, static_cast<std::size_t>(n));
  }

  int master_ = -1;
  int slave_ = -1;
  pid_t leader_ = -1;
  pid_t program_ = -1;
  termios before_{};
  std::vector<int> ignored_;
  std::string output_;
  std::size_t seen_ = 0;
};

#define START_OR_SKIP(session) \
  if (!(session).Start()) GTEST_SKIP() << "no pseudo-terminal available"

const std::string kInfo =
    "Festigkeitsnachweis fuer Wellen und Achsen nach DIN 743 (Rundnut, Absatz)\n"
    "weiter mit bel.Taste..";

TEST(Terminal, KeysActWithoutEnterAndAreNotEchoed) {
  PtySession s;
  START_OR_SKIP(s);
  ASSERT_TRUE(s.WaitFor("F8 q Exit\n"));
  if (s.FlowControl()) {
    // Key mode must be on before a prompt shows, or a key pressed at once is
    // echoed. With output stopped by Ctrl-S, the program blocks in writing
    // the pause's prompt, which holds it at that moment: the mode must be set.
    s.Send("\x13i");
    ASSERT_TRUE(s.WaitBlockedIn(SYS_write));
    EXPECT_TRUE(s.KeyMode()) << "key mode only after the prompt";
    s.Send("\x11");
  } else {
    s.Send("i");  // without Ctrl-S the order of mode and prompt goes unchecked
  }
  ASSERT_TRUE(s.WaitFor("weiter mit bel.Taste.."));
  s.Send("x");
  ASSERT_TRUE(s.WaitFor("F8 q Exit\n"));
  s.Send("q");
  EXPECT_EQ(s.WaitExit(), 0);
  EXPECT_EQ(s.Output(), kMenu + kInfo + kMenu);
  EXPECT_TRUE(s.ModeAsBefore());
}

TEST(Terminal, ValuesAreEchoedAndBackspaceEditsThem) {
  PtySession s;
  START_OR_SKIP(s);
  ASSERT_TRUE(s.WaitFor("F8 q Exit\n"));
  s.Send("d");
  ASSERT_TRUE(s.WaitFor("SigB  [N/mm2]="));
  s.Send(
      "12\x7f"
      "50\n");  // DEL is the terminal's erase character
  ASSERT_TRUE(s.WaitFor("\nSigS  [N/mm2]="));
  s.Send("800 400 500 300\n");
  ASSERT_TRUE(s.WaitFor("F8 q Exit\n"));
  s.Send("w");
  ASSERT_TRUE(s.WaitFor("weiter mit bel.Taste.."));
  s.Send("xq");
  EXPECT_EQ(s.WaitExit(), 0);
  const std::string out = s.Output();
  EXPECT_NE(out.find("SigB  [N/mm2]=12\b \b50\n"), std::string::npos) << out;
  EXPECT_NE(out.find("\nSigB  = 150[N/mm2]"), std::string::npos) << out;
  EXPECT_NE(out.find("\nSigS  = 800[N/mm2]"), std::string::npos) << out;
  EXPECT_TRUE(s.ModeAsBefore());
}

TEST(Terminal, TypedAheadValuesStayValuesAndFeedTheNextDialog) {
  PtySession s;
  START_OR_SKIP(s);
  ASSERT_TRUE(s.WaitFor("F8 q Exit\n"));
  s.Send("a");
  ASSERT_TRUE(s.WaitFor("Sigzdm[N/mm2]= "));
  s.Send("1 2 3 4 5 6 7\n");
  ASSERT_TRUE(s.WaitFor("Tauta [N/mm2]= "));
  ASSERT_TRUE(s.WaitFor("F8 q Exit\n"));
  s.Send("g");  // the pending 7 is not a key: g starts the run
  ASSERT_TRUE(s.WaitFor("Ergebnisse 1 v.6:\n"));
  s.Send("x");
  ASSERT_TRUE(s.WaitFor("F8 q Exit\n"));
  s.Send("b");  // the pending 7 answers the first prompt at once
  ASSERT_TRUE(s.WaitFor("Durchm. D[mm]= \nDurchm. d[mm]= "));
  s.Send("40 50 3 5 5\n");
  ASSERT_TRUE(s.WaitFor("F8 q Exit\n"));
  s.Send("w ");
  ASSERT_TRUE(s.WaitFor("Durchm. D = 7[mm]"));
  ASSERT_TRUE(s.WaitFor("weiter mit bel.Taste.."));
  s.Send("xq");
  EXPECT_EQ(s.WaitExit(), 0);
  EXPECT_TRUE(s.ModeAsBefore());
}

TEST(Terminal, FunctionKeyReprintsTheMenuOncePerCode) {
  PtySession s;
  START_OR_SKIP(s);
  ASSERT_TRUE(s.WaitFor("F8 q Exit\n"));
  s.Send("\x1bOP");
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(s.WaitFor("F8 q Exit\n")) << i;
  s.Send("q");
  EXPECT_EQ(s.WaitExit(), 0);
  EXPECT_EQ(s.Output(), kMenu + kMenu + kMenu + kMenu);
}

TEST(Terminal, EveryWayOutRestoresTheMode) {
  struct Case {
    const char* name;
    const char* keys_before;  // to reach the place where the way out is taken
    const char* wait_for;
    std::function<void(PtySession&)> leave;
    int status;  // as the harness reports it
    bool mode_checkable;
    std::vector<int> ignored = {};  // signals ignored when the program starts
  };
  const Case cases[] = {
      {"q", "", "F8 q Exit\n", [](PtySession& s) { s.Send("q"); }, 0, true},
      {"end of input at a value prompt", "a",
       "Sigzdm[N/mm2]= ", [](PtySession& s) { s.Send("\x04"); }, 0, true},
      {"end of input in a selection loop", "c",
       "Fall [1~2]:", [](PtySession& s) { s.Send("5\n\x04"); }, 0, true},
      {"Ctrl-C at the menu", "", "F8 q Exit\n", [](PtySession& s) { s.Send("\x03"); }, 128 + SIGINT,
       true},
      {"Ctrl-C at a pause", "g", "weiter mit bel.Taste..", [](PtySession& s) { s.Send("\x03"); },
       128 + SIGINT, true},
      {"Ctrl-C at a value prompt", "b", "Durchm. D[mm]= ", [](PtySession& s) { s.Send("\x03"); },
       128 + SIGINT, true},
      {"Ctrl-\\ at the menu", "", "F8 q Exit\n", [](PtySession& s) { s.Send("\x1c"); },
       128 + SIGQUIT, true},
      {"SIGTERM at the menu", "", "F8 q Exit\n", [](PtySession& s) { kill(s.program(), SIGTERM); },
       128 + SIGTERM, true},
      {"SIGHUP at the menu", "", "F8 q Exit\n", [](PtySession& s) { kill(s.program(), SIGHUP); },
       128 + SIGHUP, true},
      {"SIGHUP ignored from the start stays ignored, then q",
       "",
       "F8 q Exit\n",
       [](PtySession& s) {
         kill(s.program(), SIGHUP);
         // Had the program a handler for it, that has run by now; then q,
         // with no Enter, would wait in a terminal no longer in key mode.
         ASSERT_TRUE(s.WaitBlockedIn(SYS_read));
         s.Send("q");
       },
       0,
       true,
       {SIGHUP}},
      {"SIGTSTP ignored from the start stays ignored: Ctrl-Z does nothing, then q",
       "",
       "F8 q Exit\n",
       [](PtySession& s) {
         s.Send("\x1a");
         // Had the program a handler for it, the program would be stopped
         // now and never read the q.
         ASSERT_TRUE(s.WaitBlockedIn(SYS_read));
         s.Send("q");
       },
       0,
       true,
       {SIGTSTP}},
      {"terminal closed at the menu", "", "F8 q Exit\n", [](PtySession& s) { s.CloseTerminal(); },
       0, false},
      {"terminal closed at a value prompt", "e",
       "K1-Fall [1~4]:", [](PtySession& s) { s.CloseTerminal(); }, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PtySession s;
    s.IgnoreAtStart(c.ignored);
    START_OR_SKIP(s);
    ASSERT_TRUE(s.WaitFor("F8 q Exit\n"));
    if (*c.keys_before != '\0') {
      s.Send(c.keys_before);
      ASSERT_TRUE(s.WaitFor(c.wait_for));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // let it block in its read
    c.leave(s);
    const int status = s.WaitExit();
    EXPECT_EQ(status, c.status);
    if (c.mode_checkable) {
      EXPECT_TRUE(s.ModeAsBefore());
    }
  }
}

TEST(Terminal, CtrlZRestoresTheModeAndContinuingResumesRawKeys) {
  PtySession s;
  START_OR_SKIP(s);
  ASSERT_TRUE(s.WaitFor("F8 q Exit\n"));
  s.Send("\x1a");
  const auto deadline = Clock::now() + std::chrono::seconds(2);
  while (s.State() != 'T' && Clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_EQ(s.State(), 'T') << "not stopped";
  EXPECT_TRUE(s.ModeAsBefore());
  kill(s.program(), SIGCONT);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  s.Send("i");  // acts without Enter again
  ASSERT_TRUE(s.WaitFor("weiter mit bel.Taste.."));
  s.Send("xq");
  EXPECT_EQ(s.WaitExit(), 0);
  EXPECT_TRUE(s.ModeAsBefore());
}

}  // namespace
}  // namespace wellen

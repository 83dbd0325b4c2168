// wellen743-batch and the files and processes around it: an output file that
// standard input reads, the mode of a replaced file, a write that fails part
// way, a FIFO, a reader that goes away, and progress only on a terminal.
// Each test works in a folder of its own and checks what is left in it.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "command.h"
#include "texte.h"

namespace wellen {
namespace {

const std::string kBatch = WELLEN743_BATCH_BINARY;

// The demo case with every field of the input given, so that the program
// takes no default and warns of none.
const std::string kHeader =
    "Sigzdm,Sigbm,Tautm,Sigzda,Sigba,Tauta,D,d,deff,r,t,Rz,Kerbfall,SigB,SigS,SigzdW,SigbW,"
    "TautW,K1Fall,harteRandschicht,Hohlwelle,KV";
const std::string kRow = "200,300,100,50,60,40,50,40,50,3,5,5,2,1100,900,440,550,330,3,0,0,1";

// A header and `rows` cases: each output line is about a kilobyte.
std::string Cases(int rows) {
  std::string text = kHeader + "\n";
  for (int i = 0; i < rows; ++i) text += kRow + "\n";
  return text;
}

class BatchFiles : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = testing::TempDir() + "batch_files_XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { RunCommand({"/bin/rm", "-rf", dir_}, ""); }

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(Path(name), std::ios::binary) << text;
  }

  // The names in the folder, sorted; temporary files included.
  std::vector<std::string> Listing() const {
    std::vector<std::string> names;
    if (DIR* d = opendir(dir_.c_str())) {
      while (const dirent* entry = readdir(d)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
      }
      closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // Runs `script` with `shell` in the folder; "$0" is the batch program.
  CommandResult Shell(const std::string& script, const std::string& shell = "/bin/sh") const {
    return RunCommand({shell, "-c", script, kBatch}, "", dir_);
  }

  std::string dir_;
};

TEST_F(BatchFiles, AnOutputThatStandardInputReadsIsRefusedAndLeftAlone) {
  const struct {
    const char* script;
    const char* message;
  } cases[] = {
      {"exec \"$0\" -o in.csv < in.csv", "Ausgabedatei in.csv ist zugleich Eingabedatei"},
      {"exec \"$0\" -o in.csv - < in.csv", "Ausgabedatei in.csv ist zugleich Eingabedatei"},
      {"exec \"$0\" --report in.csv < in.csv", "Bericht in.csv ist zugleich Eingabedatei"},
  };
  for (const auto& c : cases) {
    Write("in.csv", "d\n40\n");
    const CommandResult r = Shell(c.script);
    EXPECT_EQ(r.status, 2) << c.script;
    EXPECT_EQ(r.err, std::string("wellen743-batch: ") + c.message +
                         "; sie wird nicht \u00fcberschrieben\n")
        << c.script;
    EXPECT_EQ(ReadFile(Path("in.csv")), "d\n40\n") << c.script;
    EXPECT_EQ(Listing(), std::vector<std::string>{"in.csv"}) << c.script;
  }
}

// The report and the results in one file not there yet: the one renamed
// into place last would replace the other, so the run is refused.
TEST_F(BatchFiles, TheReportAndTheResultsAreNeverOneFile) {
  Write("in.csv", "d\n40\n");
  for (const char* script : {"exec \"$0\" in.csv -o neu.html --report neu.html",
                             "exec \"$0\" in.csv -o neu.html --report ./neu.html"}) {
    const CommandResult r = Shell(script);
    EXPECT_EQ(r.status, 2) << script;
    EXPECT_NE(r.err.find("ist zugleich die Ausgabedatei\n"), std::string::npos) << r.err;
    EXPECT_EQ(Listing(), std::vector<std::string>{"in.csv"}) << script;
  }
  EXPECT_EQ(Shell("exec \"$0\" -q in.csv -o /dev/null --report /dev/null").status, 0);
}

TEST_F(BatchFiles, AReplacedFileKeepsItsModeAndANewOneFollowsTheUmask) {
  Write("in.csv", "d\n40\n");
  const struct {
    bool exists;
    mode_t mode;  // of the old file
    const char* umask;
    mode_t expected;
  } cases[] = {
      {true, 0600, "022", 0600},
      {true, 0664, "077", 0664},
      {false, 0, "027", 0640},
  };
  for (const auto& c : cases) {
    (void)std::remove(Path("out.csv").c_str());
    if (c.exists) {
      Write("out.csv", "old\n");
      ASSERT_EQ(chmod(Path("out.csv").c_str(), c.mode), 0);
    }
    const CommandResult r =
        Shell(std::string("umask ") + c.umask + "; exec \"$0\" -o out.csv in.csv");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(Path("out.csv")).substr(0, 11), "Datei,Zeile");
    struct stat st {};
    ASSERT_EQ(stat(Path("out.csv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, c.expected) << "umask " << c.umask;
  }
}

// A write that fails (here: the file size limit, with SIGXFSZ ignored so that
// write() returns EFBIG) ends the run with status 2 and a message naming the
// file, and leaves the old file as it was and no temporary file beside it.
TEST_F(BatchFiles, AWriteThatFailsLeavesTheOldFileAndNoTemporary) {
  const struct {
    const char* name;
    int rows;
    std::string options;
    std::vector<std::string> targets;  // each holds "old" before and after
    std::string message;               // the whole message, or its start up to the reason
  } cases[] = {
      // A few kilobytes: the write fails when the buffer is flushed at the end.
      {"at the end", 3, "-o out.csv", {"out.csv"}, "Ausgabedatei out.csv: Datei zu gro\u00df"},
      // Past the buffer: the write fails in the middle of the run.
      {"part way", 300, "-o out.csv", {"out.csv"}, "Ausgabedatei out.csv: Datei zu gro\u00df"},
      {"the report", 3, "--report r.html", {"r.html"}, "Bericht r.html: "},
      // The table fits the limit, the report does not: the results stay as
      // they were too, since the run ends with status 2.
      {"the report beside -o",
       3,
       "--format table -o out.txt --report r.html",
       {"out.txt", "r.html"},
       "Bericht r.html: "},
  };
  for (const auto& c : cases) {
    Write("in.csv", Cases(c.rows));
    for (const std::string& target : c.targets) Write(target, "old\n");
    const CommandResult r =
        Shell("trap '' XFSZ; ulimit -f 1; exec \"$0\" " + c.options + " in.csv");
    EXPECT_EQ(r.status, 2) << c.name;
    EXPECT_EQ(r.err.rfind("wellen743-batch: " + c.message, 0), 0u) << c.name << ": " << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << c.name << ": " << r.err;
    if (c.message.back() != ' ') {
      EXPECT_EQ(r.err, "wellen743-batch: " + c.message + "\n") << c.name;
    }
    std::vector<std::string> expected = {"in.csv"};
    for (const std::string& target : c.targets) {
      EXPECT_EQ(ReadFile(Path(target)), "old\n") << c.name << ": " << target;
      expected.push_back(target);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Listing(), expected) << c.name;
    for (const std::string& target : c.targets) (void)std::remove(Path(target).c_str());
  }
}

TEST_F(BatchFiles, AFifoIsWrittenIntoAndStaysAFifo) {
  Write("in.csv", Cases(2));
  ASSERT_EQ(mkfifo(Path("fifo").c_str(), 0600), 0);
  // Open for reading first, so that the program's open for writing does not
  // wait; two cases fit in the pipe's buffer, so the program need not wait
  // for a reader either.
  const int reader = open(Path("fifo").c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  const CommandResult r = Shell("exec \"$0\" -o fifo in.csv");
  EXPECT_EQ(r.status, 0) << r.err;
  std::string through_fifo;
  char buffer[65536];
  for (ssize_t n; (n = read(reader, buffer, sizeof buffer)) > 0;) through_fifo.append(buffer, n);
  close(reader);
  EXPECT_EQ(through_fifo, Shell("exec \"$0\" in.csv").out);
  struct stat st {};
  ASSERT_EQ(lstat(Path("fifo").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(Listing(), (std::vector<std::string>{"fifo", "in.csv"}));
}

// A reader that stops after the first line: the program's own status is 0,
// there is no message, and no report of part of the cases, nor its temporary.
TEST_F(BatchFiles, AReaderThatGoesAwayEndsTheRunQuietlyWithoutAReport) {
  Write("big.csv", Cases(200000));
  const CommandResult r =
      Shell("set -o pipefail; \"$0\" big.csv --report r.html | head -n 1", "/bin/bash");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out.substr(0, 11), "Datei,Zeile");
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1);
  EXPECT_EQ(Listing(), std::vector<std::string>{"big.csv"});
}

// Progress shows only when standard error is a terminal, even with standard
// input and output on one. The input comes through a FIFO with a pause in
// the middle, so that the run lasts long enough for progress to show.
TEST_F(BatchFiles, ProgressOnlyWhenStandardErrorIsATerminal) {
  ASSERT_EQ(mkfifo(Path("in.fifo").c_str(), 0600), 0);
  for (const bool err_to_file : {true, false}) {
    SCOPED_TRACE(err_to_file ? "standard error to a file" : "standard error on the terminal");
    const std::string script =
        "{ echo " + kHeader + "; yes " + kRow + " | head -n 300; sleep 0.7; yes " + kRow +
        " | head -n 1000; } > in.fifo &\n"
        "exec \"$0\" in.fifo -o out.csv" +
        std::string(err_to_file ? " 2> err.txt" : "");
    int master = -1;
    const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      if (chdir(dir_.c_str()) != 0) _exit(126);
      (void)signal(SIGPIPE, SIG_DFL);  // RunCommand ignores it in this process
      setenv("TERM", "xterm", 1);
      execl("/bin/sh", "/bin/sh", "-c", script.c_str(), kBatch.c_str(), nullptr);
      _exit(127);
    }
    std::string terminal;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
      pollfd fd = {master, POLLIN, 0};
      if (poll(&fd, 1, 100) <= 0) continue;
      char buffer[4096];
      const ssize_t n = read(master, buffer, sizeof buffer);
      if (n <= 0) break;  // EIO once the program and the writer have ended
      terminal.append(buffer, static_cast<std::size_t>(n));
    }
    close(master);
    int status = 0;
    if (std::chrono::steady_clock::now() >= deadline) kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    if (err_to_file) {
      EXPECT_EQ(ReadFile(Path("err.txt")), "");
      EXPECT_EQ(terminal, "");
    } else {
      // Progress does show in a run this long: the check on the file can fail.
      EXPECT_NE(terminal.find(" Zeilen/s, 0 Fehler"), std::string::npos) << terminal;
    }
  }
}

}  // namespace
}  // namespace wellen

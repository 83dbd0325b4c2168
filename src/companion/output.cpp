#include "companion/output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "companion/progress.h"

namespace wellen {
namespace {

// Temporary files to remove should the program be interrupted. Written
// before the handlers can see them; the handler only calls unlink().
constexpr int kMaxTemporaries = 4;
char g_temporaries[kMaxTemporaries][4096];
volatile std::sig_atomic_t g_used[kMaxTemporaries];

void RemoveTemporariesAndDie(int sig) {
  for (int i = 0; i < kMaxTemporaries; ++i) {
    if (g_used[i] != 0) unlink(g_temporaries[i]);
  }
  (void)std::signal(sig, SIG_DFL);
  (void)std::raise(sig);
}

int Register(const std::string& path) {
  static bool installed = false;
  if (!installed) {
    installed = true;
    for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
      struct sigaction previous {};
      sigaction(sig, nullptr, &previous);
      if (previous.sa_handler == SIG_IGN) continue;  // as under nohup: stays ignored
      struct sigaction action {};
      action.sa_handler = RemoveTemporariesAndDie;
      sigemptyset(&action.sa_mask);
      sigaction(sig, &action, nullptr);
    }
  }
  if (path.size() >= sizeof g_temporaries[0]) return -1;
  for (int i = 0; i < kMaxTemporaries; ++i) {
    if (g_used[i] == 0) {
      std::memcpy(g_temporaries[i], path.c_str(), path.size() + 1);
      g_used[i] = 1;
      return i;
    }
  }
  return -1;
}

void Unregister(const std::string& path) {
  for (int i = 0; i < kMaxTemporaries; ++i) {
    if (g_used[i] != 0 && path == g_temporaries[i]) g_used[i] = 0;
  }
}

std::string Errno(const std::string& what) { return what + ": " + Systemfehler(errno); }

}  // namespace

Ausgabe::Ausgabe() = default;

Ausgabe::Ausgabe(int fd, std::string name, std::string target, std::string temporary)
    : fd_(fd),
      name_(std::move(name)),
      target_(std::move(target)),
      temporary_(std::move(temporary)) {}

Ausgabe::~Ausgabe() {
  if (!temporary_.empty() || fd_ != 1) Abandon();
}

std::unique_ptr<Ausgabe> Ausgabe::Open(const std::string& path, std::string_view role,
                                       std::string& error) {
  const std::string name = std::string(role) + " " + path;
  // Write beside the file a symbolic link names, so that the rename replaces
  // that file and not the link.
  std::string target = path;
  if (char* real = realpath(path.c_str(), nullptr)) {
    target = real;
    std::free(real);  // NOLINT(cppcoreguidelines-no-malloc): realpath allocates with malloc
  }
  struct stat st {};
  const bool exists = stat(target.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) {
    error = name + ": ist ein Verzeichnis";
    return nullptr;
  }
  if (exists && !S_ISREG(st.st_mode)) {
    // A device, a pipe or a terminal: written directly, never replaced.
    const int fd = open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
      error = Errno(name);
      return nullptr;
    }
    return std::unique_ptr<Ausgabe>(new Ausgabe(fd, name, "", ""));
  }

  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temporary = folder + "." + base + ".tmpXXXXXX";
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    error = Errno(name);
    return nullptr;
  }
  // The mode a new file would get, or the one the replaced file had.
  mode_t mode = 0;
  if (exists) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  if (fchmod(fd, mode) != 0) {
    error = Errno(name);
    close(fd);
    unlink(temporary.c_str());
    return nullptr;
  }
  Register(temporary);
  return std::unique_ptr<Ausgabe>(new Ausgabe(fd, name, target, temporary));
}

bool Ausgabe::Terminal() const { return isatty(fd_) != 0; }

void Ausgabe::Write(std::string_view text) {
  if (text.size() > buffer_.size() - used_) {
    Flush();
    if (text.size() > buffer_.size()) {
      WriteAll(text.data(), text.size());
      return;
    }
  }
  std::memcpy(buffer_.data() + used_, text.data(), text.size());
  used_ += text.size();
}

void Ausgabe::Flush() {
  WriteAll(buffer_.data(), used_);
  used_ = 0;
}

void Ausgabe::WriteAll(const char* data, std::size_t size) {
  if (closed_ || Failed()) return;
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd_, data + done, size - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && errno == EPIPE) {
      closed_ = true;
      return;
    } else {
      error_ = Errno(name_);
      return;
    }
  }
}

bool Ausgabe::Commit() {
  Flush();
  if (fd_ == 1) return !Failed();
  if (!Failed() && !temporary_.empty() && fsync(fd_) != 0) error_ = Errno(name_);
  if (close(fd_) != 0 && !Failed()) error_ = Errno(name_);
  fd_ = 1;
  if (temporary_.empty()) return !Failed();
  if (!Failed() && std::rename(temporary_.c_str(), target_.c_str()) != 0) error_ = Errno(name_);
  if (Failed()) unlink(temporary_.c_str());
  Unregister(temporary_);
  temporary_.clear();
  return !Failed();
}

void Ausgabe::Abandon() {
  if (fd_ != 1) close(fd_);
  fd_ = 1;
  if (!temporary_.empty()) {
    unlink(temporary_.c_str());
    Unregister(temporary_);
    temporary_.clear();
  }
}

std::optional<FileId> IdOfPath(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileId{st.st_dev, st.st_ino};
}

std::optional<FileId> IdOfFd(int fd) {
  struct stat st {};
  if (fstat(fd, &st) != 0) return std::nullopt;
  return FileId{st.st_dev, st.st_ino};
}

bool SameOutputFile(const std::string& a, const std::string& b) {
  struct stat st {};
  const bool a_there = stat(a.c_str(), &st) == 0;
  if (a_there && !S_ISREG(st.st_mode)) return false;
  const bool b_there = stat(b.c_str(), &st) == 0;
  if (b_there && !S_ISREG(st.st_mode)) return false;
  if (a_there && b_there) return IdOfPath(a) == IdOfPath(b);
  // Absolute first: a relative path whose first part is not there would
  // otherwise stay relative, "neu.csv" beside "/home/.../neu.csv".
  std::error_code error;
  const auto resolved = [&](const std::string& path) {
    std::filesystem::path p = std::filesystem::absolute(path, error);
    if (!error) p = std::filesystem::weakly_canonical(p, error);
    return p;
  };
  const std::filesystem::path pa = resolved(a);
  if (error) return false;
  const std::filesystem::path pb = resolved(b);
  return !error && pa == pb;
}

}  // namespace wellen

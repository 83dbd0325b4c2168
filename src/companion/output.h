// Where the batch program writes: standard output, a device or pipe opened
// directly, or a regular file written through a temporary file beside it and
// renamed into place at the end, so that a failed run never leaves half a
// file behind.
#pragma once

#include <sys/stat.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace wellen {

class Ausgabe {
 public:
  // Standard output.
  Ausgabe();
  // Opens `path` for writing. A regular file, or a name that does not exist
  // yet, is written through a temporary file in the same folder (a symbolic
  // link is followed to the file it names); anything else (/dev/null, a
  // pipe, a terminal) is opened and written directly. `role` names the file
  // in messages ("Ausgabedatei", "Bericht"). On failure returns nothing and
  // sets `error`.
  static std::unique_ptr<Ausgabe> Open(const std::string& path, std::string_view role,
                                       std::string& error);

  ~Ausgabe();
  Ausgabe(const Ausgabe&) = delete;
  Ausgabe& operator=(const Ausgabe&) = delete;

  // Buffers `text`; writes when the buffer is full.
  void Write(std::string_view text);
  // Writes what is buffered.
  void Flush();
  // The reader has gone away (a closed pipe): the run may end quietly.
  bool Closed() const { return closed_; }
  // A write failed otherwise; error() says why.
  bool Failed() const { return !error_.empty(); }
  const std::string& error() const { return error_; }
  // True if the output is a terminal.
  bool Terminal() const;

  // Ends a successful run: flushes, closes, and renames a temporary file
  // into place. False with error() set if any of it failed; the temporary
  // file is then removed and the target left as it was.
  bool Commit();
  // Ends a failed run: removes a temporary file, leaving the target as it was.
  void Abandon();

 private:
  Ausgabe(int fd, std::string name, std::string target, std::string temporary);
  void WriteAll(const char* data, std::size_t size);

  int fd_ = 1;
  std::string name_ = "Standardausgabe";  // for messages: role and path
  std::string target_;                    // the file to rename onto; empty when written directly
  std::string temporary_;                 // the temporary file beside it
  std::array<char, 1 << 16> buffer_{};
  std::size_t used_ = 0;
  bool closed_ = false;
  std::string error_;
};

// The identity of a file as the kernel knows it, to tell whether the output
// would overwrite an input.
struct FileId {
  dev_t dev{};
  ino_t ino{};
  friend bool operator==(const FileId&, const FileId&) = default;
};
std::optional<FileId> IdOfPath(const std::string& path);
std::optional<FileId> IdOfFd(int fd);

// True if writing outputs to `a` and to `b` would end in one regular file,
// so that the one renamed into place last would replace the other: the same
// file (also through another name), or, for a file not there yet, the same
// path once the folders on the way are resolved ("neu.csv", "./neu.csv").
// A device or pipe is written directly and never counts.
bool SameOutputFile(const std::string& a, const std::string& b);

}  // namespace wellen

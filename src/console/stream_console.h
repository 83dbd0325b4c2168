// The Console over a byte stream, used by the program and by the tests alike.
//
// Values are read from an InputBuffer. Keys come either from a KeyReader (the
// raw terminal) or, when there is none, from the same buffer as the values:
// one byte per key, passing over line ends, so that a script can put keys and
// lines of values on lines of their own.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "console/console.h"
#include "console/input_buffer.h"

namespace wellen {

// Where output goes.
class Sink {
 public:
  virtual ~Sink() = default;
  virtual void Write(std::string_view text) = 0;
  virtual void Flush() {}
};

// Collects output in a string (tests, fuzzing, benchmarks).
class StringSink final : public Sink {
 public:
  void Write(std::string_view text) override { text_.append(text); }
  const std::string& text() const { return text_; }
  void Clear() { text_.clear(); }

 private:
  std::string text_;
};

// Buffers output and writes it to a file descriptor on Flush (and whenever
// the buffer is full).
class FdSink final : public Sink {
 public:
  explicit FdSink(int fd) : fd_(fd) {}
  ~FdSink() override { Flush(); }
  FdSink(const FdSink&) = delete;
  FdSink& operator=(const FdSink&) = delete;
  void Write(std::string_view text) override;
  void Flush() override;

 private:
  void WriteAll(const char* data, std::size_t size);

  int fd_;
  std::array<char, 8192> pending_{};
  std::size_t used_ = 0;
};

// Source of single keys, apart from the value stream.
class KeyReader {
 public:
  virtual ~KeyReader() = default;
  // Called before the output that asks for the key is flushed: a terminal
  // enters raw mode here, so that a key pressed as soon as the prompt shows
  // is neither echoed nor held for Enter.
  virtual void Prepare() {}
  // One key code (0 to 255), or kEndOfInput.
  virtual int ReadKey() = 0;
};

class StreamConsole final : public Console {
 public:
  // `keys` may be null: keys then come from `values`.
  StreamConsole(InputBuffer& values, KeyReader* keys, Sink& out)
      : values_(values), keys_(keys), out_(out) {}

  void Write(std::string_view text) override { out_.Write(text); }
  int ReadKey() override;
  ReadStatus ReadReal(double& value) override;
  ReadStatus ReadInt(int& value) override;
  bool Ended() const override { return ended_; }

 private:
  ReadStatus Track(ReadStatus status);

  InputBuffer& values_;
  KeyReader* keys_;
  Sink& out_;
  bool ended_ = false;
};

// Keys from a fixed text, one byte per key, as a terminal would deliver them.
class ScriptKeyReader final : public KeyReader {
 public:
  explicit ScriptKeyReader(std::string keys) : keys_(std::move(keys)) {}
  int ReadKey() override {
    if (next_ == keys_.size()) return kEndOfInput;
    return static_cast<unsigned char>(keys_[next_++]);
  }

 private:
  std::string keys_;
  std::size_t next_ = 0;
};

// A complete scripted console with captured output. With one script, keys and
// values share it, as when standard input is a pipe. With a separate key
// script, keys come from there and the values from the first script, as at a
// terminal. `chunk` sets how many bytes each underlying read hands out.
class ScriptedConsole {
 public:
  explicit ScriptedConsole(std::string script, std::size_t chunk = 4096)
      : reader_(std::move(script), chunk), buffer_(reader_), console_(buffer_, nullptr, sink_) {}
  ScriptedConsole(std::string values, std::string keys, std::size_t chunk = 4096)
      : reader_(std::move(values), chunk),
        buffer_(reader_),
        keys_(std::move(keys)),
        console_(buffer_, &keys_, sink_) {}
  Console& console() { return console_; }
  const std::string& output() const { return sink_.text(); }

 private:
  MemoryReader reader_;
  InputBuffer buffer_;
  ScriptKeyReader keys_{""};
  StringSink sink_;
  StreamConsole console_;
};

}  // namespace wellen

// A buffered byte stream with a few bytes of lookahead.
//
// Values (and, when standard input is no terminal, keys) are read from this
// buffer. It holds at most kCapacity bytes, so a line of any length passes
// through in bounded memory. The first time the underlying reader reports the
// end of input, the stream has ended for good: end of input is never retried.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace wellen {

// Source of raw bytes: a file descriptor, or a string in tests.
class ByteReader {
 public:
  virtual ~ByteReader() = default;
  // Reads up to `capacity` bytes into `buffer`; returns how many, 0 at the end
  // of input (or on an error that ends it).
  virtual std::size_t Read(char* buffer, std::size_t capacity) = 0;
};

// Reads from a file descriptor; retries on EINTR; 0 bytes or EIO end input.
class FdReader final : public ByteReader {
 public:
  explicit FdReader(int fd) : fd_(fd) {}
  std::size_t Read(char* buffer, std::size_t capacity) override;

 private:
  int fd_;
};

// Hands out a fixed text in pieces of at most `chunk` bytes, as a pipe might.
class MemoryReader final : public ByteReader {
 public:
  explicit MemoryReader(std::string text, std::size_t chunk = 4096)
      : text_(std::move(text)), chunk_(chunk == 0 ? 1 : chunk) {}
  std::size_t Read(char* buffer, std::size_t capacity) override;

 private:
  std::string text_;
  std::size_t chunk_;
  std::size_t position_ = 0;
};

class InputBuffer {
 public:
  static constexpr std::size_t kCapacity = 4096;
  // Lookahead that Peek guarantees to honour (beyond it Peek reports -1).
  static constexpr std::size_t kMaxLookahead = 16;

  explicit InputBuffer(ByteReader& reader) : reader_(reader) {}

  // The byte `ahead` positions from the current one (0 to 255), reading more
  // input if needed; -1 if input ends first.
  int Peek(std::size_t ahead = 0);

  // Takes the current byte; -1 at the end of input.
  int Get();

  // Drops `count` bytes that Peek has already shown.
  void Skip(std::size_t count);

  // Drops the rest of the current line, its line end included.
  void DiscardLine();

  // How many bytes of the stream have been taken so far (read and not
  // pending); lets the fuzzer check what each read consumed.
  std::size_t Consumed() const { return delivered_ - (end_ - begin_); }

 private:
  bool Fill(std::size_t needed);

  ByteReader& reader_;
  std::array<char, kCapacity> data_{};
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::size_t delivered_ = 0;  // bytes the reader has handed out in all
  bool ended_ = false;
};

}  // namespace wellen

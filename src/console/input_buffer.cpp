#include "console/input_buffer.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace wellen {

std::size_t FdReader::Read(char* buffer, std::size_t capacity) {
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, capacity);
    if (n > 0) return static_cast<std::size_t>(n);
    if (n < 0 && errno == EINTR) continue;
    return 0;  // end of file, hang-up (EIO) or any other error
  }
}

std::size_t MemoryReader::Read(char* buffer, std::size_t capacity) {
  std::size_t n = text_.size() - position_;
  if (n > capacity) n = capacity;
  if (n > chunk_) n = chunk_;
  std::memcpy(buffer, text_.data() + position_, n);
  position_ += n;
  return n;
}

bool InputBuffer::Fill(std::size_t needed) {
  while (end_ - begin_ < needed && !ended_) {
    if (begin_ == end_) begin_ = end_ = 0;
    if (end_ == data_.size()) {
      std::memmove(data_.data(), data_.data() + begin_, end_ - begin_);
      end_ -= begin_;
      begin_ = 0;
    }
    const std::size_t n = reader_.Read(data_.data() + end_, data_.size() - end_);
    if (n == 0) {
      ended_ = true;
    } else {
      end_ += n;
      delivered_ += n;
    }
  }
  return end_ - begin_ >= needed;
}

int InputBuffer::Peek(std::size_t ahead) {
  if (ahead >= kMaxLookahead || !Fill(ahead + 1)) return -1;
  return static_cast<unsigned char>(data_[begin_ + ahead]);
}

int InputBuffer::Get() {
  const int c = Peek(0);
  if (c >= 0) ++begin_;
  return c;
}

void InputBuffer::Skip(std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) Get();
}

void InputBuffer::DiscardLine() {
  for (;;) {
    if (begin_ == end_ && !Fill(1)) return;
    const void* newline = std::memchr(data_.data() + begin_, '\n', end_ - begin_);
    if (newline != nullptr) {
      begin_ = static_cast<std::size_t>(static_cast<const char*>(newline) - data_.data()) + 1;
      return;
    }
    begin_ = end_;
  }
}

}  // namespace wellen

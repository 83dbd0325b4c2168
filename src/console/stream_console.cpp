#include "console/stream_console.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "console/value_reader.h"

namespace wellen {

void FdSink::Write(std::string_view text) {
  if (text.size() > pending_.size() - used_) {
    Flush();
    if (text.size() > pending_.size()) {
      WriteAll(text.data(), text.size());
      return;
    }
  }
  std::memcpy(pending_.data() + used_, text.data(), text.size());
  used_ += text.size();
}

void FdSink::Flush() {
  WriteAll(pending_.data(), used_);
  used_ = 0;
}

void FdSink::WriteAll(const char* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd_, data + done, size - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      return;  // nowhere to write to: the output is lost, the dialogue goes on
    }
  }
}

int StreamConsole::ReadKey() {
  // A terminal enters raw mode before the prompt shows (see KeyReader).
  if (!ended_ && keys_ != nullptr) keys_->Prepare();
  out_.Flush();
  if (ended_) return kEndOfInput;
  int key;
  if (keys_ != nullptr) {
    key = keys_->ReadKey();
  } else {
    do {
      key = values_.Get();
    } while (key == '\n' || key == '\r');
  }
  if (key < 0) {
    ended_ = true;
    return kEndOfInput;
  }
  return key;
}

ReadStatus StreamConsole::Track(ReadStatus status) {
  if (status == ReadStatus::kEnd) ended_ = true;
  return status;
}

ReadStatus StreamConsole::ReadReal(double& value) {
  out_.Flush();
  if (ended_) return ReadStatus::kEnd;
  return Track(wellen::ReadReal(values_, value));
}

ReadStatus StreamConsole::ReadInt(int& value) {
  out_.Flush();
  if (ended_) return ReadStatus::kEnd;
  return Track(wellen::ReadInt(values_, value));
}

}  // namespace wellen

#include "batch/csv_reader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace wellen::batch {
namespace {

constexpr char kCandidates[] = {';', '\t', ','};
constexpr char kByteOrderMark[] = {'\xEF', '\xBB', '\xBF'};

unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

}  // namespace

long FdSource::Read(char* buffer, std::size_t capacity) {
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, capacity);
    if (n >= 0) return static_cast<long>(n);
    if (errno != EINTR) return -errno;
  }
}

long MemorySource::Read(char* buffer, std::size_t capacity) {
  const std::size_t n = std::min({chunk_, capacity, text_.size() - position_});
  std::memcpy(buffer, text_.data() + position_, n);
  position_ += n;
  return static_cast<long>(n);
}

CsvReader::CsvReader(ByteSource& source, CsvOptions options) : source_(source), options_(options) {
  dialect_.kodierung = options_.kodierung;
  options_.read_size = std::max<std::size_t>(options_.read_size, sizeof kByteOrderMark);
  buffer_ = std::make_unique_for_overwrite<char[]>(options_.read_size);
  stop_[Byte('\n')] = true;
  stop_[Byte('\r')] = true;
  if (options_.separator == Separator::kAuto) {
    for (const char c : kCandidates) stop_[Byte(c)] = true;
  } else {
    SetSeparator(static_cast<char>(options_.separator));
  }
}

void CsvReader::SetSeparator(char separator) {
  for (const char c : kCandidates) stop_[Byte(c)] = false;
  stop_[Byte(separator)] = true;
  dialect_.separator = separator;
  dialect_.decimal_comma = separator != ',';
  separator_known_ = true;
}

long CsvReader::Fill() {
  if (input_ended_) return 0;
  const long n = source_.Read(buffer_.get(), options_.read_size);
  if (n <= 0) {
    input_ended_ = true;
    return n;
  }
  pos_ = buffer_.get();
  end_ = pos_ + n;
  return n;
}

inline void CsvReader::Append(const char* text, std::size_t size) {
  if (too_long_ || size == 0) return;
  if (text_.size() + ends_.size() + size > options_.max_record_bytes) {
    too_long_ = true;
    return;
  }
  text_.append(text, size);
}

void CsvReader::MarkTextAfterQuote() {
  if (text_after_quote_) return;
  text_after_quote_ = true;
  stray_line_ = line_;
}

inline void CsvReader::EndField(bool at_separator) {
  field_quoted_ = false;
  if (too_long_) return;
  if (at_separator && text_.size() + ends_.size() + 1 > options_.max_record_bytes) {
    too_long_ = true;
    return;
  }
  ends_.push_back(text_.size());
}

// Counts the line ends in quoted text from p to q: LF, CRLF and a lone CR
// each once, also where a CRLF is cut between two reads.
void CsvReader::CountLines(const char* p, const char* q) {
  if (p == q) return;
  if (std::memchr(p, '\r', static_cast<std::size_t>(q - p)) == nullptr) {
    line_ += static_cast<std::size_t>(std::count(p, q, '\n'));
    if (quoted_cr_ && *p == '\n') --line_;  // the LF of a CRLF
    quoted_cr_ = false;
    return;
  }
  for (; p != q; ++p) {
    if (*p == '\r' || (*p == '\n' && !quoted_cr_)) ++line_;
    quoted_cr_ = *p == '\r';
  }
}

// While the input streams: the first record with bytes that are not UTF-8
// decides between Windows-1252 and mixed.
void CsvReader::DecideEncoding() {
  if (IsAscii(text_)) return;
  for (const std::string_view cell : cells_) {
    Utf8Scanner scanner;
    scanner.Feed(cell);
    scanner.Finish();
    if (scanner.invalid()) {
      dialect_.kodierung = multibyte_seen_ || scanner.multibyte_before_invalid()
                               ? Kodierung::kGemischt
                               : Kodierung::kWindows1252;
      return;
    }
    multibyte_seen_ = multibyte_seen_ || scanner.multibyte();
  }
}

void CsvReader::ConvertRecord() {
  if (IsAscii(text_)) return;
  converted_.clear();
  AppendWindows1252(converted_, text_, ends_);
  std::size_t begin = 0;
  for (std::size_t i = 0; i < cells_.size(); ++i) {
    cells_[i] = std::string_view(converted_.data() + begin, ends_[i] - begin);
    begin = ends_[i];
  }
}

bool CsvReader::EndRecord(std::string_view line_end) {
  state_ = State::kFieldStart;
  if (ends_.empty() && text_.empty() && !field_quoted_ && !too_long_) {
    return false;  // a blank line
  }
  EndField(false);
  if (!any_record_ && !separator_known_) SetSeparator(',');
  if (!any_record_) first_line_end_ = line_end;
  any_record_ = true;
  reset_pending_ = true;
  if (too_long_ || text_after_quote_) {
    error_ = too_long_ ? CsvError::kRecordTooLong : CsvError::kTextAfterQuote;
    error_line_ = too_long_ ? record_.line : stray_line_;
    record_.cells = {};
    result_ = CsvStatus::kRowError;
    return true;
  }
  cells_.resize(ends_.size());
  std::size_t begin = 0;
  for (std::size_t i = 0; i < ends_.size(); ++i) {
    cells_[i] = std::string_view(text_.data() + begin, ends_[i] - begin);
    begin = ends_[i];
  }
  if (dialect_.kodierung == Kodierung::kOffen) DecideEncoding();
  if (dialect_.kodierung == Kodierung::kWindows1252) ConvertRecord();
  record_.cells = cells_;
  error_ = CsvError::kNone;
  result_ = CsvStatus::kRecord;
  return true;
}

void CsvReader::ResetRecord() {
  text_.clear();
  ends_.clear();
  too_long_ = false;
  text_after_quote_ = false;
  reset_pending_ = false;
}

CsvStatus CsvReader::FileError(CsvError error, std::size_t line, int error_number) {
  done_ = true;
  error_ = error;
  error_line_ = line;
  error_number_ = error_number;
  record_.cells = {};
  return CsvStatus::kFileError;
}

CsvStatus CsvReader::AtEndOfInput() {
  bool has_record = false;
  switch (state_) {
    case State::kQuoted: return FileError(CsvError::kUnterminatedQuote, quote_line_);
    case State::kCr:
      ++line_;
      has_record = EndRecord("\r");
      break;
    case State::kFieldStart:
    case State::kUnquoted:
    case State::kQuotedQuote: has_record = EndRecord(""); break;
  }
  if (has_record) return result_;
  done_ = true;
  if (!any_record_) return FileError(CsvError::kEmptyInput, line_);
  return CsvStatus::kEnd;
}

CsvStatus CsvReader::Next() {
  if (done_) return CsvStatus::kEnd;
  if (reset_pending_) ResetRecord();
  if (!started_) {
    // Enough bytes to recognise a byte order mark, however the input comes.
    started_ = true;
    std::size_t have = 0;
    while (have < sizeof kByteOrderMark && !input_ended_) {
      const long n = source_.Read(buffer_.get() + have, options_.read_size - have);
      if (n < 0) return FileError(CsvError::kReadError, line_, static_cast<int>(-n));
      if (n == 0) input_ended_ = true;
      have += static_cast<std::size_t>(n);
    }
    pos_ = buffer_.get();
    end_ = pos_ + have;
    if (have >= sizeof kByteOrderMark &&
        std::memcmp(pos_, kByteOrderMark, sizeof kByteOrderMark) == 0) {
      pos_ += sizeof kByteOrderMark;
      byte_order_mark_ = true;
      multibyte_seen_ = true;  // the mark is a multi-byte sequence itself
    }
  }
  record_.line = line_;

  for (;;) {
    if (pos_ == end_) {
      const long n = Fill();
      if (n < 0) return FileError(CsvError::kReadError, line_, static_cast<int>(-n));
      if (n == 0) return AtEndOfInput();
    }
    const char* p = pos_;
    const char* const end = end_;
    switch (state_) {
      case State::kFieldStart:
        if (*p == '"') {
          field_quoted_ = true;
          quoted_cr_ = false;
          quote_line_ = line_;
          ++p;
          state_ = State::kQuoted;
          break;
        }
        state_ = State::kUnquoted;
        [[fallthrough]];
      case State::kUnquoted: {
        const char* q = p;
        while (q != end && !stop_[Byte(*q)]) ++q;
        Append(p, static_cast<std::size_t>(q - p));
        p = q;
        if (p == end) break;
        const char c = *p++;
        if (c == '\n') {
          ++line_;
          if (EndRecord("\n")) {
            pos_ = p;
            return result_;
          }
          record_.line = line_;
        } else if (c == '\r') {
          state_ = State::kCr;
        } else {
          if (!separator_known_) SetSeparator(c);
          EndField(true);
          state_ = State::kFieldStart;
        }
        break;
      }
      case State::kQuoted: {
        const void* found = std::memchr(p, '"', static_cast<std::size_t>(end - p));
        const char* q = found != nullptr ? static_cast<const char*>(found) : end;
        CountLines(p, q);
        Append(p, static_cast<std::size_t>(q - p));
        p = q;
        if (p != end) {
          ++p;
          quoted_cr_ = false;
          state_ = State::kQuotedQuote;
        }
        break;
      }
      case State::kQuotedQuote: {
        const char c = *p;
        if (c == '"') {  // a doubled quote stands for one
          Append(p, 1);
          ++p;
          state_ = State::kQuoted;
        } else {
          if (!stop_[Byte(c)]) MarkTextAfterQuote();
          state_ = State::kUnquoted;  // the separator or line end is taken there
        }
        break;
      }
      case State::kCr: {
        // CRLF, or a lone CR whose next byte starts the next line.
        const bool crlf = *p == '\n';
        if (crlf) ++p;
        ++line_;
        if (EndRecord(crlf ? "\r\n" : "\r")) {
          pos_ = p;
          return result_;
        }
        record_.line = line_;
        break;
      }
    }
    pos_ = p;
  }
}

}  // namespace wellen::batch

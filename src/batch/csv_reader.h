// Reading the records of a CSV file as spreadsheets write it.
//
// A record is {line, cells}: the line on which it starts (1-based) and its
// cells, as views into a buffer that the next call reuses. The reader works
// in bounded memory whatever the size of the input: a read buffer, plus at
// most one record of max_record_bytes and its cells (a record of a million
// empty cells takes some 25 MB).
//
// What it reads:
//   - Fields are separated by one separator byte. Lines end in LF, CRLF or a
//     lone CR (as Excel's "CSV (Macintosh)" writes them).
//   - A field that starts with a double quote is quoted: it may hold
//     separators, line breaks (which count as lines) and doubled quotes
//     standing for one. A quote inside an unquoted field is plain text (5").
//     Text between a closing quote and the next separator or line end
//     ("ab"c) makes the record a row error (kTextAfterQuote); the reader
//     goes on with the next record.
//   - A UTF-8 byte order mark at the very start is skipped (byte_order_mark()
//     tells whether there was one). Blank lines (nothing at all between two
//     line ends) are skipped; a line of spaces is a record of one cell.
//   - The encoding (see encoding.h): as the caller found it beforehand for a
//     regular file, or decided record by record while the input streams:
//     UTF-8 until the first record with a byte that is not, then
//     Windows-1252 from that record on if no multi-byte UTF-8 sequence (the
//     byte order mark included) came before, else mixed. The cells of a
//     Windows-1252 record are handed out converted to UTF-8; the cells of a
//     mixed file as they are, for the caller to refuse what is not UTF-8.
//   - The dialect: unless the caller forces one, the separator is the first
//     of ';', tab or ',' found outside quotes in the first record (the
//     header); with none of them it is a one-column file, read with ','.
//     Numbers may use a decimal comma with ';' and tab, not with ','.
// Errors:
//   - row errors (kRowError), after which reading goes on with the next
//     record: text after a closing quote, and a record longer than
//     max_record_bytes (the bytes of its cells plus one per separator),
//     whose rest is passed over without being kept, quotes and lines still
//     followed;
//   - file errors (kFileError), after which Next returns kEnd: a quote that
//     is never closed (with the line where it opened), an input without any
//     record, and a read error (with errno).
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch/encoding.h"

namespace wellen::batch {

// Source of raw bytes: a file descriptor, or memory in tests.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to `capacity` (> 0) bytes into `buffer`. Returns how many were
  // read, 0 at the end of input, or -errno on a read error.
  virtual long Read(char* buffer, std::size_t capacity) = 0;
};

// Reads with read(2) from a descriptor it does not own (0 for standard
// input); retries on EINTR.
class FdSource final : public ByteSource {
 public:
  explicit FdSource(int fd) : fd_(fd) {}
  long Read(char* buffer, std::size_t capacity) override;

 private:
  int fd_;
};

// Hands out `text` (which must outlive it) in pieces of at most `chunk` bytes.
class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::string_view text, std::size_t chunk = 65536)
      : text_(text), chunk_(chunk == 0 ? 1 : chunk) {}
  long Read(char* buffer, std::size_t capacity) override;

 private:
  std::string_view text_;
  std::size_t chunk_;
  std::size_t position_ = 0;
};

enum class Separator : char { kAuto = 0, kComma = ',', kSemicolon = ';', kTab = '\t' };

struct Dialect {
  char separator = ',';
  bool decimal_comma = false;
  Kodierung kodierung = Kodierung::kOffen;  // as far as decided
};

struct CsvOptions {
  Separator separator = Separator::kAuto;
  std::size_t max_record_bytes = std::size_t{1} << 20;
  std::size_t read_size = std::size_t{1} << 17;  // bytes asked of each read(2)
  // kOffen: decided while reading; else as found beforehand.
  Kodierung kodierung = Kodierung::kOffen;
};

enum class CsvStatus { kRecord, kRowError, kFileError, kEnd };

enum class CsvError {
  kNone,
  kTextAfterQuote,     // row error
  kRecordTooLong,      // row error
  kUnterminatedQuote,  // file error, at the line where the quote opened
  kEmptyInput,         // file error: not even a header
  kReadError,          // file error, with errno
};

struct CsvRecord {
  std::size_t line = 0;
  std::span<const std::string_view> cells;
};

class CsvReader {
 public:
  explicit CsvReader(ByteSource& source, CsvOptions options = {});
  CsvReader(const CsvReader&) = delete;
  CsvReader& operator=(const CsvReader&) = delete;

  // Reads the next record. kRecord: record() holds it. kRowError: error(),
  // error_line() and record().line tell which record; its cells are empty.
  // kFileError: error() and error_line() tell what and where; every later
  // call gives kEnd. kEnd: input has ended.
  CsvStatus Next();

  const CsvRecord& record() const { return record_; }
  CsvError error() const { return error_; }
  // Where the error lies: for kTextAfterQuote the line of the stray text,
  // for kRecordTooLong the record's first line, for file errors as above.
  std::size_t error_line() const { return error_line_; }
  // errno for kReadError, else 0.
  int error_number() const { return error_number_; }
  // The separator is valid once the first record has been read (or forced
  // by the options); the encoding as far as read.
  Dialect dialect() const { return dialect_; }
  // True if the input began with a UTF-8 byte order mark.
  bool byte_order_mark() const { return byte_order_mark_; }
  // How the first record ended: "\n", "\r\n", "\r", or "" at the end of input.
  std::string_view first_line_end() const { return first_line_end_; }

 private:
  enum class State : unsigned char {
    kFieldStart,   // at the first byte of a field
    kUnquoted,     // inside an unquoted field
    kQuoted,       // inside a quoted field
    kQuotedQuote,  // just after a quote inside a quoted field
    kCr,           // just after a CR outside quotes: a line end, with the LF if one follows
  };

  long Fill();
  void SetSeparator(char separator);
  void Append(const char* text, std::size_t size);
  void EndField(bool at_separator);
  void MarkTextAfterQuote();
  void CountLines(const char* p, const char* q);  // line ends inside quotes
  bool EndRecord(std::string_view line_end);  // true if a record or row error is to be returned
  void DecideEncoding();
  void ConvertRecord();
  void ResetRecord();
  CsvStatus AtEndOfInput();
  CsvStatus FileError(CsvError error, std::size_t line, int error_number = 0);

  ByteSource& source_;
  CsvOptions options_;
  Dialect dialect_;
  bool separator_known_ = false;
  // stop_[c] marks the bytes that end a run of plain text outside quotes.
  bool stop_[256] = {};

  std::unique_ptr<char[]> buffer_;
  const char* pos_ = nullptr;
  const char* end_ = nullptr;
  bool started_ = false;
  bool input_ended_ = false;
  bool done_ = false;

  State state_ = State::kFieldStart;
  std::size_t line_ = 1;         // line of the next byte
  std::size_t quote_line_ = 0;   // where the open quote opened
  bool field_quoted_ = false;    // the current field began with a quote
  bool quoted_cr_ = false;       // the last byte inside quotes was a CR
  bool too_long_ = false;
  bool text_after_quote_ = false;
  std::size_t stray_line_ = 0;
  bool any_record_ = false;
  bool reset_pending_ = false;  // the last record handed out is still in text_
  CsvStatus result_ = CsvStatus::kEnd;

  std::string text_;               // the cells of the record, one after another
  std::vector<std::size_t> ends_;  // where each cell ends in text_
  std::vector<std::string_view> cells_;
  std::string converted_;  // the cells of a Windows-1252 record in UTF-8
  bool byte_order_mark_ = false;
  bool multibyte_seen_ = false;  // while deciding: a multi-byte UTF-8 sequence came
  std::string_view first_line_end_;
  CsvRecord record_;
  CsvError error_ = CsvError::kNone;
  std::size_t error_line_ = 0;
  int error_number_ = 0;
};

}  // namespace wellen::batch

// The text encodings of input files, as German spreadsheets save CSV: UTF-8,
// with or without a byte order mark, or Windows-1252 ("CSV (Trennzeichen-
// getrennt)"). Everything the program writes is UTF-8.
//
// How a file is told:
//   - bytes that are all valid UTF-8 (plain ASCII included) are UTF-8;
//   - a file with a sequence that is not UTF-8 and no multi-byte UTF-8
//     sequence is Windows-1252, and is converted;
//   - a file with both is mixed: its text is taken as UTF-8, and each row
//     that holds bytes that are not is refused.
// A regular file is told in one pass before its rows are read (Klassifiziere);
// standard input while it streams (the CSV reader does that record by
// record).
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace wellen::batch {

enum class Kodierung : unsigned char {
  kOffen,        // streaming, not decided: valid UTF-8 so far
  kUtf8,         // valid UTF-8 throughout (ASCII included)
  kWindows1252,  // converted to UTF-8
  kGemischt,     // UTF-8 with bytes that are not: rows holding them are refused
};

// Follows UTF-8 byte by byte, across any number of pieces, and notes
// whether it has seen a multi-byte sequence and a byte that is not UTF-8.
class Utf8Scanner {
 public:
  // Scans `bytes`; stops early once both are seen. A sequence cut at the end
  // of `bytes` is completed by the next call.
  void Feed(std::string_view bytes);
  // Ends the input: a sequence left incomplete is not UTF-8.
  void Finish();

  bool multibyte() const { return multibyte_; }
  bool invalid() const { return invalid_; }
  // True if the first byte that is not UTF-8 came after a multi-byte sequence.
  bool multibyte_before_invalid() const { return multibyte_before_invalid_; }

 private:
  void Invalid();

  int need_ = 0;  // continuation bytes still to come
  unsigned char low_ = 0x80, high_ = 0xBF;  // the range of the next one
  bool multibyte_ = false;
  bool invalid_ = false;
  bool multibyte_before_invalid_ = false;
};

// The encoding of bytes seen whole: kUtf8, kWindows1252 or kGemischt.
Kodierung Klassifiziere(const Utf8Scanner& scanner);

// Reads the regular file open on `fd` from its current offset to the end with
// pread(2), which leaves the offset alone, and tells its encoding. Stops
// reading once the file is known to be mixed. On a read error returns
// kOffen and sets `error_number` to errno.
Kodierung KodierungDerDatei(int fd, int& error_number);

// The length of the UTF-8 sequence that starts at text[at] (1 for ASCII), or
// 0 if the bytes there are not one: no overlong forms, no surrogates,
// nothing beyond U+10FFFF.
std::size_t Utf8Length(std::string_view text, std::size_t at);

// True if `text` is valid UTF-8 throughout.
bool IsUtf8(std::string_view text);

// True if every byte of `text` is below 0x80.
bool IsAscii(std::string_view text);

// `text` with every byte that is not part of a UTF-8 sequence replaced by
// U+FFFD (for file names, which are written as given otherwise).
std::string Utf8OrReplacement(std::string_view text);

// Appends `text`, read as Windows-1252, as UTF-8. The five bytes that
// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90 and 0x9D) are copied
// as they are: they stand for no character, and, as they cannot begin a
// UTF-8 sequence, the result is not UTF-8 there, so that the row that holds
// one is refused rather than read with a guess.
void AppendWindows1252(std::string& out, std::string_view text);

// The same, and moves each of the ascending positions `ends` in `text` to
// where it lies in what was appended (for the cells of a record, which lie
// one after another).
void AppendWindows1252(std::string& out, std::string_view text, std::span<std::size_t> ends);

// True for the bytes that Windows-1252 leaves undefined.
constexpr bool UndefinedInWindows1252(unsigned char c) {
  return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

}  // namespace wellen::batch

#include "batch/encoding.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>

namespace wellen::batch {
namespace {

// The characters of Windows-1252's bytes 0x80 to 0x9F; 0 where it defines
// none. From 0xA0 on its bytes are the code points of the same number.
constexpr char16_t kWindows1252C1[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88-8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98-9F
};

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// The first byte at or after `p` that is not ASCII, or `end`.
const unsigned char* SkipAscii(const unsigned char* p, const unsigned char* end) {
  while (end - p >= 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
    if ((word & kHighBits) != 0) break;
    p += 8;
  }
  while (p != end && *p < 0x80) ++p;
  return p;
}

}  // namespace

void Utf8Scanner::Invalid() {
  if (!invalid_) multibyte_before_invalid_ = multibyte_;
  invalid_ = true;
}

void Utf8Scanner::Feed(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = p + bytes.size();
  while (p != end && !(multibyte_ && invalid_)) {
    if (need_ == 0) {
      p = SkipAscii(p, end);
      if (p == end) return;
      const unsigned char c = *p++;
      low_ = 0x80;
      high_ = 0xBF;
      if (c >= 0xC2 && c <= 0xDF) {
        need_ = 1;
      } else if (c >= 0xE0 && c <= 0xEF) {
        need_ = 2;
        if (c == 0xE0) low_ = 0xA0;   // no overlong form
        if (c == 0xED) high_ = 0x9F;  // no surrogate
      } else if (c >= 0xF0 && c <= 0xF4) {
        need_ = 3;
        if (c == 0xF0) low_ = 0x90;   // no overlong form
        if (c == 0xF4) high_ = 0x8F;  // nothing beyond U+10FFFF
      } else {
        Invalid();
      }
      continue;
    }
    const unsigned char c = *p;
    if (c < low_ || c > high_) {
      // The sequence breaks off; the byte is read again as a first byte.
      need_ = 0;
      Invalid();
      continue;
    }
    ++p;
    low_ = 0x80;
    high_ = 0xBF;
    if (--need_ == 0) multibyte_ = true;
  }
}

void Utf8Scanner::Finish() {
  if (need_ > 0) Invalid();
  need_ = 0;
}

Kodierung Klassifiziere(const Utf8Scanner& scanner) {
  if (!scanner.invalid()) return Kodierung::kUtf8;
  return scanner.multibyte() ? Kodierung::kGemischt : Kodierung::kWindows1252;
}

Kodierung KodierungDerDatei(int fd, int& error_number) {
  constexpr std::size_t kPiece = std::size_t{1} << 18;
  const auto buffer = std::make_unique_for_overwrite<char[]>(kPiece);
  off_t offset = lseek(fd, 0, SEEK_CUR);
  if (offset < 0) offset = 0;
  Utf8Scanner scanner;
  while (!(scanner.multibyte() && scanner.invalid())) {
    const ssize_t n = pread(fd, buffer.get(), kPiece, offset);
    if (n < 0) {
      if (errno == EINTR) continue;
      error_number = errno;
      return Kodierung::kOffen;
    }
    if (n == 0) break;
    scanner.Feed({buffer.get(), static_cast<std::size_t>(n)});
    offset += n;
  }
  scanner.Finish();
  return Klassifiziere(scanner);
}

std::size_t Utf8Length(std::string_view text, std::size_t at) {
  const auto c = static_cast<unsigned char>(text[at]);
  if (c < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    length = 3;
    if (c == 0xE0) low = 0xA0;
    if (c == 0xED) high = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4;
    if (c == 0xF0) low = 0x90;
    if (c == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() - at < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[at + k]);
    if (next < low || next > high) return 0;
    low = 0x80;
    high = 0xBF;
  }
  return length;
}

bool IsUtf8(std::string_view text) {
  const auto* const begin = reinterpret_cast<const unsigned char*>(text.data());
  const auto* const end = begin + text.size();
  for (const unsigned char* p = SkipAscii(begin, end); p != end; p = SkipAscii(p, end)) {
    const std::size_t length = Utf8Length(text, static_cast<std::size_t>(p - begin));
    if (length == 0) return false;
    p += length;
  }
  return true;
}

bool IsAscii(std::string_view text) {
  const auto* const begin = reinterpret_cast<const unsigned char*>(text.data());
  return SkipAscii(begin, begin + text.size()) == begin + text.size();
}

std::string Utf8OrReplacement(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8Length(text, i);
    if (length == 0) {
      out += "\uFFFD";
      ++i;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  return out;
}

void AppendWindows1252(std::string& out, std::string_view text, std::span<std::size_t> ends) {
  const auto* const begin = reinterpret_cast<const unsigned char*>(text.data());
  const auto* const end = begin + text.size();
  std::size_t grown = 0;  // bytes the conversion has added so far
  std::size_t next = 0;   // the first position not yet moved
  const unsigned char* p = begin;
  while (p != end) {
    const unsigned char* ascii_end = SkipAscii(p, end);
    out.append(reinterpret_cast<const char*>(p), static_cast<std::size_t>(ascii_end - p));
    p = ascii_end;
    if (p == end) break;
    const auto at = static_cast<std::size_t>(p - begin);
    for (; next < ends.size() && ends[next] <= at; ++next) ends[next] += grown;
    const unsigned char c = *p++;
    const char32_t code = c < 0xA0 ? kWindows1252C1[c - 0x80] : c;
    char utf8[3];
    std::size_t length = 0;
    if (code == 0) {
      utf8[length++] = static_cast<char>(c);  // undefined: kept, so that it is not UTF-8
    } else if (code < 0x800) {
      utf8[length++] = static_cast<char>(0xC0 | (code >> 6));
      utf8[length++] = static_cast<char>(0x80 | (code & 0x3F));
    } else {
      utf8[length++] = static_cast<char>(0xE0 | (code >> 12));
      utf8[length++] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      utf8[length++] = static_cast<char>(0x80 | (code & 0x3F));
    }
    out.append(utf8, length);
    grown += length - 1;
  }
  for (; next < ends.size(); ++next) ends[next] += grown;
}

void AppendWindows1252(std::string& out, std::string_view text) {
  AppendWindows1252(out, text, {});
}

}  // namespace wellen::batch

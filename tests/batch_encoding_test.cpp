// Encodings of input files: a regular file told in one pass, however it is
// cut into pieces, and Windows-1252 converted as the C library's iconv
// converts it.
#include <gtest/gtest.h>
#include <iconv.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "batch/encoding.h"

namespace wellen::batch {
namespace {

const char* Name(Kodierung k) {
  switch (k) {
    case Kodierung::kOffen: return "offen";
    case Kodierung::kUtf8: return "utf8";
    case Kodierung::kWindows1252: return "cp1252";
    case Kodierung::kGemischt: return "gemischt";
  }
  return "?";
}

// The encoding of `bytes` as the first pass over a regular file finds it,
// read from `offset` on; the file's offset must stay where it was.
Kodierung OfFile(const std::string& bytes, long offset) {
  std::FILE* file = std::tmpfile();
  EXPECT_NE(file, nullptr);
  EXPECT_EQ(::write(fileno(file), bytes.data(), bytes.size()), static_cast<long>(bytes.size()));
  EXPECT_EQ(::lseek(fileno(file), offset, SEEK_SET), offset);
  int error_number = 0;
  const Kodierung k = KodierungDerDatei(fileno(file), error_number);
  EXPECT_EQ(error_number, 0);
  EXPECT_EQ(::lseek(fileno(file), 0, SEEK_CUR), offset);
  std::fclose(file);
  return k;
}

TEST(Encoding, AFileIsUtf8Windows1252OrMixed) {
  const struct {
    std::string bytes;
    Kodierung expected;
  } cases[] = {
      {"", Kodierung::kUtf8},
      {"Name;D\r\nWelle;50\r\n", Kodierung::kUtf8},
      {"\xEF\xBB\xBFName\n\xC3\x9C" "bergang\n", Kodierung::kUtf8},
      {"\xF0\x9F\x98\x80 \xE2\x82\xAC \xF4\x8F\xBF\xBF", Kodierung::kUtf8},
      {"M\xFCller;Ma\xDF\n", Kodierung::kWindows1252},
      {"Rz [\xB5m]", Kodierung::kWindows1252},
      {"\xC3", Kodierung::kWindows1252},              // cut off at the end
      {"\xC0\xAF", Kodierung::kWindows1252},          // overlong
      {"\xED\xA0\x80", Kodierung::kWindows1252},      // a surrogate
      {"\xF4\x90\x80\x80", Kodierung::kWindows1252},  // beyond U+10FFFF
      {"\xE2\x82", Kodierung::kWindows1252},
      {"\xC3\xBC;\xFC", Kodierung::kGemischt},
      {"\xFC;\xC3\xBC", Kodierung::kGemischt},
      {"\xEF\xBB\xBF\xFC", Kodierung::kGemischt},  // the byte order mark counts
      {std::string(100000, 'a') + "\xE4" + std::string(100000, 'b') + "\xC3\xA4",
       Kodierung::kGemischt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("bytes \"" + c.bytes.substr(0, 20) + "\"");
    // Whole, byte by byte (sequences cut between pieces), and as a file.
    Utf8Scanner whole;
    whole.Feed(c.bytes);
    whole.Finish();
    EXPECT_STREQ(Name(Klassifiziere(whole)), Name(c.expected));
    Utf8Scanner bytewise;
    for (const char byte : c.bytes) bytewise.Feed({&byte, 1});
    bytewise.Finish();
    EXPECT_STREQ(Name(Klassifiziere(bytewise)), Name(c.expected));
    EXPECT_STREQ(Name(OfFile(c.bytes, 0)), Name(c.expected));
    EXPECT_EQ(IsUtf8(c.bytes), c.expected == Kodierung::kUtf8);
  }
  // From the descriptor's offset on, as standard input redirected from a
  // file after a line was read from it.
  EXPECT_STREQ(Name(OfFile("\xFC\nName\n", 2)), "utf8");
  int error_number = 0;
  EXPECT_EQ(KodierungDerDatei(-1, error_number), Kodierung::kOffen);
  EXPECT_EQ(error_number, EBADF);
}

// Every byte from 0x80 to 0xFF as iconv reads Windows-1252; where iconv
// finds no character, the byte is kept and the text is not UTF-8.
TEST(Encoding, Windows1252AsIconvConvertsIt) {
  const iconv_t cd = iconv_open("UTF-8", "WINDOWS-1252");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  int undefined = 0;
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    char in[1] = {static_cast<char>(byte)};
    char out[8];
    char* in_at = in;
    char* out_at = out;
    std::size_t in_left = 1;
    std::size_t out_left = sizeof out;
    const bool defined = iconv(cd, &in_at, &in_left, &out_at, &out_left) != static_cast<std::size_t>(-1);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string converted = "x";
    AppendWindows1252(converted, std::string_view(in, 1));
    std::string expected = "x";
    if (defined) {
      expected.append(out, out_at);
      EXPECT_EQ(converted, expected) << std::hex << byte;
      EXPECT_TRUE(IsUtf8(converted));
    } else {
      ++undefined;
      EXPECT_TRUE(UndefinedInWindows1252(static_cast<unsigned char>(byte))) << std::hex << byte;
      expected += in[0];
      EXPECT_EQ(converted, expected);
      EXPECT_FALSE(IsUtf8(converted));
    }
  }
  iconv_close(cd);
  EXPECT_EQ(undefined, 5);
  std::string text;
  AppendWindows1252(text, "Stra\xDF" "e \x84" "Gr\xF6\xDF" "e\x93 \x80");
  EXPECT_EQ(text, "Stra\u00dfe \u201eGr\u00f6\u00dfe\u201c \u20ac");
  EXPECT_EQ(Utf8OrReplacement("a\xFC\xC3\xBC"), "a\uFFFD\u00fc");
}

}  // namespace
}  // namespace wellen::batch

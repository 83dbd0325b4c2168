// The CSV reader: records and their lines, quoting, line ends, the byte
// order mark, blank lines, the dialect, and every error, each input read in
// pieces of 1, 3 and 65536 bytes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "batch/csv_reader.h"

namespace wellen::batch {
namespace {

// Hands out the text, then fails with EIO instead of ending.
class FailingSource final : public ByteSource {
 public:
  FailingSource(std::string_view text, std::size_t chunk) : inner_(text, chunk) {}
  long Read(char* buffer, std::size_t capacity) override {
    const long n = inner_.Read(buffer, capacity);
    return n == 0 ? -EIO : n;
  }

 private:
  MemorySource inner_;
};

std::string Show(std::string_view cell) {
  std::string shown;
  for (const char c : cell) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\n') {
      shown += "\\n";
    } else if (c == '\r') {
      shown += "\\r";
    } else if (c == '\t') {
      shown += "\\t";
    } else if (byte < 0x20 || byte >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      shown += hex;
    } else {
      shown += c;
    }
  }
  return shown;
}

const char* Name(CsvError error) {
  switch (error) {
    case CsvError::kNone: return "none";
    case CsvError::kTextAfterQuote: return "after-quote";
    case CsvError::kRecordTooLong: return "too-long";
    case CsvError::kUnterminatedQuote: return "unterminated";
    case CsvError::kEmptyInput: return "empty";
    case CsvError::kReadError: return "read";
  }
  return "?";
}

// Reads everything and describes it, one item per result:
//   "3[a|b]"            a record starting on line 3 with cells a and b;
//   "3!too-long@3"      a row error of the record starting on line 3;
//   "!!unterminated@2"  a file error and its line;
// then the dialect, as "sep=; dc" or "sep=, ." (decimal comma or point),
// and what is not the plain case: " cp1252" or " gemischt" for the encoding,
// " bom" for a byte order mark, " crlf" or " cr" for the header's line end.
std::string Trace(ByteSource& source, CsvOptions options) {
  CsvReader reader(source, options);
  std::string trace;
  for (int guard = 0; guard < 1000; ++guard) {
    const CsvStatus status = reader.Next();
    if (status == CsvStatus::kEnd) break;
    const CsvRecord& record = reader.record();
    if (status == CsvStatus::kRecord) {
      trace += std::to_string(record.line) + "[";
      for (std::size_t i = 0; i < record.cells.size(); ++i) {
        if (i > 0) trace += '|';
        trace += Show(record.cells[i]);
      }
      trace += "] ";
    } else {
      trace += status == CsvStatus::kRowError ? std::to_string(record.line) + "!" : "!!";
      trace += Name(reader.error());
      trace += '@' + std::to_string(reader.error_line());
      if (reader.error_number() != 0) trace += '(' + std::to_string(reader.error_number()) + ')';
      trace += ' ';
    }
    if (status == CsvStatus::kFileError) {
      EXPECT_EQ(reader.Next(), CsvStatus::kEnd);
      break;
    }
  }
  EXPECT_EQ(reader.Next(), CsvStatus::kEnd);  // and it stays ended
  const Dialect dialect = reader.dialect();
  trace += "sep=" + Show({&dialect.separator, 1}) + (dialect.decimal_comma ? " dc" : " .");
  if (dialect.kodierung == Kodierung::kWindows1252) trace += " cp1252";
  if (dialect.kodierung == Kodierung::kGemischt) trace += " gemischt";
  if (reader.byte_order_mark()) trace += " bom";
  if (reader.first_line_end() == "\r\n") trace += " crlf";
  if (reader.first_line_end() == "\r") trace += " cr";
  return trace;
}

struct CsvCase {
  std::string input;
  std::string expected;
  Separator separator = Separator::kAuto;
  std::size_t max_record_bytes = std::size_t{1} << 20;
  bool read_error = false;  // the input fails with EIO where it would end
  Kodierung kodierung = Kodierung::kOffen;  // as a regular file's first pass found it
};

TEST(CsvReader, ReadsRecordsLinesAndErrorsAtAnyChunkSize) {
  const std::string eio = '(' + std::to_string(EIO) + ')';
  const CsvCase cases[] = {
      // Separators found in the header, and the decimal comma they bring.
      {"a;b;c\n1;2;3\n", "1[a|b|c] 2[1|2|3] sep=; dc"},
      {"a,b\r\n1,2\r\n", "1[a|b] 2[1|2] sep=, . crlf"},
      {"a\tb\n1\t2", "1[a|b] 2[1|2] sep=\\t dc"},
      {"Name,Wert;x\na;b,c\n", "1[Name|Wert;x] 2[a;b|c] sep=, ."},
      {"\"a;b\"\tc;d\n", "1[a;b|c;d] sep=\\t dc"},
      {"Wert\n2,5\n", "1[Wert] 2[2|5] sep=, ."},  // one column: a comma file
      // A forced separator; the others are text.
      {"a,b;c\n", "1[a,b|c] sep=; dc", Separator::kSemicolon},
      {"a;b\tc\n", "1[a;b\\tc] sep=, .", Separator::kComma},
      {"a;b\tc\n", "1[a;b|c] sep=\\t dc", Separator::kTab},
      // Byte order mark at the very start only; a partial one is text.
      {"\xEF\xBB\xBF"
       "a;b\n1;2\n",
       "1[a|b] 2[1|2] sep=; dc bom"},
      // (a partial one is not UTF-8: Windows-1252 "\u00ef\u00bb")
      {"\xEF\xBBx\n", "1[\\xC3\\xAF\\xC2\\xBBx] sep=, . cp1252"},
      {"a\n\xEF\xBB\xBF\n", "1[a] 2[\\xEF\\xBB\\xBF] sep=, ."},
      // Blank lines are skipped and counted; a line of spaces is a record.
      {"\n\na;b\n\n\r\n1;2\n\n", "3[a|b] 6[1|2] sep=; dc"},
      {"a\n \n", "1[a] 2[ ] sep=, ."},
      {"a;\n;\n\"\"\n", "1[a|] 2[|] 3[] sep=; dc"},
      // Quoting: separators, doubled quotes, line breaks that count as lines.
      {"\"a;b\";\"say \"\"hi\"\"\"\n", "1[a;b|say \"hi\"] sep=; dc"},
      {"h1;h2\n\"x\ny\";2\n3;4\n", "1[h1|h2] 2[x\\ny|2] 4[3|4] sep=; dc"},
      {"\"a\r\nb\"\r\nc\r\n", "1[a\\r\\nb] 3[c] sep=, . crlf"},
      {"\"\"\"\"\n\"a\"\"\"\n", "1[\"] 2[a\"] sep=, ."},
      {"5\"; x\"y\n", "1[5\"| x\"y] sep=; dc"},  // a quote inside a field is text
      // A lone CR ends a line too, outside quotes and (as text) inside them.
      {"\"a\rb\"\n", "1[a\\rb] sep=, ."},
      {"a\rb,c\n", "1[a] 2[b|c] sep=, . cr"},
      {"a\r\r\n", "1[a] sep=, . cr"},
      {"a\r", "1[a] sep=, . cr"},
      {"\"a\"\r\nb\r\n", "1[a] 2[b] sep=, . crlf"},
      {"a;b\r1;2\r\r3;\"x\ry\r\nz\"\r4\r", "1[a|b] 2[1|2] 4[3|x\\ry\\r\\nz] 7[4] sep=; dc cr"},
      {"a\r\nb\nc\rd", "1[a] 2[b] 3[c] 4[d] sep=, . crlf"},
      // Text after a closing quote makes a row error at the stray text.
      {"h\n\"ab\"c\nok\n", "1[h] 2!after-quote@2 3[ok] sep=, ."},
      {"h\n\"a\nb\" x,\"y\nok\"\nok\n", "1[h] 2!after-quote@3 5[ok] sep=, ."},
      {"h\n\"a\"\rb\n\"c\"\r", "1[h] 2[a] 3[b] 4[c] sep=, ."},
      {"h\n\"a\"b\r\"c\" \rok\r", "1[h] 2!after-quote@2 3!after-quote@3 4[ok] sep=, ."},
      // Streamed, the first record with bytes that are not UTF-8 decides:
      // Windows-1252 if no multi-byte sequence came before, converted from
      // that record on (what follows too, though it would be UTF-8) ...
      {"Name;Werkstoff\r\nM\xFCller;\x80 \xC3\xBC\r\n",
       "1[Name|Werkstoff] 2[M\\xC3\\xBCller|\\xE2\\x82\\xAC \\xC3\\x83\\xC2\\xBC] sep=; dc cp1252 crlf"},
      {"\xFC,\xC3\xBC\n\xC3\xBC\n", "1[\\xC3\\xBC|\\xC3\\x83\\xC2\\xBC] 2[\\xC3\\x83\\xC2\\xBC] sep=, . cp1252"},
      {"\xC3,\xBC\n", "1[\\xC3\\x83|\\xC2\\xBC] sep=, . cp1252"},  // cut by a separator
      // ... the bytes Windows-1252 leaves undefined kept, so they stay invalid;
      {"\x81\x8D\x8F\x90\x9D\x9F\n", "1[\\x81\\x8D\\x8F\\x90\\x9D\\xC5\\xB8] sep=, . cp1252"},
      // mixed after a multi-byte sequence, the byte order mark included.
      {"a\n\xC3\xBC\n\xFC\n", "1[a] 2[\\xC3\\xBC] 3[\\xFC] sep=, . gemischt"},
      {"\xC3\xBC\xFC\n", "1[\\xC3\\xBC\\xFC] sep=, . gemischt"},
      {"\xEF\xBB\xBF" "a\n\xFC\n", "1[a] 2[\\xFC] sep=, . gemischt bom"},
      {"\xF0\x9F\x98\x80,\xED\xA0\x80\n", "1[\\xF0\\x9F\\x98\\x80|\\xED\\xA0\\x80] sep=, . gemischt"},
      // A regular file's encoding is known beforehand.
      {"a\n\xE4\n", "1[a] 2[\\xC3\\xA4] sep=, . cp1252", Separator::kAuto, std::size_t{1} << 20,
       false, Kodierung::kWindows1252},
      {"a\n\xE4\xC3\xA4\n", "1[a] 2[\\xE4\\xC3\\xA4] sep=, . gemischt", Separator::kAuto,
       std::size_t{1} << 20, false, Kodierung::kGemischt},
      // Records longer than the limit (bytes of the cells plus separators).
      {"h\n12345678\n123456789\n1,2,3,4,5\n\"abc\ndefghij\"\n1,2,3,4\n",
       "1[h] 2[12345678] 3!too-long@3 4!too-long@4 5!too-long@5 7[1|2|3|4] sep=, .",
       Separator::kAuto, 8},
      {"h\n123456789,\"a\nb\"\n1\n", "1[h] 2!too-long@2 4[1] sep=, .", Separator::kAuto, 8},
      // Exactly the limit with a separator; the limit and one separator more.
      {"h\n1234567,\n12345678,\n", "1[h] 2[1234567|] 3!too-long@3 sep=, .", Separator::kAuto, 8},
      // File errors: a quote never closed (where it opened), no header at all,
      // a read error.
      {"h\n1\n\"abc\n\ndef\n", "1[h] 2[1] !!unterminated@3 sep=, ."},
      {"\"abc", "!!unterminated@1 sep=, ."},
      {"h\n123456789,\"\n", "1[h] !!unterminated@2 sep=, .", Separator::kAuto, 8},
      {"", "!!empty@1 sep=, ."},
      {"\n\r\n", "!!empty@3 sep=, ."},
      {"\xEF\xBB\xBF", "!!empty@1 sep=, . bom"},
      {"a;b\n1;2\n", "1[a|b] 2[1|2] !!read@3" + eio + " sep=; dc", Separator::kAuto,
       std::size_t{1} << 20, true},
      {"a;b\n1;2", "1[a|b] !!read@2" + eio + " sep=; dc", Separator::kAuto, std::size_t{1} << 20,
       true},
      {"", "!!read@1" + eio + " sep=, .", Separator::kAuto, std::size_t{1} << 20, true},
  };
  for (const CsvCase& c : cases) {
    for (const std::size_t chunk : {1, 3, 65536}) {
      SCOPED_TRACE("input \"" + Show(c.input) + "\", chunk " + std::to_string(chunk));
      const CsvOptions options{c.separator, c.max_record_bytes, CsvOptions{}.read_size,
                               c.kodierung};
      MemorySource memory(c.input, chunk);
      FailingSource failing(c.input, chunk);
      ByteSource& source = c.read_error ? static_cast<ByteSource&>(failing) : memory;
      EXPECT_EQ(Trace(source, options), c.expected);
    }
  }
}

// A record far beyond the default limit is skipped in bounded memory and the
// next one is read; so is a record of nothing but separators.
TEST(CsvReader, SkipsHugeRecordsAndGoesOn) {
  const std::string input = "h\n" + std::string(3 << 20, 'x') + "\n" + std::string(3 << 20, ',') +
                            "\n\"" + std::string(3 << 20, '\n') + "\"\nlast\n";
  MemorySource source(input);
  EXPECT_EQ(Trace(source, {}), "1[h] 2!too-long@2 3!too-long@3 4!too-long@4 " +
                                   std::to_string(5 + (3 << 20)) + "[last] sep=, .");
}

TEST(CsvReader, ReadsFromADescriptor) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  const std::string text = "a;b\r\n1;\"2\n3\"\r\n";
  ASSERT_EQ(::write(fileno(file), text.data(), text.size()), static_cast<long>(text.size()));
  ASSERT_EQ(::lseek(fileno(file), 0, SEEK_SET), 0);
  FdSource source(fileno(file));
  EXPECT_EQ(Trace(source, {}), "1[a|b] 2[1|2\\n3] sep=; dc crlf");
  std::fclose(file);

  FdSource closed(-1);
  EXPECT_EQ(Trace(closed, {}), "!!read@1" + ('(' + std::to_string(EBADF)) + ") sep=, .");
}

}  // namespace
}  // namespace wellen::batch

// Fuzz target: the whole dialogue (menu, dialogs, display, calculation runs)
// on a script of arbitrary bytes, from the built-in defaults.
//
// Input layout, byte 0 (the mode byte):
//   bit 0     0: pipe mode, keys and values share the rest of the input;
//             1: terminal mode, the rest is the keys up to the first NUL
//                byte, then the values;
//   bits 1-4  how many bytes each underlying read hands out (kChunks);
//   bits 5-7  4 to 7 put a run of line ends in front of the values
//             (kPadding), so that what follows straddles the end of the
//             4096-byte input buffer; line ends are passed over by key and
//             value reads alike.
// So "\0g      q" is the pipe session of the README.
//
// Checked during the run: no read after the input has ended; the console
// reports the end exactly when a read meets it; keys are read only while the
// record is valid; the output is printable text, and at most a page of it
// comes between two reads; there are at most as many reads as input bytes.
// Checked after it: the record is valid and the session ended (q or end of
// input).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/menu.h"
#include "check.h"
#include "console/stream_console.h"

namespace wellen {
namespace {

constexpr std::size_t kChunks[16] = {4096, 1, 2, 3, 5, 7, 15, 16,
                                     17, 31, 64, 100, 1000, 4095, 4097, 65536};
constexpr std::size_t kPadding[4] = {4095, 4090, 4080, 4000};
constexpr std::size_t kPage = 4096;

bool Valid(const Eingabewerte& e) {
  return (e.Kerbfall == kRundnut || e.Kerbfall == kAbsatz) && e.K1Fall >= 1 && e.K1Fall <= 4 &&
         (e.harteRandschicht == 0 || e.harteRandschicht == 1) &&
         (e.Hohlwelle == 0 || e.Hohlwelle == 1);
}

// Passes everything on to the scripted console and checks how it is used.
class WatchedConsole final : public Console {
 public:
  WatchedConsole(Console& inner, const Eingabewerte& e, std::size_t max_reads)
      : inner_(inner), e_(e), max_reads_(max_reads) {}

  void Write(std::string_view text) override {
    for (const char c : text) FUZZ_CHECK(c == '\n' || (c >= ' ' && c <= '~'));
    written_since_read_ += text.size();
    FUZZ_CHECK(written_since_read_ <= kPage);
    inner_.Write(text);
  }

  int ReadKey() override {
    BeforeRead();
    // Keys are read at the menu and between pages, never inside a dialog.
    FUZZ_CHECK(Valid(e_));
    last_key_ = inner_.ReadKey();
    FUZZ_CHECK(last_key_ >= kEndOfInput && last_key_ <= 255);
    FUZZ_CHECK(inner_.Ended() == (last_key_ == kEndOfInput));
    return last_key_;
  }

  ReadStatus ReadReal(double& value) override {
    BeforeRead();
    return AfterRead(inner_.ReadReal(value));
  }

  ReadStatus ReadInt(int& value) override {
    BeforeRead();
    return AfterRead(inner_.ReadInt(value));
  }

  bool Ended() const override { return inner_.Ended(); }

  int last_key() const { return last_key_; }

 private:
  void BeforeRead() {
    FUZZ_CHECK(!inner_.Ended());
    FUZZ_CHECK(++reads_ <= max_reads_);
    written_since_read_ = 0;
  }

  ReadStatus AfterRead(ReadStatus status) {
    FUZZ_CHECK(inner_.Ended() == (status == ReadStatus::kEnd));
    return status;
  }

  Console& inner_;
  const Eingabewerte& e_;
  std::size_t max_reads_;
  std::size_t reads_ = 0;
  std::size_t written_since_read_ = 0;
  int last_key_ = 0;
};

void Run(ScriptedConsole& scripted, std::size_t input_size) {
  Eingabewerte e = DefaultEingabewerte();
  Ergebnisse r{};
  // Every read that does not meet the end takes at least one byte.
  WatchedConsole console(scripted.console(), e, input_size + 1);
  RunMenu(e, r, console);
  FUZZ_CHECK(Valid(e));
  FUZZ_CHECK(console.Ended() || console.last_key() == 'q');
}

}  // namespace
}  // namespace wellen

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace wellen;
  const std::uint8_t mode = size > 0 ? data[0] : 0;
  const std::string_view rest =
      size > 0 ? std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1) : "";
  const std::size_t chunk = kChunks[(mode >> 1) & 0x0F];
  const std::size_t padding = (mode & 0x80) != 0 ? kPadding[(mode >> 5) & 3] : 0;

  if ((mode & 1) == 0) {
    ScriptedConsole scripted(std::string(padding, '\n') + std::string(rest), chunk);
    Run(scripted, padding + rest.size());
  } else {
    const std::size_t split = rest.find('\0');
    const std::string_view keys = rest.substr(0, split);
    const std::string_view values =
        split == std::string_view::npos ? std::string_view() : rest.substr(split + 1);
    ScriptedConsole scripted(std::string(padding, '\n') + std::string(values), std::string(keys),
                             chunk);
    Run(scripted, padding + rest.size());
  }
  return 0;
}

// The console as the dialogue sees it: text out, single keys and numbers in.
//
// The menu loop, the dialogs, the display and the calculation run talk only
// to this interface. The program connects it to the terminal (or to a pipe);
// tests connect it to a script of keys and values and capture the output.
#pragma once

#include <string_view>

namespace wellen {

// Key code that ReadKey returns once input has ended.
inline constexpr int kEndOfInput = -1;

// Outcome of a value read.
enum class ReadStatus {
  kValue,       // a number was read and stored
  kNotANumber,  // the entry was no number: nothing stored, rest of line dropped
  kEnd,         // input has ended
};

class Console {
 public:
  virtual ~Console() = default;

  // Appends text to the output. Output is flushed before every read.
  virtual void Write(std::string_view text) = 0;

  // Reads one key without echo and without waiting for Enter. Returns the
  // key's code (0 to 255; a multi-code key gives one code per call), or
  // kEndOfInput. Text still pending from a value line is never a key.
  virtual int ReadKey() = 0;

  // Reads a real number (scanf "%lf" rules, decimal comma accepted).
  virtual ReadStatus ReadReal(double& value) = 0;

  // Reads a whole number (scanf "%d" rules, saturated to the int range).
  virtual ReadStatus ReadInt(int& value) = 0;

  // True once any read has met the end of input; the dialogue then stops.
  virtual bool Ended() const = 0;
};

}  // namespace wellen

// The console of a run: prompts, lines and the three kinds of answer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform.h"

namespace pluv {

// What a number answer gives when the input ends before the number.
enum class AtEndOfInput {
  kZero,  // the answer is 0, no failure
  kFail,  // EInOutError with code 100
};

class Console {
 public:
  explicit Console(Platform& platform);
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // Output. Every failure raises EInOutError. On a terminal every write is
  // shown at once; otherwise output is buffered until a prompt or Flush().
  void Write(std::string_view text);
  // Writes `text` and the line end CR LF.
  void WriteLine(std::string_view text);
  // Writes the line with one blank that separates the blocks of a dialogue.
  void WriteBlankLine();
  // Writes the prompt without a line end and shows it before the answer is read.
  void WritePrompt(std::string_view prompt);
  // Writes header bytes of a product as characters U+0000 to U+00FF in UTF-8.
  void WriteBytesAsLatin1(const unsigned char* bytes, std::size_t size);
  void Flush();

  // Answers. Each consumes the rest of its input line, line end included.
  // At most `max_length` bytes of the line, as typed; empty at end of input.
  std::string ReadShortAnswer(std::size_t max_length);
  // A whole number in the 32-bit signed range (decimal, or hexadecimal after
  // "$", "x" or "0x"); fails with code 106 for anything else.
  std::int32_t ReadNumberAnswer(AtEndOfInput at_end = AtEndOfInput::kZero);
  // The whole line without its line end.
  std::string ReadLineAnswer();
  // True when standard input has ended (waits for input if none is there yet).
  bool InputEnded();

 private:
  static constexpr std::size_t kBufferSize = 64 * 1024;
  static constexpr int kEnd = -1;

  int Peek();  // the next input byte, or kEnd
  int Get();   // Peek() and consume it
  bool AtLineEnd();  // at LF, or at CR directly before LF
  void SkipRestOfLine();
  void WriteRaw(const char* data, std::size_t size);

  Platform& platform_;
  bool terminal_;
  std::string out_;
  char in_[kBufferSize];
  std::size_t in_pos_ = 0, in_len_ = 0;
  bool in_ended_ = false;
};

// Converts the text of a number answer; false if it is no number in range.
bool ParseNumberAnswer(std::string_view text, std::int32_t* value);

}  // namespace pluv

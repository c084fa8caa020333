#include "console.h"

#include <cstring>
#include <limits>

#include "failure.h"

namespace pluv {

namespace {

constexpr std::size_t kMaxNumberLength = 32;

bool IsBlank(int c) { return c <= 32; }  // blanks, tabs, line ends, controls

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool ParseNumberAnswer(std::string_view text, std::int32_t* value) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    hex = true;
    i += 1;
  } else if (i + 1 < text.size() && text[i] == '0' &&
             (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == text.size()) return false;  // no digits

  if (hex) {
    // At most eight hex digits; the 32-bit pattern is taken as signed.
    if (text.size() - i > 8) return false;
    std::uint32_t pattern = 0;
    for (; i < text.size(); ++i) {
      int d = HexDigit(text[i]);
      if (d < 0) return false;
      pattern = pattern << 4 | static_cast<std::uint32_t>(d);
    }
    if (negative) pattern = 0u - pattern;
    *value = static_cast<std::int32_t>(pattern);
    return true;
  }

  // Decimal, in the 32-bit signed range; leading zeros do not mean octal.
  const std::int64_t limit =
      negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
               : std::numeric_limits<std::int32_t>::max();
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > limit) return false;
  }
  *value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  return true;
}

Console::Console(Platform& platform)
    : platform_(platform), terminal_(platform.OutputIsTerminal()) {
  out_.reserve(kBufferSize + 256);
}

void Console::WriteRaw(const char* data, std::size_t size) {
  out_.append(data, size);
  if (terminal_ || out_.size() >= kBufferSize) Flush();
}

void Console::Write(std::string_view text) { WriteRaw(text.data(), text.size()); }

void Console::WriteLine(std::string_view text) {
  out_.append(text);
  WriteRaw("\r\n", 2);
}

void Console::WriteBlankLine() { WriteRaw(" \r\n", 3); }

void Console::WritePrompt(std::string_view prompt) {
  out_.append(prompt);
  Flush();
}

void Console::WriteBytesAsLatin1(const unsigned char* bytes, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    unsigned char b = bytes[i];
    if (b < 0x80) {
      out_.push_back(static_cast<char>(b));
    } else {
      out_.push_back(static_cast<char>(0xC0 | b >> 6));
      out_.push_back(static_cast<char>(0x80 | (b & 0x3F)));
    }
    if (out_.size() >= kBufferSize) Flush();
  }
  if (terminal_) Flush();
}

void Console::Flush() {
  if (out_.empty()) return;
  IoCode code = platform_.WriteOutput(out_.data(), out_.size());
  out_.clear();
  if (code != 0) throw EInOutError(code);
}

int Console::Peek() {
  if (in_pos_ < in_len_) return static_cast<unsigned char>(in_[in_pos_]);
  if (in_ended_) return kEnd;
  std::size_t got = 0;
  IoCode code = platform_.ReadInput(in_, kBufferSize, &got);
  if (code != 0) throw EInOutError(code);
  in_pos_ = 0;
  in_len_ = got;
  if (got == 0) {
    in_ended_ = true;
    return kEnd;
  }
  return static_cast<unsigned char>(in_[0]);
}

int Console::Get() {
  int c = Peek();
  if (c != kEnd) ++in_pos_;
  return c;
}

bool Console::AtLineEnd() {
  int c = Peek();
  if (c == '\n') return true;
  if (c != '\r') return false;
  if (in_pos_ + 1 >= in_len_) {
    // The byte after the CR decides; keep the CR and read on behind it.
    if (in_ended_) return false;
    in_[0] = '\r';
    in_pos_ = 0;
    in_len_ = 1;
    std::size_t got = 0;
    IoCode code = platform_.ReadInput(in_ + 1, kBufferSize - 1, &got);
    if (code != 0) throw EInOutError(code);
    if (got == 0) {
      in_ended_ = true;
      return false;
    }
    in_len_ += got;
  }
  return in_[in_pos_ + 1] == '\n';
}

void Console::SkipRestOfLine() {
  for (;;) {
    if (Peek() == kEnd) return;
    const char* start = in_ + in_pos_;
    const void* lf = std::memchr(start, '\n', in_len_ - in_pos_);
    if (lf != nullptr) {
      in_pos_ += static_cast<const char*>(lf) - start + 1;
      return;
    }
    in_pos_ = in_len_;
  }
}

bool Console::InputEnded() { return Peek() == kEnd; }

std::string Console::ReadShortAnswer(std::size_t max_length) {
  std::string answer;
  while (answer.size() < max_length && Peek() != kEnd && !AtLineEnd()) {
    answer.push_back(static_cast<char>(Get()));
  }
  SkipRestOfLine();
  return answer;
}

std::int32_t Console::ReadNumberAnswer(AtEndOfInput at_end) {
  int c;
  while ((c = Peek()) != kEnd && IsBlank(c)) Get();
  if (c == kEnd) {
    if (at_end == AtEndOfInput::kFail) throw EInOutError(kReadPastEnd);
    return 0;
  }
  std::string text;
  while (text.size() < kMaxNumberLength && (c = Peek()) != kEnd && !IsBlank(c)) {
    text.push_back(static_cast<char>(Get()));
  }
  SkipRestOfLine();
  std::int32_t value = 0;
  if (!ParseNumberAnswer(text, &value)) throw EInOutError(kInvalidNumber);
  return value;
}

std::string Console::ReadLineAnswer() {
  std::string answer;
  for (;;) {
    if (Peek() == kEnd) return answer;
    const char* start = in_ + in_pos_;
    std::size_t available = in_len_ - in_pos_;
    const void* lf = std::memchr(start, '\n', available);
    if (lf == nullptr) {
      answer.append(start, available);
      in_pos_ = in_len_;
      continue;
    }
    std::size_t length = static_cast<const char*>(lf) - start;
    answer.append(start, length);
    in_pos_ += length + 1;
    // A CR directly before the LF belongs to the line end.
    if (!answer.empty() && answer.back() == '\r') answer.pop_back();
    return answer;
  }
}

}  // namespace pluv

#include "common/console.h"

#include <gtest/gtest.h>

#include "common/failure.h"
#include "test_platform.h"

namespace pluv {
namespace {

// A number answer read from `input`; `code` is the failure code, 0 if none.
struct NumberCase {
  const char* input;
  std::int32_t value;
  int code;
};

void PrintTo(const NumberCase& c, std::ostream* os) { *os << testing::PrintToString(std::string(c.input)); }

class NumberAnswer : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberAnswer, ReadsWhatTheUserMeant) {
  const NumberCase& c = GetParam();
  // Byte by byte as well as at once: the answer must not depend on how the
  // console delivers the input.
  for (std::size_t chunk : {std::size_t{1}, std::size_t{1} << 20}) {
    TestPlatform platform(std::string(c.input) + "next\n", chunk);
    Console console(platform);
    if (c.code != 0) {
      try {
        console.ReadNumberAnswer();
        ADD_FAILURE() << "no failure for " << c.input;
      } catch (const EInOutError& e) {
        EXPECT_EQ(e.code(), c.code) << c.input;
      }
    } else {
      EXPECT_EQ(console.ReadNumberAnswer(), c.value) << c.input;
    }
    // The rest of the answer's line is gone.
    EXPECT_EQ(console.ReadLineAnswer(), "next") << c.input;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberAnswer,
    testing::Values(NumberCase{"42\n", 42, 0},
                    NumberCase{"   17\t \r\n", 17, 0},       // blanks around it
                    NumberCase{"\n\n \r\n  5\n", 5, 0},      // empty lines skipped
                    NumberCase{"12 34 words\n", 12, 0},      // the first of two numbers
                    NumberCase{"$10\n", 16, 0},
                    NumberCase{"x1F\n", 31, 0},
                    NumberCase{"0x1f\n", 31, 0},
                    NumberCase{"-$10\n", -16, 0},
                    NumberCase{"$FFFFFFFF\n", -1, 0},         // the 32-bit pattern, signed
                    NumberCase{"$80000000\n", -2147483647 - 1, 0},
                    NumberCase{"-7\n", -7, 0},
                    NumberCase{"+8\n", 8, 0},
                    NumberCase{"09\n", 9, 0},                 // no octal
                    NumberCase{"2147483647\n", 2147483647, 0},
                    NumberCase{"-2147483648\n", -2147483647 - 1, 0},
                    NumberCase{"2147483648\n", 0, kInvalidNumber},
                    NumberCase{"-2147483649\n", 0, kInvalidNumber},
                    NumberCase{"$100000000\n", 0, kInvalidNumber},
                    NumberCase{"$000000010\n", 0, kInvalidNumber},  // nine hex digits
                    NumberCase{"$00000010\n", 16, 0},
                    NumberCase{"12abc\n", 0, kInvalidNumber},
                    NumberCase{"abc\n", 0, kInvalidNumber},
                    NumberCase{"1.5\n", 0, kInvalidNumber},
                    NumberCase{"$\n", 0, kInvalidNumber},
                    NumberCase{"0x\n", 0, kInvalidNumber},
                    NumberCase{"-\n", 0, kInvalidNumber},
                    NumberCase{"\xc3\xa4\n", 0, kInvalidNumber},  // ä
                    // 33 characters: the first 32 are the number, the rest is dropped.
                    NumberCase{"000000000000000000000000000000001\n", 0, 0}));

TEST(NumberAnswerAtEnd, IsZeroOrFailsAsAsked) {
  for (const char* input : {"", "  \n\n ", "\r\n"}) {
    TestPlatform zero(input);
    Console console_zero(zero);
    EXPECT_EQ(console_zero.ReadNumberAnswer(), 0);
    EXPECT_EQ(console_zero.ReadNumberAnswer(), 0);

    TestPlatform fail(input);
    Console console_fail(fail);
    try {
      console_fail.ReadNumberAnswer(AtEndOfInput::kFail);
      ADD_FAILURE() << "no failure at end of input";
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.code(), kReadPastEnd);
      EXPECT_EQ(e.message(), "Versuch hinter dem Dateiende zu lesen");
    }
  }
  // A number that the input ends in is still a number.
  TestPlatform platform("  77");
  Console console(platform);
  EXPECT_EQ(console.ReadNumberAnswer(AtEndOfInput::kFail), 77);
}

TEST(ShortAnswer, TakesAtMostItsLengthAndDropsTheRestOfTheLine) {
  struct Case {
    const char* input;
    std::vector<std::string> answers;  // three reads of at most 2 bytes
  };
  const Case cases[] = {
      {"1605\n09\n1\n", {"16", "09", "1"}},
      {" 9\n\nab", {" 9", "", "ab"}},
      {"7\r\n12\r\n\r\n", {"7", "12", ""}},
      {"4\r5\n", {"4\r", "", ""}},  // a CR not before a LF is a character
      {"", {"", "", ""}},
  };
  for (const Case& c : cases) {
    for (std::size_t chunk : {std::size_t{1}, std::size_t{2}, std::size_t{1} << 20}) {
      TestPlatform platform(c.input, chunk);
      Console console(platform);
      for (const std::string& expected : c.answers) {
        EXPECT_EQ(console.ReadShortAnswer(2), expected) << c.input << " chunk " << chunk;
      }
      EXPECT_TRUE(console.InputEnded());
    }
  }
}

TEST(LineAnswer, TakesTheWholeLineWithoutItsEnd) {
  const std::string long_line(3 << 20, 'p');
  TestPlatform platform("d:\\rw-format\\\r\n  with blanks  \n\n" + long_line + "\nlast", 7);
  Console console(platform);
  EXPECT_EQ(console.ReadLineAnswer(), "d:\\rw-format\\");
  EXPECT_EQ(console.ReadLineAnswer(), "  with blanks  ");
  EXPECT_EQ(console.ReadLineAnswer(), "");
  EXPECT_EQ(console.ReadLineAnswer(), long_line);
  EXPECT_EQ(console.ReadLineAnswer(), "last");
  EXPECT_EQ(console.ReadLineAnswer(), "");
}

TEST(ConsoleInput, ReadFailureIsAnInOutError) {
  TestPlatform platform("");
  platform.input_error = 5;
  Console console(platform);
  try {
    console.ReadLineAnswer();
    ADD_FAILURE() << "no failure";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.code(), 5);
  }
}

TEST(ConsoleOutput, RedirectedOutputIsBufferedButPromptsShowAtOnce) {
  TestPlatform platform;
  Console console(platform);
  console.WriteLine("Betrachteter Zeitraum:");
  console.WriteBlankLine();
  EXPECT_EQ(platform.writes(), 0);
  console.WritePrompt("Jahr (JJJJ): ");
  EXPECT_EQ(platform.output(), "Betrachteter Zeitraum:\r\n \r\nJahr (JJJJ): ");
  EXPECT_EQ(platform.writes(), 1);
}

TEST(ConsoleOutput, TerminalShowsEveryWriteAtOnce) {
  TestPlatform platform;
  platform.terminal = true;
  Console console(platform);
  console.WriteLine("a");
  console.Write("b");
  const unsigned char header[] = {'R', 'W', 3};
  console.WriteBytesAsLatin1(header, sizeof header);
  EXPECT_EQ(platform.output(), "a\r\nbRW\x03");
  EXPECT_EQ(platform.writes(), 3);
}

TEST(ConsoleOutput, HeaderBytesShowAsLatin1InUtf8) {
  TestPlatform platform;
  Console console(platform);
  const unsigned char bytes[] = {0x00, 'A', 0x7F, 0x80, 0xC4, 0xFC, 0xFF};
  console.WriteBytesAsLatin1(bytes, sizeof bytes);
  console.Flush();
  EXPECT_EQ(platform.output(), std::string("\0A\x7f\xc2\x80\xc3\x84\xc3\xbc\xc3\xbf", 11));
}

TEST(ConsoleOutput, WriteFailureIsAnInOutError) {
  TestPlatform platform;
  platform.output_error = 32;
  Console console(platform);
  try {
    console.WritePrompt("Jahr (JJJJ): ");
    ADD_FAILURE() << "no failure";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.message(), "E/A-Fehler 32");
  }
}

}  // namespace
}  // namespace pluv

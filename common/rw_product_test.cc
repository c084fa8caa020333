#include "common/rw_product.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rwgen.h"
#include "test_platform.h"

namespace pluv {
namespace {

// What reading one product gives: the echo, the cell words handed over,
// and the failure code (0 if none).
struct Outcome {
  std::string echo;
  std::vector<std::uint16_t> words;
  int code = 0;
};

Outcome ReadProduct(const std::string& path, bool echo = true) {
  TestPlatform platform;
  Console console(platform);
  RwReader reader(platform);
  Outcome outcome;
  try {
    reader.OpenRwProduct(path);
    reader.SkipRwHeader(echo ? &console : nullptr);
    reader.ReadRwCells([&](const RwCells& cells) {
      // Runs of cells follow each other without gap.
      EXPECT_EQ(std::size_t(cells.first), outcome.words.size());
      EXPECT_GT(cells.count, 0);
      for (int k = 0; k < cells.count; ++k) outcome.words.push_back(CellWordAt(cells.bytes, k));
    });
    reader.CloseRwProduct();
  } catch (const EInOutError& e) {
    outcome.code = e.code();
  }
  console.Flush();
  outcome.echo = platform.output();
  return outcome;
}

TEST(RwReader, ZeroProductGivesZeroCells) {
  TempDir dir;
  rwgen::WriteFile(dir / "p", rwgen::Product("AB\x03", rwgen::Zero));
  Outcome outcome = ReadProduct(dir / "p");
  EXPECT_EQ(outcome.code, 0);
  EXPECT_EQ(outcome.echo, "AB\x03");
  ASSERT_EQ(outcome.words.size(), std::size_t{kCells});
  for (std::uint16_t word : outcome.words) ASSERT_EQ(word, 0);
}

TEST(RwReader, CellsComeRowByRowFromTheSouth) {
  TempDir dir;
  const std::string header = rwgen::Header("1606011250");
  rwgen::WriteFile(dir / "p", rwgen::Product(header, rwgen::Ramp) + "trailing bytes");
  Outcome outcome = ReadProduct(dir / "p");
  EXPECT_EQ(outcome.code, 0);
  EXPECT_EQ(outcome.echo, header);
  ASSERT_EQ(outcome.words.size(), std::size_t{kCells});
  EXPECT_EQ(outcome.words[2], rwgen::Ramp(3, 1));  // the third word: column 3, row 1
  EXPECT_EQ(outcome.words[900], rwgen::Ramp(1, 2));
  EXPECT_EQ(outcome.words[kCells - 1], rwgen::Ramp(900, 900));
  EXPECT_EQ(outcome.words[CellIndex(417, 233)], rwgen::Ramp(417, 233));
}

TEST(RwReader, HeaderOfOddLengthPutsCellWordsAcrossReads) {
  TempDir dir;
  rwgen::WriteFile(dir / "p", rwgen::Product("RW\x03", rwgen::Ramp));
  Outcome outcome = ReadProduct(dir / "p");
  EXPECT_EQ(outcome.code, 0);
  ASSERT_EQ(outcome.words.size(), std::size_t{kCells});
  for (int k = 0; k < kCells; ++k) {
    ASSERT_EQ(outcome.words[k], rwgen::Ramp(k % kGridSize + 1, k / kGridSize + 1)) << k;
  }
}

TEST(RwReader, ShortProductsFailWhereAByteWiseReadWould) {
  const std::string header = rwgen::Header("1606011250");
  const std::string whole = rwgen::Product(header, rwgen::Ramp);
  struct Case {
    std::size_t size;
    int cells;  // complete cells handed over before the failure
  };
  const Case cases[] = {
      {0, 0},                                   // empty file
      {header.size() - 1, 0},                   // the header without its byte 3
      {header.size(), 0},                       // only the header
      {header.size() + 1, 0},                   // one byte of the first cell
      {header.size() + 1800, 900},              // between two cell words
      {header.size() + kCellBytes - 1, kCells - 1},  // one byte short
  };
  TempDir dir;
  for (const Case& c : cases) {
    rwgen::WriteFile(dir / "p", rwgen::Truncated(whole, c.size));
    Outcome outcome = ReadProduct(dir / "p");
    EXPECT_EQ(outcome.code, kReadPastEnd) << c.size;
    EXPECT_EQ(outcome.words.size(), std::size_t(c.cells)) << c.size;
    if (c.cells > 0) {
      const int k = c.cells - 1;
      EXPECT_EQ(outcome.words.back(), rwgen::Ramp(k % kGridSize + 1, k / kGridSize + 1));
    }
    // Whatever header there is was echoed, up to its byte 3.
    EXPECT_EQ(outcome.echo, header.substr(0, c.size)) << c.size;
  }
}

TEST(RwReader, ProductWithoutByte3IsEchoedWholeThenFails) {
  TempDir dir;
  // Longer than the reader's buffer, so that it takes several reads.
  const std::string bytes = rwgen::WithoutHeaderEnd(3'500'000);
  rwgen::WriteFile(dir / "p", bytes);
  Outcome outcome = ReadProduct(dir / "p");
  EXPECT_EQ(outcome.code, kReadPastEnd);
  EXPECT_TRUE(outcome.words.empty());
  EXPECT_EQ(outcome.echo, bytes);
}

TEST(RwReader, LongHeaderAndByte3InsideTheHeader) {
  TempDir dir;
  // A header of 2 MB: the cells start far behind the first read.
  const std::string long_header = rwgen::WithoutHeaderEnd(2'000'000) + "\x03";
  rwgen::WriteFile(dir / "long", rwgen::Product(long_header, rwgen::Ramp));
  Outcome outcome = ReadProduct(dir / "long", /*echo=*/false);
  EXPECT_EQ(outcome.code, 0);
  ASSERT_EQ(outcome.words.size(), std::size_t{kCells});
  EXPECT_EQ(outcome.words[kCells - 1], rwgen::Ramp(900, 900));

  // A byte 3 early in the header ends it there; the cells are read shifted.
  const std::string early = "RW\x03" "1606011250" "\x03";
  rwgen::WriteFile(dir / "early", rwgen::Product(early, rwgen::Zero));
  outcome = ReadProduct(dir / "early");
  EXPECT_EQ(outcome.code, 0);
  EXPECT_EQ(outcome.echo, "RW\x03");
  EXPECT_EQ(outcome.words[0], CellWord('1', '6'));
}

TEST(RwReader, HeaderBytesAbove127AreEchoedAsLatin1) {
  TempDir dir;
  const std::string header = rwgen::HeaderWithHighBytes("1606011250");
  rwgen::WriteFile(dir / "p", rwgen::Product(header, rwgen::Zero));
  Outcome outcome = ReadProduct(dir / "p");
  EXPECT_EQ(outcome.code, 0);
  std::string expected;
  for (unsigned char b : header) {
    if (b < 0x80) {
      expected.push_back(static_cast<char>(b));
    } else {
      expected.push_back(static_cast<char>(0xC0 | b >> 6));
      expected.push_back(static_cast<char>(0x80 | (b & 0x3F)));
    }
  }
  EXPECT_EQ(outcome.echo, expected);
}

TEST(RwReader, OneReaderServesProductAfterProduct) {
  TempDir dir;
  rwgen::WriteFile(dir / "a", rwgen::Product(rwgen::Header("1606010050"), rwgen::Ramp));
  rwgen::WriteFile(dir / "b", rwgen::Product("X\x03", rwgen::Zero));
  TestPlatform platform;
  RwReader reader(platform);
  for (const char* name : {"a", "b", "a"}) {
    reader.OpenRwProduct(dir / name);
    reader.SkipRwHeader(nullptr);
    std::uint16_t last = 1;
    reader.ReadRwCells([&](const RwCells& cells) {
      if (cells.first + cells.count == kCells) last = CellWordAt(cells.bytes, cells.count - 1);
    });
    reader.CloseRwProduct();
    EXPECT_EQ(last, name[0] == 'a' ? rwgen::Ramp(900, 900) : 0) << name;
  }
}

TEST(RwReader, OpenFailures) {
  TempDir dir;
  TestPlatform platform;
  RwReader reader(platform);
  try {
    reader.OpenRwProduct(dir / "missing");
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.code(), kFileNotFound);
    EXPECT_EQ(e.message(), "Die angegebene Datei wurde nicht gefunden");
  }
  const std::string long_name = dir / std::string(260, 'n');
  try {
    reader.OpenRwProduct(long_name);
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.message(), "Ungültiger Dateiname - " + long_name);
  }
}

}  // namespace
}  // namespace pluv

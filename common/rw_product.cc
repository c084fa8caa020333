#include "rw_product.h"

#include <algorithm>
#include <cstring>

#include "output_file.h"

namespace pluv {

namespace {

// The header is scanned in blocks of at least this size; the first read
// takes a whole product at once.
constexpr std::size_t kHeaderBlock = 64 * 1024;

}  // namespace

RwReader::RwReader(Platform& platform)
    : platform_(platform), buffer_(kCellBytes + kHeaderBlock) {}

RwReader::~RwReader() {
  if (file_ != kNoFile) platform_.CloseFile(file_);
}

void RwReader::OpenRwProduct(const std::string& name) {
  CheckFileName(name);
  if (file_ != kNoFile) {
    platform_.CloseFile(file_);
    file_ = kNoFile;
  }
  IoCode code = platform_.OpenForReading(name, &file_);
  if (code != 0) throw EInOutError(code, name);
  name_ = name;
  cells_start_ = filled_ = 0;
}

std::size_t RwReader::Read(std::uint8_t* into, std::size_t size) {
  std::size_t got = 0;
  IoCode code = platform_.ReadFile(file_, into, size, &got);
  if (code != 0) throw EInOutError(code, name_);
  return got;
}

void RwReader::SkipRwHeader(Console* echo) {
  std::uint8_t* data = buffer_.data();
  for (;;) {
    std::size_t got = Read(data, buffer_.size());
    const void* end = std::memchr(data, kHeaderEnd, got);
    std::size_t header = end != nullptr ? static_cast<const std::uint8_t*>(end) - data + 1 : got;
    if (echo != nullptr) echo->WriteBytesAsLatin1(data, header);
    if (end != nullptr) {
      cells_start_ = header;
      filled_ = got;
      return;
    }
    // The whole product was header: the next byte read is past its end.
    if (got < buffer_.size()) throw EInOutError(kReadPastEnd);
  }
}

RwCells RwReader::LoadCells() {
  std::size_t have = filled_ - cells_start_;
  if (have < kCellBytes) {
    if (cells_start_ + kCellBytes > buffer_.size()) {
      // A long header left too little room behind it: move the cells to the front.
      std::memmove(buffer_.data(), buffer_.data() + cells_start_, have);
      cells_start_ = 0;
      filled_ = have;
    }
    filled_ += Read(buffer_.data() + filled_, cells_start_ + kCellBytes - filled_);
    have = filled_ - cells_start_;
  }
  return RwCells{buffer_.data() + cells_start_,
                 static_cast<int>(std::min(have, kCellBytes) / 2)};
}

void RwReader::CloseRwProduct() {
  FileHandle file = file_;
  file_ = kNoFile;
  IoCode code = platform_.CloseFile(file);
  if (code != 0) throw EInOutError(code, name_);
}

}  // namespace pluv

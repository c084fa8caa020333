#include "rw_product.h"

#include <algorithm>
#include <cstring>

namespace pluv {

namespace {

// The size of a read: large enough for few requests, small enough for the
// caches (on the machines we measured, 64 KiB reads beat whole-file reads).
constexpr std::size_t kBlock = 64 * 1024;

}  // namespace

RwReader::RwReader(Platform& platform) : platform_(platform), buffer_(kBlock) {}

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
  start_ = filled_ = 0;
  cells_read_ = 0;
}

bool RwReader::ReadMore() {
  std::size_t got = 0;
  IoCode code = platform_.ReadFile(file_, buffer_.data() + filled_, buffer_.size() - filled_, &got);
  if (code != 0) throw EInOutError(code, name_);
  filled_ += got;
  return got > 0;
}

void RwReader::SkipRwHeader(Console* echo) {
  // The header is scanned as it arrives; a header of any length passes
  // through the buffer block by block.
  for (;;) {
    if (start_ == filled_) {
      start_ = filled_ = 0;
      if (!ReadMore()) throw EInOutError(kReadPastEnd);  // no byte 3
    }
    const std::uint8_t* data = buffer_.data();
    const void* end = std::memchr(data + start_, kHeaderEnd, filled_ - start_);
    const std::size_t stop =
        end != nullptr ? static_cast<const std::uint8_t*>(end) - data + 1 : filled_;
    if (echo != nullptr) echo->WriteBytesAsLatin1(data + start_, stop - start_);
    start_ = stop;
    if (end != nullptr) return;
  }
}

bool RwReader::NextCells(RwCells* cells) {
  if (cells_read_ == kCells) return false;
  if (filled_ - start_ < 2) {
    // Keep the odd byte of a cell word that a read cut in two.
    const std::size_t rest = filled_ - start_;
    if (rest == 1) buffer_[0] = buffer_[start_];
    start_ = 0;
    filled_ = rest;
    while (filled_ < 2) {
      if (!ReadMore()) return false;
    }
  }
  const int count = std::min(static_cast<int>((filled_ - start_) / 2), kCells - cells_read_);
  *cells = RwCells{buffer_.data() + start_, cells_read_, count};
  start_ += 2 * static_cast<std::size_t>(count);
  cells_read_ += count;
  return true;
}

void RwReader::CloseRwProduct() {
  FileHandle file = file_;
  file_ = kNoFile;
  IoCode code = platform_.CloseFile(file);
  if (code != 0) throw EInOutError(code, name_);
}

}  // namespace pluv

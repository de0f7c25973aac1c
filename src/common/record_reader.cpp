#include "common/record_reader.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "platform/cp932.h"
#include "platform/error.h"
#include "platform/file_system.h"

namespace qe2m4 {
namespace {

// Comma, quote, CR and LF never occur as the second byte of a CP932 character, so fields can
// be cut on the bytes and decoded afterwards.
bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

bool IsFieldEnd(char c) {
  return c == ',' || IsLineEnd(c);
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

RecordReader::RecordReader(const platform::FileSystem& file_system, std::size_t block_size)
    : file_system_(file_system), block_size_(std::max<std::size_t>(block_size, 1)) {}

int RecordReader::OpenRecordFile(std::u16string_view path) {
  Close();
  // Only a missing file is missing: a file that is there but cannot be read (or is not an
  // ordinary file) is an error that names it, never data that silently are not there.
  if (file_system_.Missing(path)) {
    return 1;
  }
  try {
    input_.emplace(file_system_.OpenInput(path));
    if (Available(1) == 0) {
      Close();
      return 1;
    }
  } catch (...) {
    Close();
    throw;
  }
  open_ = true;
  return 0;
}

void RecordReader::Close() {
  open_ = false;
  input_.reset();
  if (buffer_.size() > block_size_) {
    buffer_ = std::string();  // a long field made it grow; give the memory back
  }
  buffer_start_ = 0;
  next_ = 0;
  end_ = 0;
  at_end_ = false;
}

bool RecordReader::Fill() {
  if (!input_ || at_end_) {
    return false;
  }
  if (next_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + next_, end_ - next_);
    buffer_start_ += static_cast<std::int64_t>(next_);
    end_ -= next_;
    next_ = 0;
  }
  if (buffer_.size() < block_size_) {
    buffer_.resize(block_size_);
  } else if (end_ == buffer_.size()) {
    buffer_.resize(buffer_.size() * 2);  // one field fills the block
  }
  const std::size_t wanted = buffer_.size() - end_;
  const std::size_t n = input_->Read(buffer_.data() + end_, wanted);
  end_ += n;
  at_end_ = n < wanted;
  return n > 0;
}

std::size_t RecordReader::Available(std::size_t n) {
  while (end_ - next_ < n && Fill()) {
  }
  return end_ - next_;
}

template <typename Skip>
void RecordReader::SkipWhile(Skip skip) {
  do {
    const char* const data = buffer_.data();
    const std::size_t end = end_;
    std::size_t i = next_;
    while (i < end && skip(data[i])) {
      ++i;
    }
    next_ = i;
  } while (next_ == end_ && Fill());
}

template <typename Stop>
std::size_t RecordReader::LengthUntil(Stop stop) {
  std::size_t length = 0;
  do {
    const char* const data = buffer_.data();
    const std::size_t end = end_;
    std::size_t i = next_ + length;
    while (i < end && !stop(data[i])) {
      ++i;
    }
    length = i - next_;
  } while (next_ + length == end_ && Fill());
  return length;
}

void RecordReader::Take(std::size_t length, std::u16string& text) {
  platform::DecodeCp932(std::string_view(buffer_).substr(next_, length), text);
  next_ += length;
}

void RecordReader::SkipLineEnd() {
  if (Available(2) == 0) {
    return;
  }
  if (buffer_[next_] == '\r') {
    ++next_;
    if (next_ < end_ && buffer_[next_] == '\n') {
      ++next_;
    }
  } else if (buffer_[next_] == '\n') {
    ++next_;
  }
}

bool RecordReader::ReadField(std::u16string& field) {
  SkipWhile(IsBlank);
  if (Available(1) == 0) {
    return false;
  }
  if (buffer_[next_] == '"') {
    ++next_;
    Take(LengthUntil([](char c) { return c == '"'; }), field);
    if (Available(1) > 0) {
      ++next_;  // the closing quote
    }
    SkipWhile([](char c) { return !IsFieldEnd(c); });
  } else {
    Take(LengthUntil(IsFieldEnd), field);
  }
  if (Available(1) > 0 && buffer_[next_] == ',') {
    ++next_;
  } else {
    SkipLineEnd();
  }
  return true;
}

void RecordReader::ReadRecord(int count, int slot) {
  if (count < 1 || count > kMaxFields) {
    throw std::invalid_argument("ReadRecord: field count out of range");
  }
  if (!HasData()) {
    record_pos_.at(slot) = kEndOfData;
    return;
  }
  record_pos_.at(slot) = buffer_start_ + static_cast<std::int64_t>(next_) + 1;
  for (int k = 1; k <= count; ++k) {
    if (!ReadField(record_field_[k])) {
      break;
    }
  }
}

std::u16string RecordReader::ReadLine() {
  std::u16string line;
  if (!open_) {
    return line;
  }
  Take(LengthUntil(IsLineEnd), line);
  SkipLineEnd();
  return line;
}

}  // namespace qe2m4

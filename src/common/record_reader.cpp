#include "common/record_reader.h"

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

}  // namespace

RecordReader::RecordReader(const platform::FileSystem& file_system) : file_system_(file_system) {}

int RecordReader::OpenRecordFile(std::u16string_view path) {
  Close();
  // Only a missing file is missing: a file that is there but cannot be read (or is not an
  // ordinary file) is an error that names it, never data that silently are not there.
  if (file_system_.Missing(path)) {
    return 1;
  }
  std::string content = file_system_.ReadAll(path);
  if (content.empty()) {
    return 1;
  }
  input_ = std::move(content);
  open_ = true;
  return 0;
}

void RecordReader::Close() {
  open_ = false;
  input_.clear();
  next_ = 0;
}

bool RecordReader::HasData() const {
  return open_ && next_ + 1 < input_.size();
}

void RecordReader::SkipLineEnd() {
  if (next_ < input_.size() && input_[next_] == '\r') {
    ++next_;
    if (next_ < input_.size() && input_[next_] == '\n') {
      ++next_;
    }
  } else if (next_ < input_.size() && input_[next_] == '\n') {
    ++next_;
  }
}

bool RecordReader::ReadField(std::u16string& field) {
  while (next_ < input_.size() && (input_[next_] == ' ' || input_[next_] == '\t')) {
    ++next_;
  }
  if (next_ >= input_.size()) {
    return false;
  }
  std::size_t end = 0;
  if (input_[next_] == '"') {
    const std::size_t start = next_ + 1;
    end = input_.find('"', start);
    if (end == std::string::npos) {
      end = input_.size();
    }
    field = platform::DecodeCp932(std::string_view(input_).substr(start, end - start));
    next_ = end < input_.size() ? end + 1 : end;
    while (next_ < input_.size() && input_[next_] != ',' && !IsLineEnd(input_[next_])) {
      ++next_;
    }
  } else {
    end = next_;
    while (end < input_.size() && input_[end] != ',' && !IsLineEnd(input_[end])) {
      ++end;
    }
    field = platform::DecodeCp932(std::string_view(input_).substr(next_, end - next_));
    next_ = end;
  }
  if (next_ < input_.size() && input_[next_] == ',') {
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
  record_pos_.at(slot) = static_cast<std::int64_t>(next_) + 1;
  for (int k = 1; k <= count; ++k) {
    if (!ReadField(record_field_[k])) {
      break;
    }
  }
}

std::u16string RecordReader::ReadLine() {
  if (!open_) {
    return {};
  }
  std::size_t end = next_;
  while (end < input_.size() && !IsLineEnd(input_[end])) {
    ++end;
  }
  std::u16string line = platform::DecodeCp932(std::string_view(input_).substr(next_, end - next_));
  next_ = end;
  SkipLineEnd();
  return line;
}

}  // namespace qe2m4

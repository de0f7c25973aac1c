#include "common/record_reader.h"

#include <algorithm>
#include <array>
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

// The bytes that end a field, as a table: cutting looks at every byte of the file.
constexpr auto kFieldEnds = [] {
  std::array<bool, 256> ends{};
  ends[static_cast<unsigned char>(',')] = true;
  ends[static_cast<unsigned char>('\r')] = true;
  ends[static_cast<unsigned char>('\n')] = true;
  return ends;
}();

bool IsFieldEnd(char c) {
  return kFieldEnds[static_cast<unsigned char>(c)];
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Decodes a field's bytes into text, each line end inside a quoted field becoming one blank.
void DecodeFieldText(std::string_view bytes, bool quoted, std::u16string& text) {
  platform::DecodeCp932(bytes, text);
  if (!quoted || (std::memchr(bytes.data(), '\r', bytes.size()) == nullptr &&
                  std::memchr(bytes.data(), '\n', bytes.size()) == nullptr)) {
    return;
  }
  std::size_t kept = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
        ++i;
      }
      c = u' ';
    }
    text[kept++] = c;
  }
  text.resize(kept);
}

}  // namespace

RecordReader::RecordReader(const platform::FileSystem& file_system, std::size_t block_size)
    : file_system_(file_system), block_size_(std::max<std::size_t>(block_size, 1)) {
  // Fields no record has reached are empty texts.
  decoded_.fill(true);
}

int RecordReader::OpenRecordFile(std::u16string_view path, platform::LastLevelLink link) {
  return Open(path, link);
}

int RecordReader::OpenRecordFile(const platform::DrivePath& path, platform::LastLevelLink link) {
  return Open(path, link);
}

template <typename Path>
int RecordReader::Open(const Path& path, platform::LastLevelLink link) {
  Close();
  // Only a missing file is missing: a file that is there but cannot be read (or is not an
  // ordinary file) is an error that names it, never data that silently are not there.
  if (file_system_.Missing(path)) {
    return 1;
  }
  try {
    input_.emplace(file_system_.OpenInput(path, link));
    // A file smaller than a block is read into a buffer of its size: most of a boring's files
    // are a few hundred bytes, and a whole block would be cleared for each of them.
    const std::optional<std::uintmax_t> size = input_->size();
    constexpr std::uintmax_t kSmallest = 256;
    block_ = size ? static_cast<std::size_t>(
                        std::min<std::uintmax_t>(block_size_, std::max(*size + 1, kSmallest)))
                  : block_size_;
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

int RecordReader::OpenBytes(std::string bytes) {
  Close();
  if (bytes.empty()) {
    return 1;
  }
  // The bytes are the buffer, with the line end the cutter's scans stop at; there is nothing
  // more to read.
  end_ = bytes.size();
  block_ = end_;
  buffer_ = std::move(bytes);
  buffer_.push_back('\n');
  at_end_ = true;
  open_ = true;
  return 0;
}

void RecordReader::Close() {
  DecodePendingFields();  // the texts of the last record outlive the file
  open_ = false;
  input_.reset();
  if (buffer_.size() > block_size_ + 1) {
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
  // Bytes before the next unread one are dropped, except those of fields still to be decoded.
  std::size_t drop = next_;
  if (kept_from_ >= 0) {
    drop = std::min(drop, static_cast<std::size_t>(kept_from_ - buffer_start_));
  }
  if (drop > 0) {
    std::memmove(buffer_.data(), buffer_.data() + drop, end_ - drop);
    buffer_start_ += static_cast<std::int64_t>(drop);
    end_ -= drop;
    next_ -= drop;
  }
  // One byte past the bytes read stays free for a line end that stops the cutter's scans, so
  // that they need not test for the buffer's end at every byte.
  if (buffer_.size() < block_ + 1) {
    buffer_.resize(block_ + 1);
  } else if (end_ + 1 == buffer_.size()) {
    buffer_.resize(buffer_.size() * 2);  // one field fills the block
  }
  const std::size_t wanted = buffer_.size() - end_ - 1;
  const std::size_t n = input_->Read(buffer_.data() + end_, wanted);
  end_ += n;
  buffer_[end_] = '\n';
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

inline bool RecordReader::CutFieldAt(const char* const begin, const char* const end,
                                     const std::int64_t base, const char*& p, FieldBytes& field) {
  // The line end Fill keeps after the buffer's bytes stops both scans at the end.
  const char* q = p;
  while (IsBlank(*q)) {
    ++q;
  }
  if (q == end) {
    return false;
  }
  const char* start = q;
  const char* stop = nullptr;
  const bool quoted = *q == '"';
  if (quoted) {
    ++start;
    stop = static_cast<const char*>(std::memchr(start, '"', static_cast<std::size_t>(end - start)));
    if (stop == nullptr) {
      return false;
    }
    q = stop + 1;  // whatever follows the closing quote up to the field's end is skipped
  }
  while (!IsFieldEnd(*q)) {
    ++q;
  }
  if (stop == nullptr) {
    stop = q;
  }
  if (q == end || (*q == '\r' && q + 1 == end)) {
    return false;
  }
  field = {base + (start - begin), static_cast<std::size_t>(stop - start), quoted};
  if (*q == '\r' && q[1] == '\n') {
    ++q;
  }
  p = q + 1;
  return true;
}

bool RecordReader::CutBufferedField(FieldBytes& field) {
  const char* const begin = buffer_.data();
  const char* p = begin + next_;
  if (!CutFieldAt(begin, begin + end_, buffer_start_, p, field)) {
    return false;
  }
  next_ = static_cast<std::size_t>(p - begin);
  return true;
}

int RecordReader::CutBufferedFields(int first, int count) {
  // The buffer's bounds in locals: the stores of the fields' places cannot change them.
  const char* const begin = buffer_.data();
  const char* const end = begin + end_;
  const std::int64_t base = buffer_start_;
  const char* p = begin + next_;
  int k = first;
  for (; k <= count && CutFieldAt(begin, end, base, p, field_bytes_[k]); ++k) {
    decoded_[k] = false;
  }
  next_ = static_cast<std::size_t>(p - begin);
  return k;
}

bool RecordReader::CutFieldReadingOn(FieldBytes& field) {
  SkipWhile(IsBlank);
  if (Available(1) == 0) {
    return false;
  }
  if (buffer_[next_] == '"') {
    ++next_;
    const std::size_t length = LengthUntil([](char c) { return c == '"'; });
    field = {buffer_start_ + static_cast<std::int64_t>(next_), length, true};
    next_ += length;
    if (Available(1) > 0) {
      ++next_;  // the closing quote
    }
    SkipWhile([](char c) { return !IsFieldEnd(c); });
  } else {
    const std::size_t length = LengthUntil(IsFieldEnd);
    field = {buffer_start_ + static_cast<std::int64_t>(next_), length, false};
    next_ += length;
  }
  if (Available(1) > 0 && buffer_[next_] == ',') {
    ++next_;
  } else {
    SkipLineEnd();
  }
  return true;
}

bool RecordReader::ReadItem(std::u16string& item) {
  if (!open_) {
    return false;
  }
  DecodePendingFields();
  FieldBytes field;
  if (!CutField(field)) {
    return false;
  }
  DecodeFieldText(std::string_view(buffer_).substr(
                      static_cast<std::size_t>(field.position - buffer_start_), field.length),
                  field.quoted, item);
  return true;
}

void RecordReader::ReadRecord(int count, int slot) {
  if (count < 1 || count > kMaxFields) {
    throw std::invalid_argument("ReadRecord: field count out of range");
  }
  // Fields above count keep their texts; their bytes may leave the buffer after this record.
  DecodePendingFields(count + 1);
  if (!HasData()) {
    record_pos_.at(slot) = kEndOfData;
    return;
  }
  const std::int64_t start = buffer_start_ + static_cast<std::int64_t>(next_);
  record_pos_.at(slot) = start + 1;
  // While this record is cut, the last one's bytes stay: when the data end inside this record,
  // the fields left unread keep the last record's texts.
  kept_from_ = last_record_ >= 0 ? last_record_ : start;
  // Most records lie whole in the buffer and are cut the short way; a field at the buffer's end
  // reads on, and the fields after it go the short way again.
  int k = CutBufferedFields(1, count);
  while (k <= count && CutFieldReadingOn(field_bytes_[k])) {
    decoded_[k] = false;
    k = CutBufferedFields(k + 1, count);
  }
  pending_fields_ = std::max(pending_fields_, count);
  if (k > count) {
    last_record_ = start;  // every field is this record's now
    kept_from_ = start;
  }
}

void RecordReader::DecodeField(int k) const {
  const FieldBytes& bytes = field_bytes_[k];
  decoded_[k] = true;
  if (bytes.length == 0) {
    record_field_[k].clear();  // many fields are empty: no need to look at the tables
    return;
  }
  DecodeFieldText(std::string_view(buffer_).substr(
                      static_cast<std::size_t>(bytes.position - buffer_start_), bytes.length),
                  bytes.quoted, record_field_[k]);
}

void RecordReader::DecodePendingFields(int first) {
  for (int k = first; k <= pending_fields_; ++k) {
    RecordField(k);
  }
  if (first <= 1) {
    pending_fields_ = 0;
    kept_from_ = -1;
    last_record_ = -1;
  } else {
    pending_fields_ = std::min(pending_fields_, first - 1);
  }
}

std::u16string RecordReader::ReadLine() {
  std::u16string line;
  if (!open_) {
    return line;
  }
  DecodePendingFields();
  Take(LengthUntil(IsLineEnd), line);
  SkipLineEnd();
  return line;
}

}  // namespace qe2m4

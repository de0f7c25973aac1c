#include "common/ansi_text.h"

#include <algorithm>

#include "platform/cp932.h"

namespace qe2m4 {
namespace {

// ASCII takes one byte a character, so byte positions are character positions: codes, numbers
// and blanks, most of what is cut, are cut without the tables.
bool IsAscii(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; });
}

}  // namespace

int AnsiLen(std::u16string_view text) {
  return static_cast<int>(platform::Cp932Length(text));
}

std::u16string AnsiLeft(std::u16string_view text, int n) {
  return AnsiMid(text, 1, n);
}

std::u16string AnsiMid(std::u16string_view text, int start, int count) {
  std::u16string out;
  if (count <= 0) {
    return out;
  }
  // Byte range [first, last) counted from 0.
  const long first = std::max(start, 1) - 1L;
  const long last = static_cast<long>(start) - 1L + count;
  if (IsAscii(text)) {
    const auto size = static_cast<long>(text.size());
    if (first < size) {
      out = text.substr(static_cast<std::size_t>(first),
                        static_cast<std::size_t>(std::min(last, size) - first));
    }
    return out;
  }
  long position = 0;
  for (const char16_t c : text) {
    const int width = platform::Cp932Width(c);
    if (position >= first && position + width <= last) {
      out += c;
    }
    position += width;
    if (position >= last) {
      break;
    }
  }
  return out;
}

std::u16string AnsiRight(std::u16string_view text, int n) {
  const int length = IsAscii(text) ? static_cast<int>(text.size()) : AnsiLen(text);
  if (n >= length) {
    return std::u16string(text);
  }
  return AnsiMid(text, length - n + 1, n);
}

}  // namespace qe2m4

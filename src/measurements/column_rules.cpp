#include "measurements/column_rules.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "common/numbers.h"
#include "platform/cp932.h"
#include "platform/vendor.h"

namespace qe2m4 {
namespace {

struct Picture {
  int integer_zeros = 0;  // "0"s before the point: the least number of integer digits
  int decimals = 0;       // digit characters after the point
  bool has_point = false;
};

Picture ParsePicture(std::u16string_view picture) {
  Picture parsed;
  const std::size_t point = picture.find(u'.');
  const std::u16string_view integer = picture.substr(0, point);
  for (const char16_t c : integer) {
    parsed.integer_zeros += c == u'0' ? 1 : 0;
  }
  if (point != std::u16string_view::npos) {
    parsed.has_point = true;
    for (const char16_t c : picture.substr(point + 1)) {
      parsed.decimals += (c == u'0' || c == u'#') ? 1 : 0;
    }
  }
  return parsed;
}

// The digits of |value| * 10^decimals rounded half away from zero to an integer, working on the
// value's decimal form of 15 significant digits: `head` followed by `zeros` zeros.
struct ScaledDigits {
  std::array<char, 24> buffer{};
  std::size_t head = 0;  // digits in buffer
  int zeros = 0;
  bool is_zero = false;
  char operator[](std::size_t i) const { return i < head ? buffer[i] : '0'; }
  std::size_t size() const { return head + static_cast<std::size_t>(zeros); }
};

ScaledDigits RoundedDigits(double value, int decimals) {
  // d.dddddddddddddde[+-]xx: the 15 significant digits printf's "%.14e" writes, exactly
  // rounded from the binary value.
  char text[32];
  const char* const text_end =
      std::to_chars(text, text + sizeof text, std::abs(value), std::chars_format::scientific, 14)
          .ptr;
  std::uint64_t mantissa = 0;  // the 15 digits as an integer
  const char* p = text;
  for (; *p != 'e'; ++p) {
    if (*p != '.') {
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
    }
  }
  ++p;
  if (*p == '+') {
    ++p;  // from_chars reads a "-" only
  }
  int exponent = 0;
  std::from_chars(p, text_end, exponent);
  // |value| = mantissa * 10^(exponent - 14), so the scaled value is mantissa * 10^shift.
  const int shift = exponent - 14 + decimals;
  ScaledDigits digits;
  std::uint64_t scaled = 0;
  if (mantissa != 0 && shift >= 0) {
    scaled = mantissa;
    digits.zeros = shift;
  } else if (mantissa != 0 && shift > -20) {
    std::uint64_t unit = 1;  // 10^-shift, at most 10^19
    for (int i = 0; i < -shift; ++i) {
      unit *= 10;
    }
    scaled = mantissa / unit + (mantissa % unit >= unit / 2 ? 1 : 0);
  }
  digits.is_zero = scaled == 0;
  digits.head = static_cast<std::size_t>(
      std::to_chars(digits.buffer.data(), digits.buffer.data() + digits.buffer.size(), scaled).ptr -
      digits.buffer.data());
  return digits;
}

}  // namespace

std::u16string AlignRight(std::u16string_view text, int n) {
  if (n <= 0) {
    return {};
  }
  const auto size = static_cast<std::size_t>(n);
  if (text.size() >= size) {
    return std::u16string(text.substr(text.size() - size));
  }
  return std::u16string(size - text.size(), u' ') + std::u16string(text);
}

std::u16string AlignLeft(std::u16string_view text, int n) {
  if (n <= 0) {
    return {};
  }
  const auto size = static_cast<std::size_t>(n);
  if (text.size() >= size) {
    return std::u16string(text.substr(0, size));
  }
  return std::u16string(text) + std::u16string(size - text.size(), u' ');
}

std::u16string RecordNumberColumn(std::int64_t counter) {
  char digits[24];
  const char* const end = std::to_chars(digits, digits + sizeof digits, counter).ptr;
  const char* const first = end - std::min<std::ptrdiff_t>(end - digits, 3);
  std::u16string column(3 - static_cast<std::size_t>(end - first), u' ');
  column.append(first, end);
  return column;
}

std::u16string FormatPicture(double value, std::u16string_view picture) {
  const Picture parsed = ParsePicture(picture);
  const ScaledDigits digits = RoundedDigits(value, parsed.decimals);
  const auto decimals = static_cast<std::size_t>(parsed.decimals);
  // The integer digits are those in front of the last `decimals`, without leading zeros.
  const std::size_t integer_end = digits.size() > decimals ? digits.size() - decimals : 0;
  std::size_t integer_start = 0;
  while (integer_start < integer_end && digits[integer_start] == '0') {
    ++integer_start;
  }
  const std::size_t integer_digits = integer_end - integer_start;
  const std::size_t padding =
      std::max<std::size_t>(static_cast<std::size_t>(parsed.integer_zeros), integer_digits) -
      integer_digits;

  std::u16string out;
  if (value < 0 && !digits.is_zero) {
    out += u'-';
  }
  out.append(padding, u'0');
  for (std::size_t i = integer_start; i < integer_end; ++i) {
    out += static_cast<char16_t>(digits[i]);
  }
  if (parsed.has_point) {
    out += u'.';
    // The last `decimals` digits, zeros in front when there are fewer.
    for (std::size_t k = decimals; k > 0; --k) {
      out += k > digits.size() ? u'0' : static_cast<char16_t>(digits[digits.size() - k]);
    }
  }
  return out;
}

std::u16string FormatPicture(std::u16string_view text, std::u16string_view picture) {
  const auto value = NumberText(text);
  if (!value) {
    return std::u16string(text);
  }
  return FormatPicture(*value, picture);
}

std::vector<std::u16string> SplitFixedWidth(std::u16string_view text, int width) {
  const std::u16string trimmed = platform::QPTrim(text);
  std::vector<std::u16string> lines(1);
  std::vector<int> used(1, 0);
  for (const char16_t c : trimmed) {
    const int w = platform::Cp932Width(c);
    if (used.back() + w > width) {
      lines.emplace_back();
      used.push_back(0);
    }
    lines.back() += c;
    used.back() += w;
  }
  for (std::size_t j = 0; j < lines.size(); ++j) {
    if (used[j] < width) {
      lines[j].append(static_cast<std::size_t>(width - used[j]), u' ');
    }
  }
  return lines;
}

SeparatorSplit SplitAtSeparator(std::u16string_view text, std::u16string_view separator) {
  SeparatorSplit split;
  const std::size_t found = text.find(separator);
  if (found == std::u16string_view::npos) {
    return split;
  }
  split.position = static_cast<int>(found) + 1;
  split.before = std::u16string(text.substr(0, found));
  split.after = std::u16string(text.substr(found + separator.size()));
  return split;
}

}  // namespace qe2m4

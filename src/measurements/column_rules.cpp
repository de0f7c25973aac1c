#include "measurements/column_rules.h"

#include <cstdio>
#include <cstdlib>
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

// The digits of |value| rounded half away from zero to `decimals` places, working on its
// decimal form of 15 significant digits. Returns the integer digits (no leading zeros, empty
// for zero) and exactly `decimals` decimal digits.
std::pair<std::string, std::string> RoundedDigits(double value, int decimals) {
  char buffer[64];
  // d.dddddddddddddde[+-]xx: 15 significant digits.
  std::snprintf(buffer, sizeof buffer, "%.14e", std::abs(value));
  const std::string text(buffer);
  const std::size_t e = text.find('e');
  std::string mantissa = text.substr(0, 1) + text.substr(2, e - 2);  // 15 digits
  const int exponent = std::atoi(text.c_str() + e + 1);
  // The value is 0.mantissa * 10^(exponent + 1); digits[i] has weight 10^(exponent - i).
  // Keep the digits down to weight 10^-decimals, padding with zeros on either side.
  int point = exponent + 1;  // number of digits before the decimal point in `mantissa`
  if (point < 0) {
    mantissa.insert(0, static_cast<std::size_t>(-point), '0');
    point = 0;
  }
  const std::size_t keep = static_cast<std::size_t>(point + decimals);
  if (mantissa.size() < keep + 1) {
    mantissa.append(keep + 1 - mantissa.size(), '0');
  }
  const bool round_up = mantissa[keep] >= '5';
  std::string kept = mantissa.substr(0, keep);
  if (round_up) {
    int i = static_cast<int>(kept.size()) - 1;
    for (; i >= 0 && kept[static_cast<std::size_t>(i)] == '9'; --i) {
      kept[static_cast<std::size_t>(i)] = '0';
    }
    if (i >= 0) {
      ++kept[static_cast<std::size_t>(i)];
    } else {
      kept.insert(0, 1, '1');
      ++point;
    }
  }
  std::string integer = kept.substr(0, static_cast<std::size_t>(point));
  std::string fraction = kept.substr(static_cast<std::size_t>(point));
  const std::size_t nonzero = integer.find_first_not_of('0');
  integer = nonzero == std::string::npos ? std::string() : integer.substr(nonzero);
  return {integer, fraction};
}

std::u16string Widen(const std::string& ascii) {
  return std::u16string(ascii.begin(), ascii.end());
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
  return AlignRight(Widen(std::to_string(counter)), 3);
}

std::u16string FormatPicture(double value, std::u16string_view picture) {
  const Picture parsed = ParsePicture(picture);
  auto [integer, fraction] = RoundedDigits(value, parsed.decimals);
  if (static_cast<int>(integer.size()) < parsed.integer_zeros) {
    integer.insert(0, static_cast<std::size_t>(parsed.integer_zeros) - integer.size(), '0');
  }
  const bool is_zero = integer.find_first_not_of('0') == std::string::npos &&
                       fraction.find_first_not_of('0') == std::string::npos;
  std::string out = (value < 0 && !is_zero) ? "-" : "";
  out += integer;
  if (parsed.has_point) {
    out += '.';
    out += fraction;
  }
  return Widen(out);
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

// FormatPicture: numbers written through the digit pictures of the column rules.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "common/column_rules.h"
#include "common/numbers.h"

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

// A number as at most 15 significant decimal digits: (-)digits * 10^exponent.
struct DecimalForm {
  std::uint64_t digits = 0;
  int exponent = 0;
  bool negative = false;
};

constexpr int kSignificantDigits = 15;

// The value's decimal form of 15 significant digits, exactly rounded from the binary value, as
// printf's "%.14e" writes it.
DecimalForm FifteenDigits(double value) {
  char text[32];  // d.dddddddddddddde[+-]xx
  const char* const end = std::to_chars(text, text + sizeof text, std::abs(value),
                                        std::chars_format::scientific, kSignificantDigits - 1)
                              .ptr;
  DecimalForm form;
  form.negative = value < 0;
  const char* p = text;
  for (; *p != 'e'; ++p) {
    if (*p != '.') {
      form.digits = form.digits * 10 + static_cast<std::uint64_t>(*p - '0');
    }
  }
  ++p;
  if (*p == '+') {
    ++p;  // from_chars reads a "-" only
  }
  std::from_chars(p, end, form.exponent);
  form.exponent -= kSignificantDigits - 1;
  return form;
}

// The decimal form of a field text that is a plain decimal number of at most 15 significant
// digits (blanks, a sign, digits with a point, blanks; no exponent): its own digits, which are
// also the 15-digit form of the double it reads as, since a double holds 15 decimal digits
// exactly. nullopt for any other text.
std::optional<DecimalForm> ShortDecimal(std::u16string_view text) {
  std::size_t i = 0;
  const auto blanks = [&] {
    while (i < text.size() && text[i] == u' ') {
      ++i;
    }
  };
  const auto is_digit = [&] { return i < text.size() && text[i] >= u'0' && text[i] <= u'9'; };
  DecimalForm form;
  int significant = 0;
  bool any_digit = false;
  const auto digits = [&](bool fraction) {
    for (; is_digit(); ++i) {
      any_digit = true;
      form.exponent -= fraction ? 1 : 0;
      if (text[i] != u'0' || significant > 0) {
        ++significant;
        form.digits = form.digits * 10 + static_cast<std::uint64_t>(text[i] - u'0');
      }
    }
  };
  blanks();
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    form.negative = text[i++] == u'-';
  }
  digits(false);
  if (i < text.size() && text[i] == u'.') {
    ++i;
    digits(true);
  }
  blanks();
  // Far below 1 the double would lose digits (subnormal numbers): leave those to the general path.
  if (!any_digit || i != text.size() || significant > kSignificantDigits || form.exponent < -300) {
    return std::nullopt;
  }
  return form;
}

// The digits of |number| * 10^decimals rounded half away from zero to an integer: the digits
// in `buffer`, then `zeros` zeros.
struct ScaledDigits {
  std::array<char, 24> buffer{};
  std::size_t head = 0;
  std::size_t zeros = 0;
  bool is_zero = false;
  char operator[](std::size_t i) const { return i < head ? buffer[i] : '0'; }
  std::size_t size() const { return head + zeros; }
};

ScaledDigits RoundedDigits(const DecimalForm& number, int decimals) {
  // |number| * 10^decimals = digits * 10^shift
  const int shift = number.exponent + decimals;
  ScaledDigits scaled;
  std::uint64_t integer = 0;
  if (number.digits != 0 && shift >= 0) {
    integer = number.digits;
    scaled.zeros = static_cast<std::size_t>(shift);
  } else if (number.digits != 0 && shift > -20) {
    std::uint64_t unit = 1;  // 10^-shift, at most 10^19
    for (int i = 0; i < -shift; ++i) {
      unit *= 10;
    }
    integer = number.digits / unit + (number.digits % unit >= unit / 2 ? 1 : 0);
  }
  scaled.is_zero = integer == 0;
  const char* const end =
      std::to_chars(scaled.buffer.data(), scaled.buffer.data() + scaled.buffer.size(), integer).ptr;
  scaled.head = static_cast<std::size_t>(end - scaled.buffer.data());
  return scaled;
}

std::u16string WritePicture(const DecimalForm& number, std::u16string_view picture) {
  const Picture parsed = ParsePicture(picture);
  const ScaledDigits digits = RoundedDigits(number, parsed.decimals);
  const auto decimals = static_cast<std::size_t>(parsed.decimals);
  // The integer digits are those in front of the last `decimals`, without leading zeros.
  const std::size_t integer_end = digits.size() > decimals ? digits.size() - decimals : 0;
  std::size_t integer_start = 0;
  while (integer_start < integer_end && digits[integer_start] == '0') {
    ++integer_start;
  }
  const std::size_t integer_digits = integer_end - integer_start;
  const std::size_t padding =
      std::max(static_cast<std::size_t>(parsed.integer_zeros), integer_digits) - integer_digits;

  // The text's length is known before it is written: one sizing, then writes through a pointer.
  const bool minus = number.negative && !digits.is_zero;
  const std::size_t length =
      (minus ? 1 : 0) + padding + integer_digits + (parsed.has_point ? 1 + decimals : 0);
  std::u16string out(length, u'0');
  char16_t* p = out.data();
  if (minus) {
    *p++ = u'-';
  }
  p += padding;  // the zeros the picture asks for in front
  for (std::size_t i = integer_start; i < integer_end; ++i) {
    *p++ = static_cast<char16_t>(digits[i]);
  }
  if (parsed.has_point) {
    *p++ = u'.';
    // The last `decimals` digits, zeros in front when there are fewer.
    for (std::size_t k = decimals; k > 0; --k) {
      *p++ = k > digits.size() ? u'0' : static_cast<char16_t>(digits[digits.size() - k]);
    }
  }
  return out;
}

}  // namespace

std::u16string FormatPicture(double value, std::u16string_view picture) {
  return WritePicture(FifteenDigits(value), picture);
}

std::u16string FormatPicture(std::u16string_view text, std::u16string_view picture) {
  if (const auto decimal = ShortDecimal(text)) {
    return WritePicture(*decimal, picture);
  }
  const auto value = NumberText(text);
  if (!value) {
    return std::u16string(text);
  }
  return FormatPicture(*value, picture);
}

}  // namespace qe2m4

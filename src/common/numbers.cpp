#include "common/numbers.h"

#include <charconv>
#include <cmath>
#include <string>

namespace qe2m4 {
namespace {

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// Scans the number at text[i]: sign, digits, one point, exponent. Returns the end index and
// stores the number's characters in ASCII; nullopt when there are no digits at all.
std::optional<std::size_t> ScanNumber(std::u16string_view text, std::size_t i, std::string& out) {
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    out += static_cast<char>(text[i++]);
  }
  bool digits = false;
  while (i < text.size() && IsDigit(text[i])) {
    out += static_cast<char>(text[i++]);
    digits = true;
  }
  if (i < text.size() && text[i] == u'.') {
    out += '.';
    ++i;
    while (i < text.size() && IsDigit(text[i])) {
      out += static_cast<char>(text[i++]);
      digits = true;
    }
  }
  if (!digits) {
    return std::nullopt;
  }
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) {
      exponent += static_cast<char>(text[j++]);
    }
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) {
        exponent += static_cast<char>(text[j++]);
      }
      out += exponent;
      i = j;
    }
  }
  return i;
}

// Converts the scanned characters independently of the C locale (a window toolkit may set a
// locale whose decimal point is not ".").
double ToDouble(const std::string& number) {
  const char* first = number.data();
  if (*first == '+') {
    ++first;
  }
  double value = 0.0;
  const auto result = std::from_chars(first, number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Out of range: huge values are infinite (rejected by the callers), tiny ones zero.
    return number.find_first_of("eE") != std::string::npos &&
                   number.find("e-") == std::string::npos && number.find("E-") == std::string::npos
               ? HUGE_VAL
               : 0.0;
  }
  return value;
}

std::size_t SkipBlanks(std::u16string_view text, std::size_t i) {
  while (i < text.size() && text[i] == u' ') {
    ++i;
  }
  return i;
}

}  // namespace

double LeadingNumber(std::u16string_view text) {
  std::string number;
  if (!ScanNumber(text, SkipBlanks(text, 0), number)) {
    return 0.0;
  }
  const double value = ToDouble(number);
  return std::isfinite(value) ? value : 0.0;
}

std::optional<double> NumberText(std::u16string_view text) {
  std::string number;
  const auto end = ScanNumber(text, SkipBlanks(text, 0), number);
  if (!end || SkipBlanks(text, *end) != text.size()) {
    return std::nullopt;
  }
  const double value = ToDouble(number);
  if (!std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace qe2m4

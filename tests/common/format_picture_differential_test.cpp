// FormatPicture against the formatter it replaced, which printed the value with snprintf
// ("%.14e") and rounded the digit string: the two must agree on every value and picture.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "common/column_rules.h"
#include "common/numbers.h"

namespace qe2m4 {
namespace {

// --- The reference: the earlier formatter, unchanged ---

struct ReferencePicture {
  int integer_zeros = 0;
  int decimals = 0;
  bool has_point = false;
};

ReferencePicture ParseReferencePicture(std::u16string_view picture) {
  ReferencePicture parsed;
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

std::pair<std::string, std::string> ReferenceRoundedDigits(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14e", std::abs(value));
  const std::string text(buffer);
  const std::size_t e = text.find('e');
  std::string mantissa = text.substr(0, 1) + text.substr(2, e - 2);
  const int exponent = std::atoi(text.c_str() + e + 1);
  int point = exponent + 1;
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

std::u16string ReferenceFormatPicture(double value, std::u16string_view picture) {
  const ReferencePicture parsed = ParseReferencePicture(picture);
  auto [integer, fraction] = ReferenceRoundedDigits(value, parsed.decimals);
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
  return std::u16string(out.begin(), out.end());
}

// --- The comparison ---

// The pictures the converters use, then others that reach further decimals and zeros.
constexpr std::u16string_view kPicturesInUse[] = {u"###0.00", u"####0.00", u"###", u"##0", u"00"};
constexpr std::u16string_view kOtherPictures[] = {u"0.0",    u"#.###",   u"000000",
                                                  u"0.0000", u"#.#####", u"0.0000000000"};

std::string Show(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

// Counts disagreements and reports the first few.
class Comparison {
 public:
  void Check(double value, std::u16string_view picture) {
    ++checked_;
    const std::u16string expected = ReferenceFormatPicture(value, picture);
    const std::u16string actual = FormatPicture(value, picture);
    if (actual != expected && ++failures_ <= 10) {
      ADD_FAILURE() << Show(value) << " through " << std::string(picture.begin(), picture.end())
                    << ": expected " << std::string(expected.begin(), expected.end()) << ", got "
                    << std::string(actual.begin(), actual.end());
    }
  }
  void CheckAllPictures(double value) {
    for (const std::u16string_view picture : kPicturesInUse) {
      Check(value, picture);
      Check(-value, picture);
    }
    for (const std::u16string_view picture : kOtherPictures) {
      Check(value, picture);
      Check(-value, picture);
    }
  }
  int failures() const { return failures_; }
  long checked() const { return checked_; }

 private:
  int failures_ = 0;
  long checked_ = 0;
};

TEST(FormatPictureDifferential, TrickyValues) {
  const double max = std::numeric_limits<double>::max();
  const double tricky[] = {
      0.0,
      0.5,
      1.5,
      2.5,
      0.05,
      0.005,
      0.015,
      0.025,
      0.045,
      1.005,
      1.015,
      1.115,
      2.345,
      2.675,
      9.995,
      99.995,
      999.995,
      9999.995,
      0.125,
      0.375,
      0.0049999999999,
      0.00499999999999999,
      0.004999999999999999,
      0.49999999999999994,
      1e-5,
      4.5e-3,
      5e-3,
      5.000000000000001e-3,
      4503599627370496.5,
      9007199254740992.0,
      9007199254740993.0,
      999999999999999.5,
      999999999999999.0,
      99999999999999.95,
      1e15,
      1000000000000005.0,
      1000000000000015.0,
      1e16,
      123456789012345678.0,
      1e20,
      1e21,
      1e22,
      1e23,
      1.7976931348623157e308,
      max,
      5e-324,
      2.2250738585072014e-308,
      1e-300,
      0.1,
      0.2,
      0.3,
      0.7,
      1.1,
      1234.5,
      12.345,
      -0.0,
      0.0000005,
      0.00000049999999999,
      0.9999999999999999,
      0.999999999999999,
      0.9949999999999999,
      0.995,
      0.095,
      0.0095,
      0.00095,
      1.0000000000000002,
  };
  Comparison comparison;
  for (const double value : tricky) {
    comparison.CheckAllPictures(value);
    comparison.CheckAllPictures(std::nextafter(value, 0.0));
    comparison.CheckAllPictures(std::nextafter(value, max));
  }
  EXPECT_EQ(comparison.failures(), 0);
}

// Halves at every decimal place, and their neighbours, where the rounding is decided.
TEST(FormatPictureDifferential, HalvesAndNeighbours) {
  Comparison comparison;
  for (int places = 0; places <= 17; ++places) {
    const double unit = std::pow(10.0, -places);
    for (long n = 0; n < 2000; ++n) {
      const double half = (static_cast<double>(n) + 0.5) * unit;
      comparison.CheckAllPictures(half);
      comparison.Check(std::nextafter(half, 0.0), kPicturesInUse[n % 5]);
      comparison.Check(std::nextafter(half, 1e300), kPicturesInUse[n % 5]);
    }
  }
  EXPECT_EQ(comparison.failures(), 0);
}

TEST(FormatPictureDifferential, MillionsOfRandomValues) {
  std::mt19937_64 random(20261208);
  Comparison comparison;
  std::uniform_int_distribution<int> mode(0, 4);
  std::uniform_int_distribution<int> places(0, 9);
  std::uniform_int_distribution<long long> digits(0, 999999999999LL);
  std::uniform_real_distribution<double> magnitude(-30.0, 30.0);
  std::uniform_real_distribution<double> depth(-1000.0, 100000.0);
  std::uniform_int_distribution<int> nudge(-2, 2);
  for (long i = 0; i < 2'000'000; ++i) {
    double value = 0.0;
    switch (mode(random)) {
      case 0: {  // any finite bit pattern
        const std::uint64_t bits = random();
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) {
          continue;
        }
        break;
      }
      case 1:  // a decimal number as a text would give it
        value = static_cast<double>(digits(random)) / std::pow(10.0, places(random));
        break;
      case 2:  // a depth or a count
        value = depth(random);
        break;
      case 3:  // any magnitude
        value = std::pow(10.0, magnitude(random)) * (random() % 2 ? 1 : -1);
        break;
      default:  // a decimal half, nudged by a few units in the last place
        value = (static_cast<double>(digits(random) % 1000000) + 0.5) /
                std::pow(10.0, places(random) % 4);
        for (int k = nudge(random); k != 0; k += k > 0 ? -1 : 1) {
          value = std::nextafter(value, k > 0 ? 1e300 : -1e300);
        }
        break;
    }
    comparison.Check(value, i % 8 < 5 ? kPicturesInUse[i % 8] : kOtherPictures[i % 6]);
  }
  EXPECT_EQ(comparison.failures(), 0);
  EXPECT_GT(comparison.checked(), 1'990'000);  // only non-finite bit patterns are skipped
}

// Field texts: blanks, a sign, integer and fraction digits of every length (the significant
// digits around the 15 a double holds), an exponent now and then, and texts that are no number.
TEST(FormatPictureDifferential, RandomFieldTexts) {
  std::mt19937_64 random(12);
  const auto some = [&random](std::string_view choices) {
    return choices[random() % choices.size()];
  };
  long numbers = 0;
  for (long i = 0; i < 500'000; ++i) {
    std::string text(random() % 3, ' ');
    if (random() % 3 == 0) {
      text += some("+-");
    }
    for (std::size_t k = random() % 18; k > 0; --k) {
      text += random() % 5 == 0 ? '0' : some("0123456789");
    }
    if (random() % 2 == 0) {
      text += '.';
      for (std::size_t k = random() % 18; k > 0; --k) {
        text += some("0123456789");
      }
    }
    if (random() % 10 == 0) {
      text += some("eE") + std::to_string(static_cast<int>(random() % 40) - 20);
    }
    if (random() % 20 == 0) {
      text += some("x.,- \t");
    }
    text.append(random() % 3, ' ');
    const std::u16string field(text.begin(), text.end());
    const auto value = NumberText(field);
    numbers += value ? 1 : 0;
    const std::u16string_view picture = kPicturesInUse[i % 5];
    const std::u16string expected = value ? ReferenceFormatPicture(*value, picture) : field;
    const std::u16string actual = FormatPicture(std::u16string_view(field), picture);
    if (actual != expected) {
      ADD_FAILURE() << "\"" << text << "\" through " << std::string(picture.begin(), picture.end())
                    << ": expected " << std::string(expected.begin(), expected.end()) << ", got "
                    << std::string(actual.begin(), actual.end());
      break;
    }
  }
  EXPECT_GT(numbers, 300'000);  // most texts are numbers
}

}  // namespace
}  // namespace qe2m4

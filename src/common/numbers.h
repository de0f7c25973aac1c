#pragma once

#include <optional>
#include <string_view>

namespace qe2m4 {

// The value of the number a text starts with: blanks (U+0020 only) skipped, then a sign, digits,
// one decimal point and an exponent as far as they form a number. A text that does not start with a
// number (the empty text included) is 0. "7.5m" is 7.5, "1e3x" is 1000, "abc" is 0.
double LeadingNumber(std::u16string_view text);

// The value of a text that is a number as a whole: optional blanks, an optional sign, digits
// with an optional decimal point, an optional exponent, optional blanks. nullopt otherwise,
// and for a number too large to hold.
std::optional<double> NumberText(std::u16string_view text);

}  // namespace qe2m4

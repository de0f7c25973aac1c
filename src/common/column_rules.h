#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The column rules every output file of the target product is built with.
namespace qe2m4 {

// The last n characters of (n blanks followed by text): right-aligned, long texts lose their
// leading characters.
std::u16string AlignRight(std::u16string_view text, int n);
// The first n characters of (text followed by n blanks): left-aligned, long texts lose their
// trailing characters.
std::u16string AlignLeft(std::u16string_view text, int n);
// The text without blanks (U+0020) at either end, as a view of it.
std::u16string_view TrimBlanks(std::u16string_view text);

// The record-number column: the counter's decimal digits right-aligned in 3 characters; a
// counter of four or more digits keeps its last three (1000 gives "000").
std::u16string RecordNumberColumn(std::int64_t counter);
// The same appended to a line being built.
void AppendRecordNumberColumn(std::int64_t counter, std::u16string& line);

// Writes a number through a digit picture ("###0.00", "####0.00", "###", "##0", "00"): rounded
// half away from zero to the picture's decimals on the value's decimal form of at most 15
// significant digits, at least as many integer digits as the picture has "0"s before its point
// (so "###" writes nothing for zero), no grouping, "-" before a negative result. A negative
// value that rounds to zero is written without "-".
std::u16string FormatPicture(double value, std::u16string_view picture);
// The same for a field text: the empty text and a text that is not a number come back as they
// are.
std::u16string FormatPicture(std::u16string_view text, std::u16string_view picture);

// Lays a text (blanks at both ends removed) out in lines of exactly width CP932 bytes, in
// order, without splitting a double-byte character; each line is completed with blanks. An
// empty text gives one line of width blanks. There is no limit on the number of lines.
std::vector<std::u16string> SplitFixedWidth(std::u16string_view text, int width);
// The same into lines the caller keeps from one text to the next.
void SplitFixedWidth(std::u16string_view text, int width, std::vector<std::u16string>& lines);

struct SeparatorSplit {
  int position = 0;       // 1-based character position of the separator; 0 when absent
  std::u16string before;  // the text in front of it (empty when absent)
  std::u16string after;   // the text behind it (empty when absent)
};
// Splits a text at the first occurrence of a separator (exact comparison).
SeparatorSplit SplitAtSeparator(std::u16string_view text, std::u16string_view separator);

}  // namespace qe2m4

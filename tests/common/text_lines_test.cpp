#include "common/text_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qe2m4::common {
namespace {

struct NumberedLine {
  int number;
  std::u16string line;
  bool operator==(const NumberedLine&) const = default;
};

std::vector<NumberedLine> AllLines(std::u16string_view text) {
  std::vector<NumberedLine> all;
  TextLines lines(text);
  while (const std::optional<std::u16string_view> line = lines.Next()) {
    all.push_back({lines.number(), std::u16string(*line)});
  }
  return all;
}

TEST(TextLinesTest, SplitsAtLineEndsAndNumbersFromOne) {
  const struct {
    std::u16string_view text;
    std::vector<NumberedLine> lines;
  } cases[] = {
      {u"", {}},
      {u"a", {{1, u"a"}}},
      {u"a\n", {{1, u"a"}}},
      {u"a\r\nb", {{1, u"a"}, {2, u"b"}}},
      {u"\n\nc\r\n", {{1, u""}, {2, u""}, {3, u"c"}}},
      // Only the "\r" right before a line end belongs to it.
      {u"a\rb\r\r\n", {{1, u"a\rb\r"}}},
      {u"\r", {{1, u""}}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(AllLines(cases[i].text), cases[i].lines) << "case " << i;
  }
}

}  // namespace
}  // namespace qe2m4::common

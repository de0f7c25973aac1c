#include "common/numbers.h"

#include <gtest/gtest.h>

namespace qe2m4 {
namespace {

TEST(Numbers, LeadingNumberReadsAsFarAsANumberGoes) {
  struct Case {
    std::u16string text;
    double value;
  } const cases[] = {
      {u"", 0},        {u"abc", 0},   {u"7.5m", 7.5}, {u"  -3", -3},   {u"12.346", 12.346},
      {u"1e3x", 1000}, {u"2e", 2},    {u"+.5", 0.5},  {u"20.5", 20.5}, {u"1.2.3", 1.2},
      {u"- 3", 0},     {u"1e999", 0}, {u"\t5", 0},  // only U+0020 is a blank
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.value);
  }
}

TEST(Numbers, NumberTextAcceptsWholeNumbersOnly) {
  EXPECT_EQ(NumberText(u" 1.5 "), 1.5);
  EXPECT_EQ(NumberText(u"-2"), -2);
  EXPECT_EQ(NumberText(u"1e2"), 100);
  EXPECT_EQ(NumberText(u"5."), 5);
  EXPECT_FALSE(NumberText(u""));
  EXPECT_FALSE(NumberText(u"abc"));
  EXPECT_FALSE(NumberText(u"7.5m"));
  EXPECT_FALSE(NumberText(u"."));
  EXPECT_FALSE(NumberText(u"1e999"));
  EXPECT_FALSE(NumberText(u"\t5"));
  EXPECT_FALSE(NumberText(u"5\u3000"));
}

}  // namespace
}  // namespace qe2m4

#include "batch/natural_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/utf8.h"

namespace qe2m4::batch {
namespace {

std::string Utf8(std::u16string_view text) {
  return platform::ToUtf8(text);
}

// Each list is in the order Explorer shows it; sorting any shuffle of it gives it back.
TEST(NaturalOrder, SortsNamesAsExplorerLists) {
  const std::vector<std::vector<std::u16string>> lists = {
      // Digits are numbers.
      {u"No.1", u"No.2", u"No.9", u"No.10", u"No.11", u"No.100"},
      {u"孔1", u"孔2", u"孔10"},
      {u"B1-2", u"B1-10", u"B2-1", u"B10-1"},
      {u"x", u"x1", u"x1a", u"x1b", u"x2"},
      // Full-width digits are numbers too, of the same value as their ASCII ones.
      {u"孔１", u"孔2", u"孔３", u"孔１０", u"孔11"},
      // Equal values: fewer leading zeros first.
      {u"No.1", u"No.01", u"No.001", u"No.2"},
      // Far beyond any integer type.
      {u"9", u"123456789012345678901234567890", u"123456789012345678901234567891"},
      // Letter case and width do not count ("A" before "a" only as a tie-break).
      {u"A", u"a", u"ｂ", u"C", u"ｃ", u"Ｄ"},
      {u"alpha", u"Beta", u"gamma", u"ＨＯＬＥ"},
      // Kana: hiragana, katakana and half-width katakana of one sound sort together.
      {u"あ", u"ア", u"ｱ", u"い", u"カ", u"き", u"ｸ"},
      // Kinds: symbols, then numbers, Latin letters, kana, kanji.
      {u"(1)", u"_old", u"1", u"10", u"No.1 ボーリング", u"No.10", u"ぼーりんぐ", u"現場",
       u"表・ソ十能"},
      // Kanji in the order of the JIS table, the common ones by reading: 安 (an), 岩 (gan),
      // 砂 (sa), 粘 (nen); those CP932 cannot write last.
      {u"安", u"岩", u"砂", u"粘", u"𠀋"},
      // A shorter name first when it begins the longer one.
      {u"No", u"No.1", u"No.1 追加"},
  };
  for (const std::vector<std::u16string>& list : lists) {
    std::vector<std::u16string> sorted = list;
    std::reverse(sorted.begin(), sorted.end());
    std::rotate(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
    std::sort(sorted.begin(), sorted.end(), NaturalLess);
    std::vector<std::string> expected;
    std::vector<std::string> got;
    for (std::size_t i = 0; i < list.size(); ++i) {
      expected.push_back(Utf8(list[i]));
      got.push_back(Utf8(sorted[i]));
    }
    EXPECT_EQ(got, expected);
  }
}

TEST(NaturalOrder, IsAStrictTotalOrder) {
  const std::vector<std::u16string> names = {
      u"",      u"a",    u"A",     u"ａ",    u"1",  u"01", u"１",  u"No.2", u"No.10",
      u"No.02", u"あ",   u"ア",    u"ｱ",     u"ガ", u"ｶﾞ", u"表",  u"_",    u"　",
      u" ",     u"a1b2", u"a01b2", u"a1b02", u"→",  u"x9", u"x09", u"x９"};
  for (const std::u16string& a : names) {
    EXPECT_EQ(NaturalCompare(a, a), 0) << Utf8(a);
    for (const std::u16string& b : names) {
      // Antisymmetric, and equal only when the names are.
      EXPECT_EQ(NaturalCompare(a, b), -NaturalCompare(b, a)) << Utf8(a) << " " << Utf8(b);
      EXPECT_EQ(NaturalCompare(a, b) == 0, a == b) << Utf8(a) << " " << Utf8(b);
      for (const std::u16string& c : names) {
        if (NaturalLess(a, b) && NaturalLess(b, c)) {
          EXPECT_TRUE(NaturalLess(a, c)) << Utf8(a) << " " << Utf8(b) << " " << Utf8(c);
        }
      }
    }
  }
}

}  // namespace
}  // namespace qe2m4::batch

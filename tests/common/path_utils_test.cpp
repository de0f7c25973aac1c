#include "common/path_utils.h"

#include <gtest/gtest.h>

#include "support/temp_machine.h"

namespace qe2m4 {
namespace {

using Parts = std::vector<std::u16string>;

TEST(PathUtils, CountAndSplitAgree) {
  struct Case {
    std::u16string text;
    Parts parts;
  } const cases[] = {
      {u"D:\\TYUJYOU\\K1\\", {u"D:", u"TYUJYOU", u"K1", u""}},
      {u"\\data", {u"", u"data"}},
      {u"", {u""}},
      {u"no separator", {u"no separator"}},
      {u"D:\\\\A", {u"D:", u"", u"A"}},
      {u"D:\\ソ表\\", {u"D:", u"ソ表", u""}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitPath(c.text, u"\\"), c.parts);
    EXPECT_EQ(CountSeparators(c.text, u"\\") + 1, static_cast<int>(c.parts.size()));
  }
  EXPECT_EQ(CountSeparators(u"D:\\A\\B\\", u"\\"), 3);
  EXPECT_EQ(CountSeparators(u"a/b\\c", u"\\/"), 2);
}

TEST(PathUtils, ListFilesListsEveryMatch) {
  testing::TempMachine machine;
  const auto s = machine.AddDrive(u'S');
  for (int i = 0; i < 600; ++i) {  // more than the 512 names a fixed list could hold
    testing::WriteBytes(s / ("titl" + std::to_string(i) + ".txt"), "x");
  }
  EXPECT_EQ(ListFiles(machine.fs(), u"S:\\titl*.txt").size(), 600u);
  EXPECT_TRUE(ListFiles(machine.fs(), u"S:\\N*.txt").empty());
}

}  // namespace
}  // namespace qe2m4

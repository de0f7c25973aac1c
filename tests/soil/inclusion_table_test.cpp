#include "soil/inclusion_table.h"

#include <gtest/gtest.h>

namespace qe2m4 {
namespace {

TEST(InclusionTable, HoldsFifteenRowsWhoseCodeIsTheirNumber) {
  InclusionTable table;
  PrepareSoilTables(table);
  ASSERT_EQ(table.InclusionCount(), 15);
  EXPECT_EQ(table.rows[0].name, u"玉石");
  EXPECT_EQ(table.rows[0].code, 1);
  EXPECT_EQ(table.rows[3].name, u"シルト");
  EXPECT_EQ(table.rows[3].code, 4);
  EXPECT_EQ(table.rows[13].name, u"貝殻");
  EXPECT_EQ(table.rows[13].code, 14);
  EXPECT_EQ(table.rows[14].name, u"化石");
  EXPECT_EQ(table.rows[14].code, 15);
  for (int i = 0; i < table.InclusionCount(); ++i) {
    EXPECT_EQ(table.rows[i].code, i + 1) << "row " << i + 1;
  }
}

TEST(InclusionTable, EveryCallStoresTheSameRows) {
  InclusionTable table;
  PrepareSoilTables(table);
  const std::vector<InclusionRow> first = table.rows;
  table.rows.push_back({u"余分", 99});
  table.rows[1].name = u"変更";
  PrepareSoilTables(table);
  ASSERT_EQ(table.InclusionCount(), 15);
  for (std::size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(table.rows[i].name, first[i].name);
    EXPECT_EQ(table.rows[i].code, first[i].code);
  }
}

TEST(InclusionTable, LooksUpWholeNamesExactly) {
  InclusionTable table;
  PrepareSoilTables(table);
  EXPECT_EQ(FindInclusionCode(table, u"玉石"), 1);
  EXPECT_EQ(FindInclusionCode(table, u"貝殻"), 14);
  EXPECT_EQ(FindInclusionCode(table, u"化石"), 15);
  EXPECT_EQ(FindInclusionCode(table, u"スコリア"), 12);
  // Part of a name, a longer text, blanks and the half-width form are not the name.
  EXPECT_EQ(FindInclusionCode(table, u"石"), 0);
  EXPECT_EQ(FindInclusionCode(table, u"礫混じり"), 0);
  EXPECT_EQ(FindInclusionCode(table, u" 砂"), 0);
  EXPECT_EQ(FindInclusionCode(table, u"ｼﾙﾄ"), 0);
  EXPECT_EQ(FindInclusionCode(table, u""), 0);
}

TEST(InclusionTable, EmptyTableFindsNothing) {
  const InclusionTable table;
  EXPECT_EQ(FindInclusionCode(table, u"砂"), 0);
}

}  // namespace
}  // namespace qe2m4

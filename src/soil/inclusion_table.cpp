#include "soil/inclusion_table.h"

namespace qe2m4 {

void PrepareSoilTables(InclusionTable& table) {
  table.rows = {
      {u"玉石", 1},   {u"礫", 2},        {u"砂", 3},     {u"シルト", 4}, {u"粘土", 5},
      {u"火山灰", 6}, {u"ローム", 7},    {u"腐植物", 8}, {u"木片", 9},   {u"炭化物", 10},
      {u"軽石", 11},  {u"スコリア", 12}, {u"珊瑚", 13},  {u"貝殻", 14},  {u"化石", 15},
  };
}

int FindInclusionCode(const InclusionTable& table, std::u16string_view name) {
  for (const InclusionRow& row : table.rows) {
    if (row.name == name) {
      return row.code;
    }
  }
  return 0;
}

}  // namespace qe2m4

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qe2m4 {

// One row of the inclusion-name table: a material named in X4.TXT's fifth field and its code.
struct InclusionRow {
  std::u16string name;
  int code = 0;
};

// The inclusion-name table; rows numbered from 1 in the users' terms, rows[0] here.
struct InclusionTable {
  std::vector<InclusionRow> rows;
  int InclusionCount() const { return static_cast<int>(rows.size()); }
};

// Fills the table with its 15 rows; every call stores the same rows.
void PrepareSoilTables(InclusionTable& table);

// The code of the first row whose name equals name exactly, or 0 when no row does.
int FindInclusionCode(const InclusionTable& table, std::u16string_view name);

}  // namespace qe2m4

#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_machine.h"

namespace qe2m4::testing {

// A batch report's rows without the BOM and the header; cells are split at commas outside
// quotes, quotes dropped (enough for the cells the tests look at).
inline std::vector<std::vector<std::string>> ReportRows(const std::filesystem::path& path) {
  const std::string bytes = ReadBytes(path);
  std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
  bool quoted = false;
  for (std::size_t i = 3; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == ',') {
      rows.back().emplace_back();
    } else if (!quoted && c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      rows.emplace_back(1);
      ++i;
    } else {
      rows.back().back() += c;
    }
  }
  rows.pop_back();
  rows.erase(rows.begin());
  return rows;
}

}  // namespace qe2m4::testing

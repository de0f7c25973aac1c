#include <cstdlib>

#include "platform/drive_table.h"

namespace qe2m4::platform {

DriveTable DriveTable::Defaults() {
  DriveTable table;
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    table.Map(u'C', home);
  }
  table.Map(u'Z', "/");
  return table;
}

std::filesystem::path UserConfigFolder() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg == '/') {
    return std::filesystem::path(xdg) / "qe2m4";
  }
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    return std::filesystem::path(home) / ".config" / "qe2m4";
  }
  return std::filesystem::path(".config") / "qe2m4";
}

}  // namespace qe2m4::platform

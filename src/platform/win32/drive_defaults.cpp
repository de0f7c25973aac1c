#include <cstdlib>
#include <string>

#include "platform/drive_table.h"

namespace qe2m4::platform {

DriveTable DriveTable::Defaults() {
  // Drive letters are real here: every letter is its own root until the user maps it elsewhere.
  DriveTable table;
  for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
    table.Map(letter,
              std::filesystem::path(std::wstring{static_cast<wchar_t>(letter), L':', L'\\'}));
  }
  return table;
}

std::filesystem::path UserConfigFolder() {
  if (const wchar_t* app_data = _wgetenv(L"APPDATA"); app_data != nullptr && *app_data != L'\0') {
    return std::filesystem::path(app_data) / L"qe2m4";
  }
  if (const wchar_t* profile = _wgetenv(L"USERPROFILE"); profile != nullptr && *profile != L'\0') {
    return std::filesystem::path(profile) / L"AppData" / L"Roaming" / L"qe2m4";
  }
  return std::filesystem::path(L"qe2m4");
}

}  // namespace qe2m4::platform

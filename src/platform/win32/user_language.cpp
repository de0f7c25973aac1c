#include "platform/user_language.h"

#include <windows.h>

namespace qe2m4::platform {

std::string UserLanguageCode() {
  const LANGID language = GetUserDefaultUILanguage();
  if (PRIMARYLANGID(language) == LANG_JAPANESE) {
    return "ja";
  }
  wchar_t name[16] = {};
  if (GetLocaleInfoW(MAKELCID(language, SORT_DEFAULT), LOCALE_SISO639LANGNAME, name, 16) == 0) {
    return "";
  }
  std::string code;
  for (const wchar_t* c = name; *c != L'\0'; ++c) {
    if (*c > 0x7F) {
      return "";
    }
    code += static_cast<char>(*c);
  }
  return LanguageOfLocaleName(code);
}

}  // namespace qe2m4::platform

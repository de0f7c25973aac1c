#include "platform/user_language.h"

namespace qe2m4::platform {

std::string LanguageOfLocaleName(std::string_view name) {
  std::string code;
  for (const char c : name) {
    if (c == '_' || c == '.' || c == '@' || c == '-') {
      break;
    }
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) {
      return "";
    }
    code += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  // "C" and "POSIX" name the system's own untranslated texts; a language code has two or three
  // letters.
  if (code == "c" || code == "posix" || code.size() < 2 || code.size() > 3) {
    return "";
  }
  return code;
}

}  // namespace qe2m4::platform

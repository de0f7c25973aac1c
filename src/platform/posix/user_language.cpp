#include "platform/user_language.h"

#include <cstdlib>

namespace qe2m4::platform {

std::string UserLanguageCode() {
  // The order in which the C library picks the locale of messages.
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') {
      return LanguageOfLocaleName(value);
    }
  }
  return "";
}

}  // namespace qe2m4::platform

#pragma once

#include <string>
#include <string_view>

namespace qe2m4::platform {

// The language the user reads, as its ISO 639 code in lower case ("ja", "en", "de"); empty when
// the system names none. On Linux the first of LC_ALL, LC_MESSAGES and LANG that is set and not
// empty decides, as it does for every program; on Windows the user's UI language.
std::string UserLanguageCode();

// The language of a POSIX locale name: the letters before "_", ".", "@" or "-", in lower case
// ("ja_JP.UTF-8" and "ja" give "ja"); empty for "C", "POSIX" and their variants ("C.UTF-8") and for
// a name that does not start with a language.
std::string LanguageOfLocaleName(std::string_view name);

}  // namespace qe2m4::platform

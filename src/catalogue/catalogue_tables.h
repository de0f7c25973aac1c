#pragma once

#include "catalogue/text_id.h"

namespace qe2m4::catalogue {

// The catalogue's languages by ISO 639 code, English first (the templates' own texts).
extern const char* const kLanguageCodes[kLanguageCount];

// Every text in every language, as UTF-8; nullptr where a language has not translated it.
extern const char* const kTexts[kLanguageCount][kTextCount];

}  // namespace qe2m4::catalogue

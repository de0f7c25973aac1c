#pragma once

#include <string>

#include "catalogue/catalogue.h"
#include "platform/names.h"

namespace qe2m4::app {

// Why a name cannot be one level of a path, in the language (UTF-8, one line, no line end).
std::string NameProblemText(const platform::NameProblem& problem,
                            catalogue::Language language = catalogue::UserLanguage());

}  // namespace qe2m4::app

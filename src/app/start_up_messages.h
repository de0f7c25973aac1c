#pragma once

#include <string>

#include "catalogue/catalogue.h"
#include "platform/start_up.h"

namespace qe2m4::app {

// What start-up could not use, as every front end tells it, in the language (UTF-8, one line,
// no line end).
std::string SettingsWarningText(const platform::SettingsWarning& warning,
                                catalogue::Language language = catalogue::UserLanguage());
std::string StartUpErrorText(const platform::StartUpError& error,
                             catalogue::Language language = catalogue::UserLanguage());

}  // namespace qe2m4::app

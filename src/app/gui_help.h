#pragma once

#include <string>

#include "app/gui_options.h"
#include "catalogue/catalogue.h"

namespace qe2m4::app {

// The columns the window program's help is wrapped to: narrow enough that a message box never
// breaks a line again at its own width.
inline constexpr int kGuiHelpColumns = 60;

// The window program's help in the language: usage, what it does, and its options, wrapped to
// columns at blanks and between full-width characters, never inside an option or a bracketed
// group of the usage line.
std::u16string GuiHelp(WindowProgram program,
                       catalogue::Language language = catalogue::UserLanguage(),
                       int columns = kGuiHelpColumns);

// What is wrong with the window program's arguments, in one sentence naming the argument.
std::u16string GuiOptionsErrorText(const GuiOptionsError& error,
                                   catalogue::Language language = catalogue::UserLanguage());

}  // namespace qe2m4::app

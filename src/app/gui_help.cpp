#include "app/gui_help.h"

#include "app/text_wrap.h"
#include "platform/utf8.h"

namespace qe2m4::app {

namespace {

using catalogue::TextId;

struct OptionHelp {
  std::u16string_view option;
  std::u16string_view windows_option;  // empty: as on Linux
  TextId linux_text;
  TextId windows_text;
  bool on_windows = true;  // the option is the Windows window's too
};

constexpr OptionHelp kOptions[] = {
    {u"--drive L=DIR", u"", TextId::kWindowHelpDriveLinux, TextId::kWindowHelpDriveWindows},
    {u"--system-dir DIR", u"", TextId::kWindowHelpSystemDirLinux,
     TextId::kWindowHelpSystemDirWindows},
    {u"--screenshot FILE", u"", TextId::kWindowHelpScreenshot, TextId::kWindowHelpScreenshot,
     false},
    {u"FOLDER", u"", TextId::kWindowHelpFolderLinux, TextId::kWindowHelpFolderWindows},
    {u"-h, --help", u"-h, --help, /?", TextId::kWindowHelpHelp, TextId::kWindowHelpHelp},
};

std::u16string Localized(TextId id, catalogue::Language language) {
  return platform::FromUtf8(catalogue::Text(id, language));
}

std::u16string Localized(TextId id, catalogue::Language language, const std::string& argument) {
  return platform::FromUtf8(catalogue::Format(id, language, {argument}));
}

}  // namespace

std::u16string GuiHelp(WindowProgram program, catalogue::Language language, int columns) {
  const bool windows = program == WindowProgram::kWindows;
  const TextId usage = windows ? TextId::kWindowUsageWindows : TextId::kWindowUsageLinux;
  std::u16string help = WrapParagraph(Localized(usage, language), columns, 0, 4) + u"\n\n" +
                        WrapParagraph(Localized(TextId::kWindowHelpPurpose, language), columns) +
                        u"\n\n" + Localized(TextId::kWindowHelpOptions, language) + u"\n";
  for (const OptionHelp& option : kOptions) {
    if (windows && !option.on_windows) {
      continue;
    }
    const TextId text = windows ? option.windows_text : option.linux_text;
    const std::u16string_view name =
        windows && !option.windows_option.empty() ? option.windows_option : option.option;
    help += u"  " + std::u16string(name) + u"\n" +
            WrapParagraph(Localized(text, language), columns, 6, 6) + u"\n";
  }
  return help;
}

std::u16string GuiOptionsErrorText(const GuiOptionsError& error, catalogue::Language language) {
  switch (error.kind) {
    case GuiOptionsError::Kind::kUnknownOption:
      return Localized(TextId::kWindowErrorUnknownOption, language, error.argument);
    case GuiOptionsError::Kind::kNeedsValue:
      return Localized(TextId::kWindowErrorNeedsValue, language, error.argument);
    case GuiOptionsError::Kind::kNotADriveAssignment:
      return Localized(TextId::kWindowErrorDrive, language, error.argument);
    case GuiOptionsError::Kind::kSecondFolder:
      return Localized(TextId::kWindowErrorSecondFolder, language, error.argument);
  }
  return platform::FromUtf8(error.argument);
}

}  // namespace qe2m4::app

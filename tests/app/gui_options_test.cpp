#include "app/gui_options.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/gui_help.h"
#include "platform/utf8.h"

namespace qe2m4::app {
namespace {

namespace fs = std::filesystem;
using Kind = GuiOptionsError::Kind;

GuiOptions Parsed(const std::vector<std::string>& arguments,
                  WindowProgram program = WindowProgram::kLinux) {
  auto parsed = ParseGuiOptions(arguments, program);
  if (const auto* error = std::get_if<GuiOptionsError>(&parsed)) {
    ADD_FAILURE() << error->argument;
    return {};
  }
  return std::get<GuiOptions>(parsed);
}

TEST(GuiOptions, DrivesSystemFolderScreenshotAndFolder) {
  const GuiOptions options =
      Parsed({"--drive", "d=/data/borings", "--drive=E=rel/./dir/", "--drive", "Z=", "S:\\BORING1",
              "--system-dir", "/etc/qe2m4/", "--screenshot", "shot.png"});
  // The drives as given: the start-up reads them, as it reads the command line's.
  EXPECT_EQ(options.start_up.drives,
            (std::vector<std::string>{"d=/data/borings", "E=rel/./dir/", "Z="}));
  EXPECT_EQ(options.start_up.system_folder, "/etc/qe2m4/");
  EXPECT_EQ(options.screenshot, fs::path("shot.png"));
  EXPECT_EQ(options.folder, "S:\\BORING1");
  EXPECT_FALSE(options.help);
  EXPECT_TRUE(Parsed({"-h"}).help);
  EXPECT_TRUE(Parsed({"/?"}, WindowProgram::kWindows).help);
  // On Linux "/?" is a folder's path like any other.
  EXPECT_EQ(Parsed({"/?"}).folder, "/?");
  // After "--" an argument that looks like an option is a folder.
  EXPECT_EQ(Parsed({"--", "--odd name"}).folder, "--odd name");
}

TEST(GuiOptions, WrongArgumentsAreNamed) {
  struct Case {
    std::vector<std::string> arguments;
    WindowProgram program;
    Kind kind;
    std::string argument;
  };
  const Case cases[] = {
      {{"--drive", "1=/x"}, WindowProgram::kLinux, Kind::kNotADriveAssignment, "1=/x"},
      {{"--drive=DD=/x"}, WindowProgram::kLinux, Kind::kNotADriveAssignment, "DD=/x"},
      {{"--drive"}, WindowProgram::kWindows, Kind::kNeedsValue, "--drive"},
      {{"--system-dir="}, WindowProgram::kLinux, Kind::kNeedsValue, "--system-dir"},
      {{"--frobnicate"}, WindowProgram::kLinux, Kind::kUnknownOption, "--frobnicate"},
      {{"--screenshot", "x.png"}, WindowProgram::kWindows, Kind::kUnknownOption, "--screenshot"},
      {{"S:\\A", "S:\\B"}, WindowProgram::kWindows, Kind::kSecondFolder, "S:\\B"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argument);
    const auto parsed = ParseGuiOptions(c.arguments, c.program);
    ASSERT_TRUE(std::holds_alternative<GuiOptionsError>(parsed));
    EXPECT_EQ(std::get<GuiOptionsError>(parsed).kind, c.kind);
    EXPECT_EQ(std::get<GuiOptionsError>(parsed).argument, c.argument);
  }
}

TEST(GuiOptions, AnErrorNamesANonAsciiArgumentIntact) {
  const std::u16string argument = u"--変換元=Ｓ:\\現場 A";
  const auto parsed = ParseGuiOptions({platform::ToUtf8(argument)}, WindowProgram::kWindows);
  ASSERT_TRUE(std::holds_alternative<GuiOptionsError>(parsed));
  const std::u16string text = GuiOptionsErrorText(std::get<GuiOptionsError>(parsed));
  EXPECT_NE(text.find(argument), std::u16string::npos) << platform::ToUtf8(text);
}

}  // namespace
}  // namespace qe2m4::app

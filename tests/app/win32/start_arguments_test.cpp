// qe2m4-gui.exe started with a folder, with wrong arguments, with --help, and with settings it
// cannot use, as a drop on the program, a shortcut or the Send To menu starts it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/gui_help.h"
#include "app/window_start.h"
#include "catalogue/catalogue.h"
#include "platform/host_paths.h"
#include "platform/user_language.h"
#include "platform/utf8.h"
#include "win32_window_fixture.h"

namespace qe2m4::win32 {
namespace {

namespace fs = std::filesystem;
using platform::win32::Wide;
using testing::Answer;
using testing::Control;
using testing::kMessageBoxClass;
using testing::MessageText;
using testing::Text;
using testing::WaitUntil;
using testing::Win32Window;

// The language the window must speak: the one CTest started the test for (under Wine each run's
// locale makes the UI language), else the user's own.
catalogue::Language ExpectedLanguage() {
  const char* const code = std::getenv("QE2M4_TEST_LANGUAGE");
  return code != nullptr ? catalogue::Language::ForCode(code) : catalogue::UserLanguage();
}

TEST(Win32WindowLanguage, TheTestRunsAsAUserOfItsLanguage) {
  const char* const code = std::getenv("QE2M4_TEST_LANGUAGE");
  if (code == nullptr) {
    GTEST_SKIP() << "no language named; the window speaks the user's own";
  }
  EXPECT_EQ(platform::UserLanguageCode() == "ja", std::string(code) == "ja")
      << "the UI language of the test itself is " << platform::UserLanguageCode();
  EXPECT_EQ(ExpectedLanguage().code(), code);
}

TEST_F(Win32Window, AFolderDroppedOnTheProgramFillsTheSource) {
  const auto gui = Start(s_ / "qe2m4-gui.exe", {(s_ / "BORING1").wstring()});
  const HWND form = gui->WaitForWindow(kForm1Class, true);
  ASSERT_NE(form, nullptr);
  const HWND source = Control(form, "Text2");
  // The path box shows the source list's folder, which the drop opened.
  ASSERT_TRUE(WaitUntil([&] { return Text(source) == L"S:\\BORING1"; })) << Text(source);
  EXPECT_EQ(Text(Control(form, "Drive2")).substr(0, 2), L"S:");
  EXPECT_FALSE(gui->HasVisibleWindow(kMessageBoxClass));
  PostMessageW(Control(form, "Command2"), BM_CLICK, 0, 0);
  EXPECT_EQ(gui->WaitForExit(), 0u);
}

TEST_F(Win32Window, AFolderTheWindowCannotUseIsOneMessageInItsLanguage) {
  const std::wstring missing = L"S:\\現場 A\\NOPE";
  const auto gui = Start(s_ / "qe2m4-gui.exe", {missing});
  const HWND box = gui->WaitForWindow(kMessageBoxClass, true);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageText(box),
            Wide(app::FolderArgumentMessage(app::FolderArgumentProblem::kNotFound,
                                            platform::ToUtf8(platform::win32::Utf16(missing)),
                                            ExpectedLanguage())));
  EXPECT_TRUE(gui->HasVisibleWindow(kForm1Class));
  Answer(box, IDOK);
  const HWND form = gui->WaitForWindow(kForm1Class, true);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Text(Control(form, "Text2")), L"");
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_EQ(gui->WaitForExit(), 0u);
}

TEST_F(Win32Window, AWrongArgumentIsShownIntactWithTheHelp) {
  const std::wstring odd = L"--ドライブ=Ｓ:\\現場";
  const auto gui = Start(s_ / "qe2m4-gui.exe", {odd});
  const HWND box = gui->WaitForWindow(kMessageBoxClass, true);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Text(box), L"qe2m4-gui");
  const std::u16string expected =
      app::GuiOptionsErrorText({app::GuiOptionsError::Kind::kUnknownOption,
                                platform::ToUtf8(platform::win32::Utf16(odd))},
                               ExpectedLanguage()) +
      u"\n\n" + app::GuiHelp(app::WindowProgram::kWindows, ExpectedLanguage());
  EXPECT_EQ(MessageText(box), Wide(expected));
  EXPECT_FALSE(gui->HasVisibleWindow(kForm1Class));
  Answer(box, IDOK);
  EXPECT_EQ(gui->WaitForExit(), 2u);
}

TEST_F(Win32Window, HelpIsOneBoxOfTheWrappedHelp) {
  const auto gui = Start(s_ / "qe2m4-gui.exe", {L"--help"});
  const HWND box = gui->WaitForWindow(kMessageBoxClass, true);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageText(box), Wide(app::GuiHelp(app::WindowProgram::kWindows, ExpectedLanguage())));
  Answer(box, IDOK);
  EXPECT_EQ(gui->WaitForExit(), 0u);
}

TEST_F(Win32Window, SettingsWarningsShowOnceInOneBoxOverTheWindow) {
  const fs::path settings = machine_.root() / "config" / "qe2m4" / "drives.conf";
  qe2m4::testing::WriteBytes(settings, "nonsense\nS=\n現場\n");
  const auto gui = Start(s_ / "qe2m4-gui.exe");
  const HWND box = gui->WaitForWindow(kMessageBoxClass, true);
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(gui->HasVisibleWindow(kForm1Class));
  EXPECT_EQ(Text(box), Wide(app::texts::kApplicationTitle));
  const std::vector<platform::SettingsWarning> warnings = {
      {platform::SettingsWarning::Kind::kLineNotAssignment, settings, 1, 0, {}},
      {platform::SettingsWarning::Kind::kLineNotAssignment, settings, 3, 0, {}}};
  EXPECT_EQ(MessageText(box), Wide(*app::SettingsWarningsMessage(warnings, ExpectedLanguage())));
  Answer(box, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !gui->HasVisibleWindow(kMessageBoxClass); }));
  Sleep(500);
  EXPECT_FALSE(gui->HasVisibleWindow(kMessageBoxClass));
  const HWND form = gui->WaitForWindow(kForm1Class, true);
  ASSERT_NE(form, nullptr);
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_EQ(gui->WaitForExit(), 0u);
}

}  // namespace
}  // namespace qe2m4::win32

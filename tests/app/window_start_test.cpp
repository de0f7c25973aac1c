#include "app/window_start.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/form1.h"
#include "app/start_up_messages.h"
#include "platform/host_paths.h"
#include "platform/utf8.h"
#include "recording_view.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

namespace qe2m4::app {
namespace {

namespace fs = std::filesystem;
using platform::MessageButtons;
using platform::MessageIcon;
using platform::SettingsWarning;
using testing::RecordingView;
using testing::TempMachine;
using testing::WriteBytes;

// The program lives in C:\APP beside its PATDAT and was started in C:\start; D: holds borings.
class WindowStartTest : public ::testing::Test {
 protected:
  WindowStartTest() : c_(machine_.AddDrive(u'C')), d_(machine_.AddDrive(u'D')) {
    WriteBytes(c_ / "APP" / "PATDAT" / "kishitu.txt", "1");
    fs::create_directories(c_ / "start");
    fs::create_directories(d_ / u"現場 A" / "BORING1");
    WriteBytes(d_ / u"現場 A" / "X1.TXT", "1\r\n");
    machine_.fs().SetProgramFolder(u"C:\\APP");
    machine_.fs().SetCurrentFolder(u"C:\\start");
    machine_.fs().SetCurrentDrive(u'C');
    saved_working_ = fs::current_path();
  }
  ~WindowStartTest() override { fs::current_path(saved_working_); }

  // Starts the window's behaviour, then gives it the folder argument and warnings.
  void Load() {
    form_ = std::make_unique<Form1>(machine_.fs(), view_);
    ASSERT_TRUE(form_->Form_Load());
    view_.port.messages.clear();
  }
  void Start(const WindowStart& start) {
    Load();
    form_->AfterStartUp(start);
  }

  TempMachine machine_;
  fs::path c_;
  fs::path d_;
  fs::path saved_working_;
  RecordingView view_;
  std::unique_ptr<Form1> form_;
};

TEST_F(WindowStartTest, AFolderArgumentBecomesTheSource) {
  const fs::path boring = d_ / u"現場 A" / "BORING1";
  fs::current_path(d_ / u"現場 A");
  // The program's drive paths in either separator and letter case, and host paths of the folder
  // (absolute, or from the working folder).
  const std::string arguments[] = {"D:\\現場 A\\BORING1", "d:/現場 a/boring1",
                                   platform::PathUtf8(boring), "BORING1"};
  for (const std::string& argument : arguments) {
    SCOPED_TRACE(argument);
    view_.text2.clear();
    Load();
    const char16_t destination_drive = form_->Drive1.Letter();
    const std::u16string destination_folder = form_->Dir1.Path();
    form_->AfterStartUp({argument, {}});
    EXPECT_TRUE(view_.port.messages.empty());
    EXPECT_EQ(view_.text2, u"D:\\現場 A\\BORING1");
    EXPECT_EQ(form_->Dir2.Path(), u"D:\\現場 A\\BORING1");
    EXPECT_EQ(form_->Drive2.Letter(), u'D');
    // The destination side is left as it was.
    EXPECT_EQ(form_->Drive1.Letter(), destination_drive);
    EXPECT_EQ(form_->Dir1.Path(), destination_folder);
    EXPECT_EQ(machine_.fs().CurrentFolder(u'D'), u"D:\\現場 A\\BORING1");
  }
}

TEST_F(WindowStartTest, AFolderArgumentTheWindowCannotUseIsOneMessage) {
  const fs::path elsewhere = machine_.root() / "elsewhere";
  fs::create_directories(elsewhere);
  struct Case {
    std::string argument;
    FolderArgumentProblem problem;
  };
  const Case cases[] = {
      {"D:\\現場 A\\NOPE", FolderArgumentProblem::kNotFound},
      {"D:\\現場 A\\X1.TXT", FolderArgumentProblem::kNotAFolder},
      {platform::PathUtf8(d_ / u"現場 A" / "X1.TXT"), FolderArgumentProblem::kNotAFolder},
      {platform::PathUtf8(elsewhere), FolderArgumentProblem::kOnNoDrive},
      // A drive that is not mapped: a host path from the working folder, which no drive holds.
      {"Q:\\BORING1", FolderArgumentProblem::kOnNoDrive},
  };
  fs::current_path(elsewhere);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argument);
    view_.text2 = u"as before";
    Start({c.argument, {}});
    ASSERT_EQ(view_.port.messages.size(), 1u);
    const auto& message = view_.port.messages[0];
    EXPECT_EQ(message.text, FolderArgumentMessage(c.problem, c.argument));
    EXPECT_NE(message.text.find(platform::FromUtf8(c.argument)), std::u16string::npos);
    EXPECT_EQ(message.icon, MessageIcon::kExclamation);
    EXPECT_EQ(message.buttons, MessageButtons::kOk);
    EXPECT_EQ(view_.text2, u"as before");
  }
}

TEST_F(WindowStartTest, SettingsWarningsShowOnceInOneInformationBox) {
  const std::vector<SettingsWarning> warnings = {
      {SettingsWarning::Kind::kLineNotAssignment, c_ / "drives.conf", 4, 0, {}},
      {SettingsWarning::Kind::kFileTooLarge, c_ / "drives.conf", 0, 1024, {}},
  };
  Start({std::nullopt, warnings});
  ASSERT_EQ(view_.port.messages.size(), 1u);
  const auto& message = view_.port.messages[0];
  EXPECT_EQ(message.icon, MessageIcon::kInformation);
  EXPECT_EQ(message.buttons, MessageButtons::kOk);
  EXPECT_EQ(message.title, std::nullopt);
  // Each warning on a line of its own.
  for (const SettingsWarning& warning : warnings) {
    EXPECT_NE(message.text.find(u"\n" + platform::FromUtf8(SettingsWarningText(warning))),
              std::u16string::npos)
        << platform::ToUtf8(message.text);
  }
  EXPECT_NE(message.text.find(u":4"), std::u16string::npos);

  // None: no box at all.
  view_.port.messages.clear();
  form_->AfterStartUp({});
  EXPECT_TRUE(view_.port.messages.empty());
}

TEST_F(WindowStartTest, AFolderProblemAndWarningsAreTwoMessagesInThatOrder) {
  Start({"D:\\NOPE", {{SettingsWarning::Kind::kFileIsFolder, c_ / "drives.conf", 0, 0, {}}}});
  ASSERT_EQ(view_.port.messages.size(), 2u);
  EXPECT_EQ(view_.port.messages[0].icon, MessageIcon::kExclamation);
  EXPECT_EQ(view_.port.messages[1].icon, MessageIcon::kInformation);
}

TEST(WindowLaunch, HelpUsageErrorsOrTheMachine) {
  TempMachine machine;
  qe2m4::testing::SetUserConfigRoot(machine.root());
  WriteBytes(machine.root() / "qe2m4" / "drives.conf", "C=\nZ=\nnonsense\n");
  const std::string s = "S=" + platform::PathUtf8(machine.AddDrive(u'S'));

  const auto help = LaunchWindow({"--help"}, WindowProgram::kWindows);
  ASSERT_TRUE(std::holds_alternative<ShowGuiHelp>(help));
  EXPECT_EQ(std::get<ShowGuiHelp>(help).text, GuiHelp(WindowProgram::kWindows));

  const std::string odd = platform::ToUtf8(u"--ドライブ");
  const auto unknown = LaunchWindow({odd}, WindowProgram::kLinux);
  ASSERT_TRUE(std::holds_alternative<GuiUsageError>(unknown));
  EXPECT_EQ(std::get<GuiUsageError>(unknown).text,
            GuiOptionsErrorText({GuiOptionsError::Kind::kUnknownOption, odd}) + u"\n\n" +
                GuiHelp(WindowProgram::kLinux));

  const std::string nowhere = platform::PathUtf8(machine.root() / "nowhere");
  const auto no_drive =
      LaunchWindow({"--drive", s, "--system-dir", nowhere}, WindowProgram::kLinux);
  ASSERT_TRUE(std::holds_alternative<GuiUsageError>(no_drive));
  EXPECT_NE(std::get<GuiUsageError>(no_drive).text.find(platform::FromUtf8(nowhere)),
            std::u16string::npos);

  const auto open =
      LaunchWindow({"--drive", s, "--system-dir", s.substr(2), "S:\\B"}, WindowProgram::kLinux);
  ASSERT_TRUE(std::holds_alternative<OpenWindow>(open));
  const OpenWindow& window = std::get<OpenWindow>(open);
  EXPECT_EQ(window.file_system.SystemFolder(), u"S:\\");
  EXPECT_EQ(window.start.folder, "S:\\B");
  ASSERT_EQ(window.start.warnings.size(), 1u);
  EXPECT_EQ(window.start.warnings[0].line, 3);
}

}  // namespace
}  // namespace qe2m4::app

// What the Qt window does with what it was started with: the folder argument and the settings
// warnings, as a user sees them.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "app/gui_options.h"
#include "app/window/drive_list_box.h"
#include "app/window/folder_list_tree.h"
#include "app/window/form1_window.h"
#include "app/window_start.h"
#include "platform/host_paths.h"
#include "support/temp_machine.h"
#include "window_test_support.h"

namespace qe2m4::window {
namespace {

namespace fs = std::filesystem;
using platform::SettingsWarning;
using qe2m4::testing::TempMachine;
using qe2m4::testing::WriteBytes;
using testing::Child;
using testing::MessageBoxAnswerer;
using testing::Q;

// The program lives in C:\APP beside its PATDAT; the borings are on S:.
class StartArguments : public ::testing::Test {
 protected:
  StartArguments() : c_(machine_.AddDrive(u'C')), s_(machine_.AddDrive(u'S')) {
    WriteBytes(c_ / "APP" / "PATDAT" / "kishitu.txt", "1");
    fs::create_directories(s_ / "現場" / "BORING1");
    machine_.fs().SetProgramFolder(u"C:\\APP");
    machine_.fs().SetCurrentDrive(u'C');
  }

  TempMachine machine_;
  fs::path c_;
  fs::path s_;
};

TEST_F(StartArguments, AHostFolderOnADriveFillsTheSourceAndOpensItsLists) {
  Form1Window form(machine_.fs());
  ASSERT_TRUE(form.behaviour().Form_Load());
  form.show();
  MessageBoxAnswerer answerer;
  form.behaviour().AfterStartUp({platform::PathUtf8(s_ / "現場" / "BORING1"), {}});
  EXPECT_TRUE(answerer.seen().empty());
  EXPECT_EQ(Child<QLineEdit>(form, "Text2").text(), Q(u"S:\\現場\\BORING1"));
  EXPECT_TRUE(Child<DriveListBox>(form, "Drive2").currentText().startsWith("S:"));
  const QTreeWidgetItem* const current = Child<FolderListTree>(form, "Dir2").currentItem();
  ASSERT_NE(current, nullptr);
  EXPECT_EQ(current->text(0), "BORING1");
  // The destination side is as start-up left it.
  EXPECT_TRUE(Child<DriveListBox>(form, "Drive1").currentText().startsWith("C:"));
  EXPECT_EQ(Child<QLineEdit>(form, "Text1").text(), "");
}

TEST_F(StartArguments, AMissingFolderIsOneMessageAndTheWindowGoesOn) {
  Form1Window form(machine_.fs());
  ASSERT_TRUE(form.behaviour().Form_Load());
  form.show();
  MessageBoxAnswerer answerer;
  form.behaviour().AfterStartUp({"S:\\現場\\NOPE", {}});
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].text,
            Q(app::FolderArgumentMessage(app::FolderArgumentProblem::kNotFound, "S:\\現場\\NOPE")));
  EXPECT_EQ(answerer.seen()[0].icon, QMessageBox::Warning);
  EXPECT_EQ(Child<QLineEdit>(form, "Text2").text(), "");
  EXPECT_TRUE(form.isVisible());
}

TEST_F(StartArguments, SettingsWarningsShowOnceInOneBox) {
  Form1Window form(machine_.fs());
  ASSERT_TRUE(form.behaviour().Form_Load());
  form.show();
  const std::vector<SettingsWarning> warnings = {
      {SettingsWarning::Kind::kLineNotAssignment, c_ / "drives.conf", 2, 0, {}},
      {SettingsWarning::Kind::kLineNotAssignment, c_ / "drives.conf", 5, 0, {}},
  };
  {
    MessageBoxAnswerer answerer;
    form.behaviour().AfterStartUp({std::nullopt, warnings});
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].icon, QMessageBox::Information);
    EXPECT_EQ(answerer.seen()[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(answerer.seen()[0].text, Q(*app::SettingsWarningsMessage(warnings)));
  }
  MessageBoxAnswerer answerer;
  form.behaviour().AfterStartUp({});
  EXPECT_TRUE(answerer.seen().empty());
}

// The desktop entry's command line, its field codes expanded as a file manager does when the
// user opens a folder with the program: %f is the one folder, as one argument.
std::vector<std::string> DesktopEntryCommand(const fs::path& entry, const std::string& folder) {
  std::ifstream file(entry);
  std::vector<std::string> command;
  std::string mime_types;
  for (std::string line; std::getline(file, line);) {
    if (line.starts_with("MimeType=")) {
      mime_types = line.substr(9);
    } else if (line.starts_with("Exec=")) {
      std::istringstream words(line.substr(5));
      for (std::string word; words >> word;) {
        command.push_back(word == "%f" ? folder : word);
      }
    }
  }
  // Offered for folders only: the file manager lists the program under "open with" for them.
  EXPECT_EQ(mime_types, "inode/directory;");
  return command;
}

TEST_F(StartArguments, AFolderOpenedWithTheDesktopEntryFillsTheSource) {
  fs::create_directories(s_ / "現場 A" / "No.2");
  const std::string folder = platform::PathUtf8(s_ / "現場 A" / "No.2");
  const std::vector<std::string> command = DesktopEntryCommand(QE2M4_DESKTOP_ENTRY, folder);
  ASSERT_EQ(command, (std::vector<std::string>{"qe2m4-gui", folder}));
  const auto options =
      app::ParseGuiOptions({command.begin() + 1, command.end()}, app::WindowProgram::kLinux);
  ASSERT_TRUE(std::holds_alternative<app::GuiOptions>(options));
  Form1Window form(machine_.fs());
  ASSERT_TRUE(form.behaviour().Form_Load());
  form.show();
  MessageBoxAnswerer answerer;
  form.behaviour().AfterStartUp({std::get<app::GuiOptions>(options).folder, {}});
  EXPECT_TRUE(answerer.seen().empty());
  EXPECT_EQ(Child<QLineEdit>(form, "Text2").text(), Q(u"S:\\現場 A\\No.2"));
}

}  // namespace
}  // namespace qe2m4::window

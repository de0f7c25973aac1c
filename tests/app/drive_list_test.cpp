#include "app/drive_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/error.h"
#include "platform/host_paths.h"
#include "platform/utf8.h"
#include "support/temp_machine.h"

namespace qe2m4::app {
namespace {

namespace fs = std::filesystem;
using testing::TempMachine;

TEST(DriveListTest, ListsTheUsableDrivesLetterFirstAndChoosesTheCurrentOne) {
  TempMachine machine;
  const fs::path d = machine.AddDrive(u'D');
  machine.AddDrive(u'F');
  machine.fs().MapDrive(u'E', machine.root() / "missing");
  machine.fs().SetCurrentDrive(u'F');
  int changes = 0;
  DriveList list(machine.fs(), [&changes] { ++changes; });
  ASSERT_EQ(list.Entries().size(), 2u);
  EXPECT_EQ(list.Entries()[0].letter, u'D');
  EXPECT_EQ(list.Entries()[0].text, u"D: [" + platform::FromUtf8(d.string()) + u"]");
  EXPECT_EQ(list.Entries()[1].text.substr(0, 3), u"F: ");
  EXPECT_EQ(list.Letter(), u'F');
  EXPECT_EQ(list.Chosen(), 1u);
  EXPECT_EQ(changes, 0);  // the first choice is no change

  list.SetDrive(u'd');
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(list.Drive().substr(0, 2), u"D:");
  list.SetDrive(u'D');  // the same drive again changes nothing
  EXPECT_EQ(changes, 1);
  EXPECT_THROW(list.SetDrive(u'E'), platform::Error);
  EXPECT_THROW(list.SetDrive(u'1'), platform::Error);
  EXPECT_EQ(list.Letter(), u'D');

  list.Choose(1);
  EXPECT_EQ(list.Letter(), u'F');
  list.Choose(7);  // beyond the list: ignored
  EXPECT_EQ(list.Letter(), u'F');
  EXPECT_EQ(changes, 2);
}

TEST(DriveListTest, RereadingKeepsTheChoiceEvenWhenItsDriveWentAway) {
  TempMachine machine;
  machine.AddDrive(u'D');
  const fs::path f = machine.AddDrive(u'F');
  machine.fs().SetCurrentDrive(u'F');
  int changes = 0;
  DriveList list(machine.fs(), [&changes] { ++changes; });

  machine.AddDrive(u'E');
  list.Refresh();
  ASSERT_EQ(list.Entries().size(), 3u);
  EXPECT_EQ(list.Letter(), u'F');

  fs::remove_all(f);
  list.Refresh();
  ASSERT_EQ(list.Entries().size(), 3u);  // still listed, so the choice did not change silently
  EXPECT_EQ(list.Letter(), u'F');
  list.Choose(0);
  list.Refresh();
  EXPECT_EQ(list.Entries().size(), 2u);
  EXPECT_EQ(changes, 1);
}

TEST(DriveListTest, WithoutDrivesNothingIsChosen) {
  TempMachine machine;
  DriveList list(machine.fs(), nullptr);
  EXPECT_TRUE(list.Entries().empty());
  EXPECT_EQ(list.Chosen(), std::nullopt);
  EXPECT_EQ(list.Drive(), u"");
  EXPECT_EQ(list.Letter(), 0);

  machine.AddDrive(u'K');
  list.Refresh();
  EXPECT_EQ(list.Letter(), u'K');  // a list with drives always shows one
}

#ifdef _WIN32
// A letter that is no drive on this machine, for a volume root that is not ready.
std::optional<wchar_t> AbsentLetter() {
  const DWORD present = GetLogicalDrives();
  for (wchar_t letter = L'Z'; letter >= L'D'; --letter) {
    if ((present & (1u << (letter - L'A'))) == 0) {
      return letter;
    }
  }
  return std::nullopt;
}

// A drive that is a volume's root is listed under the volume's label as Windows lists drives (the
// letter alone when there is no label or no medium); a drive mapped onto an inner folder or a
// share shows that folder.
TEST(DriveListTest, AVolumeRootShowsItsLabelAndAMappedDriveItsFolder) {
  const auto c_root = platform::HostVolumeName(fs::path(L"C:\\"));
  ASSERT_TRUE(c_root.has_value());
  EXPECT_EQ(platform::HostVolumeName(fs::path(L"C:/")), c_root);
  EXPECT_EQ(platform::HostVolumeName(fs::path(L"C:")), std::nullopt);  // C:'s working folder
  EXPECT_EQ(platform::HostVolumeName(fs::path(L"C:\\windows")), std::nullopt);
  EXPECT_EQ(platform::HostVolumeName(fs::path(L"\\\\server\\share\\")), std::nullopt);

  TempMachine machine;
  machine.fs().MapDrive(u'C', fs::path(L"C:\\"));
  const fs::path d = machine.AddDrive(u'D');
  EXPECT_EQ(DriveEntryText(machine.fs(), u'C'), c_root->empty() ? u"C:" : u"C: [" + *c_root + u"]");
  EXPECT_EQ(DriveEntryText(machine.fs(), u'D'), u"D: [" + platform::PathText(d) + u"]");
  machine.fs().MapDrive(u'N', fs::path(L"\\\\server\\share"));
  EXPECT_EQ(DriveEntryText(machine.fs(), u'N'), u"N: [\\\\server\\share]");

  const auto absent = AbsentLetter();
  ASSERT_TRUE(absent.has_value());
  const std::wstring root{*absent, L':', L'\\'};
  EXPECT_EQ(platform::HostVolumeName(fs::path(root)), std::u16string());
  machine.fs().MapDrive(u'E', fs::path(root));
  EXPECT_EQ(DriveEntryText(machine.fs(), u'E'), u"E:");
}
#endif

}  // namespace
}  // namespace qe2m4::app

#include "app/folder_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/error.h"
#include "support/temp_machine.h"

namespace qe2m4::app {
namespace {

namespace fs = std::filesystem;
using testing::TempMachine;

class FolderListTest : public ::testing::Test {
 protected:
  FolderListTest() : c_(machine_.AddDrive(u'C')) {
    fs::create_directories(c_ / "Tyujyou" / "K123");
    fs::create_directories(c_ / "Tyujyou" / "A1");
    fs::create_directories(c_ / "Tyujyou" / ".hidden");
    fs::create_directories(c_ / "other");
    machine_.fs().SetCurrentFolder(u"C:\\other");
    machine_.fs().SetCurrentDrive(u'C');
    list_.emplace(
        machine_.fs(), [this] { ++filled_; }, [this] { changes_.push_back(list_->Path()); });
  }

  // The entries as "depth:text", with "+" for a level and "-" for a subfolder.
  static std::vector<std::u16string> Entries(const FolderList& list) {
    std::vector<std::u16string> entries;
    for (const FolderList::Entry& entry : list.Entries()) {
      entries.push_back(std::u16string(1, static_cast<char16_t>(u'0' + entry.depth)) +
                        (entry.level ? u"+" : u"-") + entry.text);
    }
    return entries;
  }

  std::size_t IndexOf(const FolderList& list, std::u16string_view text) {
    for (std::size_t i = 0; i < list.Entries().size(); ++i) {
      if (list.Entries()[i].text == text) {
        return i;
      }
    }
    ADD_FAILURE() << "no entry";
    return list.Entries().size();
  }

  TempMachine machine_;
  fs::path c_;
  int filled_ = 0;
  std::vector<std::u16string> changes_;
  std::optional<FolderList> list_;
};

TEST_F(FolderListTest, ShowsTheLevelsThenTheSubfolders) {
  FolderList& list = *list_;
  EXPECT_EQ(list.Path(), u"C:\\other");  // starts at the current folder
  EXPECT_EQ(filled_, 0);                 // the view asks for the first content itself

  list.SetPath(u"c:\\TYUJYOU");
  EXPECT_EQ(list.Path(), u"C:\\Tyujyou");  // the names as stored
  EXPECT_EQ(Entries(list),
            (std::vector<std::u16string>{u"0+C:\\", u"1+Tyujyou", u"2-A1", u"2-K123"}));
  EXPECT_EQ(list.Entries()[3].path, u"C:\\Tyujyou\\K123");
  EXPECT_EQ(list.CurrentIndex(), 1u);
  EXPECT_EQ(filled_, 1);

  list.SetPath(u"C:\\");
  EXPECT_EQ(Entries(list), (std::vector<std::u16string>{u"0+C:\\", u"1-Tyujyou", u"1-other"}));
  EXPECT_EQ(list.CurrentIndex(), 0u);
  EXPECT_EQ(changes_, (std::vector<std::u16string>{u"C:\\Tyujyou", u"C:\\"}));
}

TEST_F(FolderListTest, SettingAMissingFolderFailsAndChangesNothing) {
  FolderList& list = *list_;
  EXPECT_THROW(list.SetPath(u"C:\\tyujyou\\none"), platform::Error);
  EXPECT_THROW(list.SetPath(u"Q:\\"), platform::Error);
  qe2m4::testing::WriteBytes(c_ / "file.txt", "x");
  EXPECT_THROW(list.SetPath(u"C:\\file.txt"), platform::Error);
  EXPECT_EQ(list.Path(), u"C:\\other");
  EXPECT_TRUE(changes_.empty());
  EXPECT_EQ(filled_, 0);

  list.SetPath(u"C:");  // a drive alone stands for its current folder
  EXPECT_EQ(list.Path(), u"C:\\other");
  EXPECT_EQ(changes_.size(), 1u);
}

TEST_F(FolderListTest, OpeningAnEntryMakesItTheFolder) {
  FolderList& list = *list_;
  list.SetPath(u"C:\\tyujyou");
  list.Open(IndexOf(list, u"K123"));
  EXPECT_EQ(list.Path(), u"C:\\Tyujyou\\K123");
  list.Open(0);  // a level goes up to it
  EXPECT_EQ(list.Path(), u"C:\\");
  list.Open(99);  // beyond the list: ignored
  EXPECT_EQ(changes_, (std::vector<std::u16string>{u"C:\\Tyujyou", u"C:\\Tyujyou\\K123", u"C:\\"}));
}

TEST_F(FolderListTest, AFolderThatWentAwayLeadsToTheNearestLevelLeft) {
  FolderList& list = *list_;
  list.SetPath(u"C:\\tyujyou");
  changes_.clear();

  // Opening a subfolder that went away reads the list again; the folder stays.
  fs::remove_all(c_ / "Tyujyou" / "A1");
  const int filled_before = filled_;
  list.Open(IndexOf(list, u"A1"));
  EXPECT_EQ(list.Path(), u"C:\\Tyujyou");
  EXPECT_EQ(Entries(list), (std::vector<std::u16string>{u"0+C:\\", u"1+Tyujyou", u"2-K123"}));
  EXPECT_EQ(filled_, filled_before + 1);
  EXPECT_TRUE(changes_.empty());

  // The list's own folder and its parent went away: the root is the nearest level left.
  fs::create_directories(c_ / "Tyujyou" / "K123" / "deep");
  list.SetPath(u"C:\\Tyujyou\\K123\\deep");
  changes_.clear();
  fs::remove_all(c_ / "Tyujyou");
  list.Refresh();
  EXPECT_EQ(list.Path(), u"C:\\");
  EXPECT_EQ(changes_, (std::vector<std::u16string>{u"C:\\"}));
}

TEST(FolderListStart, WithoutDrivesTheListIsEmpty) {
  TempMachine machine;
  FolderList list(machine.fs(), nullptr, nullptr);
  EXPECT_EQ(list.Path(), u"");
  EXPECT_TRUE(list.Entries().empty());
  list.Refresh();
  EXPECT_TRUE(list.Entries().empty());
}

// Only Linux lets a folder hold these names: shown, they would open other folders than their own.
#ifndef _WIN32
TEST_F(FolderListTest, ShowsNoFolderWhoseNameCannotBeALevel) {
  for (const char* name : {"x\\..", "\\", "a\\..\\..\\other", "TAB\t", "\x93\x8C\x8B\x9E"}) {
    fs::create_directories(c_ / "Tyujyou" / name);
  }
  FolderList& list = *list_;
  list.SetPath(u"C:\\Tyujyou");
  EXPECT_EQ(Entries(list),
            (std::vector<std::u16string>{u"0+C:\\", u"1+Tyujyou", u"2-A1", u"2-K123", u"2-東京"}));
  // A name from a Windows archive opens its own folder.
  list.Open(IndexOf(list, u"東京"));
  EXPECT_EQ(list.Path(), u"C:\\Tyujyou\\東京");
  EXPECT_TRUE(machine_.fs().FolderExists(list.Path()));
}
#endif

}  // namespace
}  // namespace qe2m4::app

#include "platform/drive_path.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/file_system.h"
#include "support/temp_machine.h"

namespace qe2m4::platform {
namespace {

using testing::ReadBytes;
using testing::TempMachine;
using testing::WriteBytes;

struct ParseCase {
  std::u16string text;
  char16_t drive;
  std::vector<std::u16string> levels;
  std::u16string path;    // Text()
  std::u16string folder;  // FolderText()
};

TEST(DrivePath, ParsesTheFormsAPathIsWrittenIn) {
  const ParseCase cases[] = {
      {u"D:\\A\\B\\", u'D', {u"A", u"B"}, u"D:\\A\\B", u"D:\\A\\B\\"},
      {u"D:\\A\\B", u'D', {u"A", u"B"}, u"D:\\A\\B", u"D:\\A\\B\\"},
      {u"d:/a/b", u'D', {u"a", u"b"}, u"D:\\a\\b", u"D:\\a\\b\\"},
      {u"D:\\", u'D', {}, u"D:\\", u"D:\\"},
      {u"D:", u'D', {}, u"D:\\", u"D:\\"},
      {u"D:A", u'D', {u"A"}, u"D:\\A", u"D:\\A\\"},
      {u"D:\\A\\\\.\\B", u'D', {u"A", u"B"}, u"D:\\A\\B", u"D:\\A\\B\\"},
      {u"D:\\A\\..\\..\\B", u'D', {u"B"}, u"D:\\B", u"D:\\B\\"},
      {u"D:\\ﾃﾞｰﾀ\\長い名前 の\\",
       u'D',
       {u"ﾃﾞｰﾀ", u"長い名前 の"},
       u"D:\\ﾃﾞｰﾀ\\長い名前 の",
       u"D:\\ﾃﾞｰﾀ\\長い名前 の\\"},
  };
  for (const ParseCase& c : cases) {
    const auto path = DrivePath::Parse(c.text);
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(path->drive(), c.drive);
    EXPECT_EQ(path->levels(), c.levels);
    EXPECT_EQ(path->Text(), c.path);
    EXPECT_EQ(path->FolderText(), c.folder);
    EXPECT_EQ(path->IsRoot(), c.levels.empty());
  }
}

TEST(DrivePath, RefusesATextWithoutADriveLetter) {
  for (const std::u16string text : {u"", u"D", u"\\A\\B", u"A\\B", u"1:\\A", u"Ｄ:\\A", u":\\A"}) {
    EXPECT_FALSE(DrivePath::Parse(text).has_value());
  }
  EXPECT_THROW(DrivePath(u'1'), std::invalid_argument);
}

TEST(DrivePath, JoinsNamesAndGoesUp) {
  const DrivePath folder = *DrivePath::Parse(u"D:\\TYUJYOU\\K1\\");
  EXPECT_EQ(folder.Join(u"N1.txt").Text(), u"D:\\TYUJYOU\\K1\\N1.txt");
  EXPECT_EQ(folder.Join(u"N1.txt").Name(), u"N1.txt");
  EXPECT_EQ(folder.Join(u"A\\B").levels().size(), 4u);
  EXPECT_EQ(folder.Join(u"..\\K2").Text(), u"D:\\TYUJYOU\\K2");
  EXPECT_EQ(folder.Join(u"").Text(), folder.Text());
  EXPECT_EQ(folder.Parent().Text(), u"D:\\TYUJYOU");
  EXPECT_EQ(folder.Parent().Parent().Text(), u"D:\\");
  EXPECT_EQ(folder.Parent().Parent().Parent().Text(), u"D:\\");  // a root is its own parent
  EXPECT_EQ(DrivePath(u'e').Name(), u"");
  // Levels given whole go through the same rules.
  EXPECT_EQ(DrivePath(u'D', {u"A\\B", u".", u"C"}).levels(),
            (std::vector<std::u16string>{u"A", u"B", u"C"}));
}

TEST(DrivePath, ComparesWithoutRegardToLetterCase) {
  const DrivePath a = *DrivePath::Parse(u"d:\\tyujyou\\ｋ1\\x4.txt");
  const DrivePath b = *DrivePath::Parse(u"D:\\TYUJYOU\\Ｋ1\\X4.TXT");
  EXPECT_TRUE(a == b);
  EXPECT_EQ(a.Key(), b.Key());
  EXPECT_FALSE(a == *DrivePath::Parse(u"E:\\TYUJYOU\\Ｋ1\\X4.TXT"));
  EXPECT_FALSE(a == b.Parent());
  EXPECT_TRUE(Contains(b.Parent(), a));
  EXPECT_TRUE(Contains(DrivePath(u'D'), a));
  EXPECT_TRUE(Contains(a, b));
  EXPECT_FALSE(Contains(a, b.Parent()));
  EXPECT_FALSE(Contains(*DrivePath::Parse(u"D:\\TYU"), a));  // a level, not a prefix of text
}

TEST(DrivePath, TheFileSystemTakesItAsItTakesItsText) {
  TempMachine machine;
  const auto d = machine.AddDrive(u'D');
  WriteBytes(d / "Boring" / "x4.txt", "data");
  FileSystem& fs = machine.fs();
  fs.SetCurrentDrive(u'D');
  fs.SetCurrentFolder(u"D:\\boring");
  const DrivePath file = *DrivePath::Parse(u"D:\\BORING\\X4.TXT");
  EXPECT_EQ(fs.PathOf(u"x4.txt"), file);
  EXPECT_EQ(fs.PathOf(u"\\Boring\\.\\x4.txt").Text(), u"D:\\Boring\\x4.txt");
  EXPECT_EQ(fs.Resolve(file), d / "Boring" / "x4.txt");
  EXPECT_TRUE(fs.FileExists(file));
  EXPECT_FALSE(fs.FolderExists(file));
  EXPECT_TRUE(fs.FolderExists(file.Parent()));
  EXPECT_EQ(fs.FileSize(file), 4u);
  EXPECT_EQ(fs.ReadAll(file), "data");
  EXPECT_EQ(fs.ListFiles(file.Parent(), u"X?.TXT"), std::vector<std::u16string>{u"x4.txt"});
  fs.CopyFile(file, file.Parent().Join(u"N4.txt"));
  EXPECT_EQ(ReadBytes(d / "Boring" / "N4.txt"), "data");
  EXPECT_TRUE(fs.SameFolder(file.Parent(), *DrivePath::Parse(u"d:\\BORING\\")));
}

}  // namespace
}  // namespace qe2m4::platform

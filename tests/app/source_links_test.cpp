// Links among a boring's files: a file of the source folder that the run reads or copies is
// never read through a symbolic link at its own name, which could lead to any file of the
// machine and copy it into the destination. Links on the folder levels and drive folders lead
// to the boring as ever; the program's own tables may be links; an output that is a link is
// replaced, never written through.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/texts.h"
#include "platform/utf8.h"
#include "sample_machine.h"
#include "support/host_environment.h"

namespace qe2m4::app {
namespace {

namespace fs = std::filesystem;
using testing::SampleMachine;
using testing::Snapshot;

#ifndef _WIN32
// Links to files are made on POSIX systems only (Windows needs a privilege for them, and Wine
// makes none).

// The destination's files in the order a run publishes them.
const std::vector<std::string> kPublished = {
    "N10.TXT", "N2.TXT", "N8.TXT",  "N9.TXT", "CNT.TXT", "Titl1.txt", "Titl2.txt", "N1.txt",
    "N1A.txt", "N4.txt", "N11.txt", "N3.txt", "N12.txt", "N5.txt",    "N6.txt",    "N7.txt"};

constexpr std::string_view kSecret = "SECRET";

// Records of nothing but the secret: whichever fields a file's converter writes, the secret is
// among them, and a title file's first line carries it into Titl1.txt.
std::string SecretRecords() {
  std::string line;
  for (int k = 0; k < 70; ++k) {
    line += (k > 0 ? "," : "") + std::string(kSecret);
  }
  return line + "\r\n" + line + "\r\n";
}

// The destination files, below every folder of drive D:, that hold the secret.
std::vector<std::string> FilesHoldingTheSecret(const SampleMachine& m) {
  std::vector<std::string> holding;
  for (const auto& [name, bytes] : Snapshot(m.d())) {
    if (bytes.find(kSecret) != std::string::npos) {
      holding.push_back(name);
    }
  }
  return holding;
}

struct SourceFileCase {
  const char* name;          // the source file's host name in BORING1
  std::u16string_view path;  // the path the message names
  const char* first_absent;  // the first output of kPublished that the file keeps from being made
};

const SourceFileCase kSourceFiles[] = {
    {"N2.TXT", u"S:\\BORING1\\N2.TXT", "N2.TXT"},
    {"N9.TXT", u"S:\\BORING1\\N9.TXT", "N9.TXT"},
    {"titl01.txt", u"S:\\BORING1\\titl01.txt", "CNT.TXT"},
    {"titl02.txt", u"S:\\BORING1\\titl02.txt", "CNT.TXT"},
    {"CNT.TXT", u"S:\\BORING1\\CNT.TXT", "CNT.TXT"},
    {"X1.TXT", u"S:\\BORING1\\X1.TXT", "N1.txt"},
    {"X4.TXT", u"S:\\BORING1\\X4.TXT", "N4.txt"},
    {"X11.TXT", u"S:\\BORING1\\X11.TXT", "N11.txt"},
    {"X3.TXT", u"S:\\BORING1\\X3.TXT", "N3.txt"},
    {"X12.TXT", u"S:\\BORING1\\X12.TXT", "N12.txt"},
    {"X5.TXT", u"S:\\BORING1\\X5.TXT", "N5.txt"},
    {"X6.TXT", u"S:\\BORING1\\X6.TXT", "N6.txt"},
    {"X7.TXT", u"S:\\BORING1\\X7.TXT", "N7.txt"},
};

TEST(SourceLinks, EachFileOfTheBoringThatIsALinkIsRefusedAndNothingLeaks) {
  for (const SourceFileCase& c : kSourceFiles) {
    // The same secret as an ordinary file of the boring reaches the destination: what the
    // link would have leaked.
    SampleMachine plain;
    testing::WriteBytes(plain.s() / "BORING1" / c.name, SecretRecords());
    ASSERT_TRUE(plain.Convert().succeeded) << c.name;
    EXPECT_FALSE(FilesHoldingTheSecret(plain).empty()) << c.name;

    SampleMachine m;
    const fs::path secret = m.s().parent_path() / "private" / "key.txt";
    testing::WriteBytes(secret, SecretRecords());
    fs::remove(m.s() / "BORING1" / c.name);
    ASSERT_TRUE(testing::MakeFileLink(secret, m.s() / "BORING1" / c.name));
    const auto before = Snapshot(m.s());
    EXPECT_FALSE(m.Convert().succeeded) << c.name;
    ASSERT_EQ(m.Shown().size(), 1u) << c.name;
    const std::u16string text = m.Shown()[0];
    EXPECT_EQ(text, std::u16string(texts::kRunError) + u"\n" +
                        std::u16string(c.name[0] == 'N' || c.name[0] == 't' ? texts::kErrorCopy
                                                                            : texts::kErrorRead) +
                        u"\n" + std::u16string(c.path) + u"\n" +
                        std::u16string(texts::kCauseNotAFile))
        << c.name << ": " << platform::ToUtf8(text);
    EXPECT_EQ(FilesHoldingTheSecret(m), std::vector<std::string>{}) << c.name;
    // Outputs are complete or absent in their fixed order: those before the refused file are
    // this run's, the refused file's and all after it are not made.
    const auto first_absent = std::find(kPublished.begin(), kPublished.end(), c.first_absent);
    ASSERT_NE(first_absent, kPublished.end()) << c.name;
    for (auto it = kPublished.begin(); it != kPublished.end(); ++it) {
      EXPECT_EQ(fs::exists(m.out() / *it), it < first_absent) << c.name << ": " << *it;
    }
    EXPECT_EQ(SampleMachine::Leftovers(m.out()), std::vector<std::string>{}) << c.name;
    EXPECT_EQ(Snapshot(m.s()), before) << c.name;
  }
}

// A link that leads nowhere reads nothing: it is a missing file, as listings take it.
TEST(SourceLinks, ALinkThatLeadsNowhereIsAMissingFile) {
  SampleMachine m;
  for (const char* name : {"X3.TXT", "N8.TXT"}) {
    fs::remove(m.s() / "BORING1" / name);
    ASSERT_TRUE(testing::MakeFileLink(m.s().parent_path() / "nowhere", m.s() / "BORING1" / name));
  }
  EXPECT_TRUE(m.Convert().succeeded);
  EXPECT_FALSE(fs::exists(m.out() / "N3.txt"));
  EXPECT_FALSE(fs::exists(m.out() / "N8.TXT"));
  EXPECT_TRUE(fs::exists(m.out() / "N12.txt"));
}

// Patdat32.ini and the pattern data belong to the machine, not to a boring: links to them are
// followed, as an installation may make them.
TEST(SourceLinks, LinksToTheProgramsOwnTablesAreFollowed) {
  SampleMachine clean;
  ASSERT_TRUE(clean.Convert().succeeded);
  SampleMachine m;
  const fs::path kept = m.s().parent_path() / "installed";
  for (const fs::path& file : {m.s() / "Patdat32.ini", m.s() / "PATDAT" / "L9.txt"}) {
    testing::WriteBytes(kept / file.filename(), testing::ReadBytes(file));
    fs::remove(file);
    ASSERT_TRUE(testing::MakeFileLink(kept / file.filename(), file));
  }
  ASSERT_TRUE(m.Convert().succeeded) << (m.Shown().empty() ? "" : platform::ToUtf8(m.Shown()[0]));
  EXPECT_EQ(testing::ReadBytes(m.out() / "N6.txt"), testing::ReadBytes(clean.out() / "N6.txt"));
}

// Outputs that are links in the destination (the pass-through copies, CNT.TXT, a converted
// file) are replaced by the new files; the files the links led to stay as they were.
TEST(SourceLinks, OutputsThatAreLinksAreReplacedNeverWrittenThrough) {
  SampleMachine clean;
  ASSERT_TRUE(clean.Convert().succeeded);
  SampleMachine m;
  const fs::path elsewhere = m.s().parent_path() / "elsewhere.txt";
  testing::WriteBytes(elsewhere, "untouched");
  fs::create_directories(m.out());
  for (const char* name : {"N2.TXT", "CNT.TXT", "Titl1.txt", "N4.txt"}) {
    ASSERT_TRUE(testing::MakeFileLink(elsewhere, m.out() / name));
  }
  ASSERT_TRUE(m.Convert().succeeded);
  EXPECT_EQ(testing::ReadBytes(elsewhere), "untouched");
  for (const char* name : {"N2.TXT", "CNT.TXT", "Titl1.txt", "N4.txt"}) {
    EXPECT_FALSE(fs::is_symlink(m.out() / name)) << name;
    EXPECT_EQ(testing::ReadBytes(m.out() / name), testing::ReadBytes(clean.out() / name)) << name;
  }
}
#endif

// Links above the boring's files lead to the boring as before: a folder level that is a link,
// and a drive whose folder is one.
TEST(SourceLinks, FolderLevelsAndDriveFoldersMayBeLinks) {
  SampleMachine clean;
  ASSERT_TRUE(clean.Convert().succeeded);
  const auto expected = Snapshot(clean.out());
  const struct {
    const char* what;
    std::u16string_view source;
    bool (*set_up)(SampleMachine&);
  } cases[] = {
      {"a folder level", u"S:\\ALIAS",
       [](SampleMachine& m) {
         return testing::MakeFolderLink(m.s() / "BORING1", m.s() / "ALIAS");
       }},
      {"the drive folder", u"L:\\BORING1",
       [](SampleMachine& m) {
         if (!testing::MakeFolderLink(m.s(), m.s().parent_path() / "drive_link")) {
           return false;
         }
         m.fs().MapDrive(u'L', m.s().parent_path() / "drive_link");
         return true;
       }},
  };
  for (const auto& c : cases) {
    SampleMachine m;
    if (!c.set_up(m)) {
      GTEST_SKIP() << testing::kNoFolderLinks;
    }
    testing::RecordingUserInterface ui;
    ui.answers = {platform::MessageAnswer::kYes};
    const RunResult result = RunConversion(m.fs(), ui, c.source, SampleMachine::kDestination);
    EXPECT_TRUE(result.succeeded) << c.what;
    EXPECT_EQ(Snapshot(m.out()), expected) << c.what;
  }
}

}  // namespace
}  // namespace qe2m4::app

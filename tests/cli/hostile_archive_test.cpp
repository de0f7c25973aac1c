// "qe2m4 batch --tree" over archives made by others, as a hostile archive and a Windows zip
// unpacked on Linux hold them: nothing written outside the destination root, every odd folder
// one row, every other boring converted under its own name. Only Linux lets a folder hold
// these names; Windows refuses to make them.
#include <gtest/gtest.h>

#ifndef _WIN32

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

#include "app/texts.h"
#include "cli_text.h"
#include "process.h"
#include "report_rows.h"
#include "sample_drives.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

namespace qe2m4::testing {
namespace {

namespace fs = std::filesystem;

const std::string kTokyo = "\x93\x8C\x8B\x9E";  // 東京 in CP932
const std::string kOsaka = "\x91\xE5\x8D\xE3";  // 大阪
const std::string kTable = "\x95\x5C";          // 表: its second byte is 0x5C

class HostileArchive : public SampleDrives {
 protected:
  void Boring(const fs::path& level) const {
    fs::create_directories((s_ / "ARCHIVE" / level).parent_path());
    fs::copy(s_ / "BORING1", s_ / "ARCHIVE" / level, fs::copy_options::recursive);
  }
};

TEST_F(HostileArchive, NothingIsWrittenOutsideTheDestinationRootAndTheOtherBoringsConvert) {
  Boring("B1");
  // Joined into D:\TYUJYOU, the first climbs to D:\VICTIM\K1; the next two revisit their
  // parent for ever; the last would make a folder no one can see.
  for (const char* hostile : {"x\\..\\..\\VICTIM\\K1", "x\\..", "\\", "CR1\r"}) {
    Boring(hostile);
  }
  Boring(fs::path("\\") / "INSIDE");
  Boring(fs::path(kTokyo) / "B2");
  Boring(fs::path(kTokyo) / kTable);
  Boring(kOsaka);
  for (const char* name : {"N1.txt", "N4.txt", "keep.dat"}) {
    WriteBytes(d_ / "VICTIM" / "K1" / name, std::string("the victim's own ") + name);
  }
  const auto before = Snapshot(machine_.root());

  const ProcessResult result =
      Run({"batch", "--yes", "--jobs", "2", "--tree", "S:\\ARCHIVE", "D:\\TYUJYOU"});
  EXPECT_EQ(result.exit_code, 1) << result.err;

  // Everything outside D:\TYUJYOU is as it was, but for the report in the working folder.
  auto after = Snapshot(machine_.root());
  std::erase_if(after, [&](const auto& entry) {
    return entry.first.starts_with("drive_D/TYUJYOU") || entry.first.starts_with("work/");
  });
  auto unchanged = before;
  std::erase_if(unchanged, [](const auto& entry) { return entry.first.starts_with("work/"); });
  EXPECT_EQ(after, unchanged);

  const auto rows = ReportRows(work_ / "qe2m4-report.csv");
  const std::string refused = Utf8(app::texts::kBatchRefused);
  const std::string converted = Utf8(app::texts::kBatchConverted);
  const std::vector<std::vector<std::string>> expected = {
      {"1", "S:\\ARCHIVE\\\\", "", refused},
      {"2", "S:\\ARCHIVE\\B1", "D:\\TYUJYOU\\B1", converted},
      {"3", "S:\\ARCHIVE\\CR1\r", "", refused},
      {"4", "S:\\ARCHIVE\\x\\..", "", refused},
      {"5", "S:\\ARCHIVE\\x\\..\\..\\VICTIM\\K1", "", refused},
      {"6", Utf8(u"S:\\ARCHIVE\\大阪"), Utf8(u"D:\\TYUJYOU\\大阪"), converted},
      {"7", Utf8(u"S:\\ARCHIVE\\東京\\B2"), Utf8(u"D:\\TYUJYOU\\東京\\B2"), converted},
      {"8", Utf8(u"S:\\ARCHIVE\\東京\\表"), Utf8(u"D:\\TYUJYOU\\東京\\表"), converted},
  };
  ASSERT_EQ(rows.size(), expected.size()) << result.err;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(std::vector<std::string>(rows[i].begin(), rows[i].begin() + 4), expected[i]);
    if (rows[i][3] == refused) {
      EXPECT_NE(rows[i][4].find(Utf8(app::texts::kTreeBadFolderName)), std::string::npos);
    }
  }
  EXPECT_NE(result.out.find(Utf8(u"変換済 4、拒否 4、エラー 0、未実行 0（8 件）")),
            std::string::npos)
      << result.out;

  // The copies of the Windows names have the same bytes, CNT.TXT names them in CP932, and no
  // UTF-8 twin was made.
  const fs::path tyujyou = d_ / "TYUJYOU";
  for (const fs::path& level :
       {fs::path(kOsaka), fs::path(kTokyo) / "B2", fs::path(kTokyo) / kTable, fs::path("B1")}) {
    EXPECT_EQ(Snapshot(tyujyou / level).size(), 16u) << level;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(tyujyou), fs::directory_iterator()), 3);
  EXPECT_EQ(ReadBytes(tyujyou / kOsaka / "CNT.TXT").substr(0, 6), kOsaka + "\r\n");
  EXPECT_EQ(ReadBytes(tyujyou / kTokyo / kTable / "CNT.TXT").substr(0, 10),
            kTokyo + "\r\n" + kTable + "\r\n");
}

// Two folders named in CP932 in one parent once read as the same "????" and collided.
TEST_F(HostileArchive, Cp932NamesOfOneParentAreTwoDestinations) {
  Boring(kTokyo);
  Boring(kOsaka);
  const ProcessResult result =
      Run({"batch", "--yes", "--quiet", "--tree", "S:\\ARCHIVE", "D:\\TYUJYOU"});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(Snapshot(d_ / "TYUJYOU" / kTokyo).size(), 16u);
  EXPECT_EQ(Snapshot(d_ / "TYUJYOU" / kOsaka).size(), 16u);

  // convert reaches such a folder by the name typed in either encoding.
  for (const std::string& typed : {"S:\\ARCHIVE\\" + kTokyo, Utf8(u"S:\\ARCHIVE\\東京")}) {
    fs::remove_all(d_ / "ONE");
    const ProcessResult one = Run({"convert", "--yes", "--quiet", typed, "D:\\ONE"});
    EXPECT_EQ(one.exit_code, 0) << one.err;
    EXPECT_EQ(Snapshot(d_ / "ONE").size(), 16u);
  }
}

// A list saved with "\r\r\n" line ends, or with a tab after a path: the destinations would be
// folders named "CR1\r" and "TAB\t", which no one can see or type. Each line is refused.
TEST_F(HostileArchive, ListDestinationsWithControlCharactersAreRefusedLines) {
  WriteBytes(work_ / "list.csv",
             "S:\\BORING1,D:\\CR1\r\r\nS:\\BORING1,D:\\TAB\t\r\nS:\\BORING1,D:\\OK\r\n");
  const ProcessResult result = Run({"batch", "--yes", "--quiet", "list.csv"});
  EXPECT_EQ(result.exit_code, 1) << result.err;
  const auto rows = ReportRows(work_ / "list-report.csv");
  ASSERT_EQ(rows.size(), 3u);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(rows[i][3], Utf8(app::texts::kBatchRefused));
    EXPECT_NE(rows[i][4].find(Utf8(app::texts::kErrorBadPath)), std::string::npos);
    EXPECT_NE(rows[i][4].find("control character"), std::string::npos) << rows[i][4];
  }
  EXPECT_EQ(rows[2][3], Utf8(app::texts::kBatchConverted));
  std::vector<std::string> made;
  for (const fs::directory_entry& entry : fs::directory_iterator(d_)) {
    made.push_back(entry.path().filename().native());
  }
  EXPECT_EQ(made, std::vector<std::string>{"OK"});
}

// A signal while the tree is walked ends the walk: nothing converted, no report.
TEST_F(HostileArchive, AnInterruptEndsTheWalk) {
  // A tree that takes a while to walk: many empty folders, no boring.
  for (int i = 0; i < 150; ++i) {
    for (int j = 0; j < 100; ++j) {
      fs::create_directories(s_ / "ARCHIVE" / ("A" + std::to_string(i)) /
                             ("B" + std::to_string(j)));
    }
  }
  const std::vector<std::string> arguments =
      Arguments({"batch", "--yes", "--tree", "S:\\ARCHIVE", "D:\\TYUJYOU"});
  const struct {
    int signal_number;
    int exit_code;
  } cases[] = {{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}};
  for (const auto& c : cases) {
    // The signal must come after the program's start and before the walk's end; a late one
    // lets the (empty) batch write its report, an early one ends the program unasked.
    bool seen = false;
    auto delay = std::chrono::milliseconds(150);
    for (int attempt = 0; attempt < 6 && !seen; ++attempt) {
      fs::remove(work_ / "qe2m4-report.csv");
      ChildProcess batch(QE2M4_EXECUTABLE, arguments, work_, Environment());
      std::this_thread::sleep_for(delay);
      batch.Signal(c.signal_number);
      const ProcessResult result = batch.Wait();
      if (result.err.find("interrupted; nothing converted") != std::string::npos) {
        seen = true;
        EXPECT_EQ(result.exit_code, c.exit_code);
        EXPECT_FALSE(fs::exists(work_ / "qe2m4-report.csv"));
        EXPECT_TRUE(fs::is_empty(d_));
      } else if (fs::exists(work_ / "qe2m4-report.csv")) {
        delay /= 2;
      } else {
        delay *= 2;
      }
    }
    EXPECT_TRUE(seen) << c.signal_number;
  }
}

}  // namespace
}  // namespace qe2m4::testing

#endif

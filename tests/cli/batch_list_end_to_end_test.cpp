// "qe2m4 batch" reading its list: the encodings, the files it refuses to read, interrupts.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <thread>

#include "cli_text.h"
#include "process.h"
#include "sample_drives.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

#ifndef _WIN32
#include <signal.h>
#endif

namespace qe2m4::testing {
namespace {

namespace fs = std::filesystem;

// Whether a folder holds a report of a batch (whatever its list was called).
bool AnyReportIn(const fs::path& folder) {
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().u8string().ends_with(u8"report.csv")) {
      return true;
    }
  }
  return false;
}

std::string Utf16Le(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

class BatchList : public SampleDrives {
 protected:
  // Nothing converted, no report: what a refused list leaves.
  void ExpectNothingConverted(const ProcessResult& result, const std::string& what) const {
    EXPECT_NE(result.err.find("qe2m4: nothing converted\n"), std::string::npos)
        << what << ": " << result.err;
    EXPECT_EQ(result.out, "") << what;
    EXPECT_TRUE(fs::is_empty(d_)) << what;
    EXPECT_FALSE(AnyReportIn(work_)) << what;
  }
};

TEST_F(BatchList, ListsInEachEncodingAreReadAndTheSummarySaysWhich) {
  const std::u16string kanji = u"S:\\BORING1,D:\\TYUJYOU\\東京\\孔１\r\n";
  const std::u16string katakana = u"S:\\BORING1,D:\\TYUJYOU\\ﾅｶ\r\n";
  const struct {
    const char* what;
    std::string bytes;
    std::vector<std::string> options;
    fs::path destination;  // below D:\TYUJYOU
    std::u16string encoding;
  } cases[] = {
      {"Notepad's Unicode",
       Utf16Le(u"# 東京の現場\r\n" + kanji),
       {},
       fs::path(u"東京") / u"孔１",
       u"UTF-16"},
      {"a CP932 comment over UTF-8 paths",
       Sjis(u"# 東京の現場\r\n") + Utf8(kanji),
       {},
       fs::path(u"東京") / u"孔１",
       u"UTF-8"},
      {"CP932 half-width katakana", Sjis(katakana), {}, fs::path(u"ﾅｶ"), u"CP932"},
      {"CP932 forced", Sjis(katakana), {"--list-encoding", "cp932"}, fs::path(u"ﾅｶ"), u"CP932"},
      {"UTF-8 forced over half-width katakana",
       Sjis(katakana),
       {"--list-encoding", "UTF-8"},
       fs::path(u"Ŷ"),
       u"UTF-8"},
      {"UTF-16 forced without its mark",
       Utf16Le(kanji).substr(2),
       {"--list-encoding", "utf-16"},
       fs::path(u"東京") / u"孔１",
       u"UTF-16"},
  };
  for (const auto& c : cases) {
    fs::remove_all(d_);
    fs::create_directories(d_);
    WriteBytes(work_ / "list.csv", c.bytes);
    std::vector<std::string> arguments = {"batch", "--yes"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    arguments.push_back("list.csv");
    const ProcessResult result = Run(arguments);
    EXPECT_EQ(result.exit_code, 0) << c.what << ": " << result.err;
    EXPECT_TRUE(fs::is_regular_file(d_ / "TYUJYOU" / c.destination / "N1.txt")) << c.what;
    EXPECT_NE(result.out.find(Utf8(u"\n一覧：list.csv（" + c.encoding + u"）\n報告：")),
              std::string::npos)
        << c.what << ": " << result.out;
  }
}

TEST_F(BatchList, AListThatCannotBeReadWholeAndTrueIsRefused) {
  const struct {
    const char* what;
    std::function<std::string()> make;  // the LIST argument
    std::vector<std::string> options;
    std::string message;
  } cases[] = {
      {"a folder",
       [&] {
         fs::create_directories(work_ / "lists");
         return HostText(work_ / "lists");
       },
       {},
       ": cannot read the list: a folder, not a file\n"},
      {"nothing there",
       [] { return std::string("none.csv"); },
       {},
       "none.csv: cannot read the list: no such file\n"},
      {"a file over 64 MB, made sparse",
       [&] {
         WriteBytes(work_ / "big.csv", "S:\\BORING1,D:\\A\r\n");
         fs::resize_file(work_ / "big.csv", 64 * 1024 * 1024 + 1);
         return std::string("big.csv");
       },
       {},
       "big.csv: cannot read the list: larger than 67108864 bytes\n"},
      {"a line over 65536 characters",
       [&] {
         WriteBytes(work_ / "long.csv",
                    "S:\\BORING1,D:\\A\r\nS:\\BORING1,D:\\" + std::string(70000, 'x') + "\r\n");
         return std::string("long.csv");
       },
       {},
       "long.csv:2: a line longer than 65536 characters\n"},
      {"a line not valid in the forced encoding",
       [&] {
         WriteBytes(work_ / "sjis.csv",
                    "S:\\BORING1,D:\\A\r\n" + Sjis(u"S:\\BORING1,D:\\東京\r\n"));
         return std::string("sjis.csv");
       },
       {"--list-encoding", "utf-8"},
       "sjis.csv:2: not valid UTF-8 text\n"},
#ifndef _WIN32
      {"a device that never ends",
       [] { return std::string("/dev/zero"); },
       {},
       "/dev/zero: cannot read the list: not a regular file\n"},
#endif
  };
  for (const auto& c : cases) {
    std::vector<std::string> arguments = {"batch", "--yes"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    arguments.push_back(c.make());
    const ProcessResult result = Run(arguments);
    EXPECT_EQ(result.exit_code, 2) << c.what;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << c.what << ": " << result.err;
    ExpectNothingConverted(result, c.what);
  }

  const ProcessResult unknown = Run({"batch", "--list-encoding", "latin1", "list.csv"});
  EXPECT_EQ(unknown.exit_code, 2);
  EXPECT_NE(unknown.err.find("not utf-8, cp932 or utf-16: latin1"), std::string::npos)
      << unknown.err;
  const ProcessResult tree =
      Run({"batch", "--list-encoding", "cp932", "--tree", "S:\\", "D:\\TYUJYOU"});
  EXPECT_EQ(tree.exit_code, 2);
  EXPECT_TRUE(fs::is_empty(d_));
}

// Ctrl-C reaches a batch as a POSIX signal here; on Windows a console control event goes to a
// whole console, which a test cannot send to one process of its own.
#ifndef _WIN32
TEST_F(BatchList, AnInterruptEndsTheReadingAndCheckingOfALongList) {
  // 300,000 lines (12 MB): seconds of reading and checking, and the signal comes first.
  std::string list;
  for (int i = 0; i < 300000; ++i) {
    list += "S:\\ARCHIVE\\B" + std::to_string(i) + ",D:\\TYUJYOU\\B" + std::to_string(i) + "\r\n";
  }
  WriteBytes(work_ / "long.csv", list);
  for (const auto& [signal_number, code] :
       std::vector<std::pair<int, int>>{{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}}) {
    ChildProcess batch(QE2M4_EXECUTABLE, Arguments({"batch", "--yes", "long.csv"}), work_,
                       Environment());
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const auto signalled = std::chrono::steady_clock::now();
    batch.Signal(signal_number);
    const ProcessResult result = batch.Wait();
    const auto took = std::chrono::steady_clock::now() - signalled;
    EXPECT_EQ(result.exit_code, code) << result.err;
    // The program's own message: the signal was taken, not left to end the process.
    EXPECT_EQ(result.err, "qe2m4: interrupted; nothing converted\n") << signal_number;
    EXPECT_LT(took, std::chrono::seconds(10)) << signal_number;
    EXPECT_TRUE(fs::is_empty(d_));
    EXPECT_FALSE(AnyReportIn(work_));
  }
}
#endif

}  // namespace
}  // namespace qe2m4::testing

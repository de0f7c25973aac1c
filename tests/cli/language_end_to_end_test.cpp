// The command line's help and usage errors in the user's language, as the system tells it: the
// locale variables on Linux, the UI language on Windows (which Wine takes from the locale of its
// process).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cli_text.h"
#include "platform/user_language.h"
#include "process.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

namespace qe2m4::testing {
namespace {

struct Language {
  const char* name;
  std::map<std::string, std::string> environment;
  bool japanese;
};

#ifdef _WIN32
// Wine takes the UI language of a program it starts from the locale of its own process, not from
// the environment the parent hands on: the test runs once per language (CTest sets the locale
// and names the language in QE2M4_TEST_LANGUAGE), and the program it starts speaks its language.
std::vector<Language> Languages() {
  const char* expected = std::getenv("QE2M4_TEST_LANGUAGE");
  const bool japanese = expected != nullptr && std::string(expected) == "ja";
  EXPECT_EQ(platform::UserLanguageCode() == "ja", japanese)
      << "the UI language of the test itself is " << platform::UserLanguageCode();
  return {{japanese ? "ja (UI language)" : "en (UI language)", {}, japanese}};
}
#else
std::vector<Language> Languages() {
  // Every case names all three variables: the tests themselves run with LC_ALL set, and an
  // empty variable counts as not set.
  const auto locale = [](const char* lc_all, const char* lc_messages, const char* lang) {
    return std::map<std::string, std::string>{
        {"LC_ALL", lc_all}, {"LC_MESSAGES", lc_messages}, {"LANG", lang}};
  };
  return {
      {"ja_JP.UTF-8", locale("", "", "ja_JP.UTF-8"), true},
      {"C", locale("", "", "C"), false},
      {"en_US.UTF-8", locale("", "", "en_US.UTF-8"), false},
      // LC_ALL decides over LANG, and LC_MESSAGES does when LC_ALL is not set.
      {"LC_ALL=C", locale("C", "", "ja_JP.UTF-8"), false},
      {"LC_MESSAGES=ja_JP", locale("", "ja_JP.UTF-8", "C"), true},
  };
}
#endif

class Languages_ : public ::testing::Test {
 protected:
  ProcessResult Run(const Language& language, const std::vector<std::string>& arguments) const {
    std::map<std::string, std::string> environment =
        UserEnvironment(machine_.root() / "config", machine_.root() / "home");
    environment.insert(language.environment.begin(), language.environment.end());
    return RunProcess(QE2M4_EXECUTABLE, arguments, machine_.root(), environment);
  }
  TempMachine machine_;
};

bool Holds(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(Languages_, HelpOfEveryCommandInTheUsersLanguage) {
  struct Topic {
    std::vector<std::string> arguments;
    const char* english_usage;
    const char* japanese_usage;
    std::vector<std::string> japanese_parts;
  };
  const std::vector<Topic> topics = {
      {{"--help"},
       "usage: qe2m4 convert [options] SOURCE DEST\n       qe2m4 batch [options] LIST\n",
       "使い方: qe2m4 convert [オプション] SOURCE DEST\n        qe2m4 batch [オプション] LIST\n",
       {"コマンド:", "オプション:", "例:", "バージョンを表示して終了します"}},
      {{"convert", "--help"},
       "usage: qe2m4 convert [options] SOURCE DEST\n",
       "使い方: qe2m4 convert [オプション] SOURCE DEST\n",
       {"オプション:", "例:", "終了ステータス:", "列「記述」と「読み替え」"}},
      {{"batch", "-h"},
       "usage: qe2m4 batch [options] LIST\n",
       "使い方: qe2m4 batch [オプション] LIST\n",
       {"オプション:", "同時に変換する数、1 ～ 256", "終了ステータス:"}},
  };
  for (const Language& language : Languages()) {
    for (const Topic& topic : topics) {
      const ProcessResult result = Run(language, topic.arguments);
      const std::string where = std::string(language.name) + " " + topic.arguments.front();
      EXPECT_EQ(result.exit_code, 0) << where << result.err;
      EXPECT_EQ(result.err, "") << where;
      const std::string usage = language.japanese ? topic.japanese_usage : topic.english_usage;
      EXPECT_EQ(result.out.substr(0, usage.size()), usage) << where << "\n" << result.out;
      for (const std::string& part : topic.japanese_parts) {
        EXPECT_EQ(Holds(result.out, part), language.japanese) << where << ": " << part;
      }
      // Not the parser's own notation of values.
      EXPECT_FALSE(Holds(result.out, ":INT")) << where;
      EXPECT_FALSE(Holds(result.out, "[1 - 256]")) << where;
      EXPECT_FALSE(Holds(result.out, "TEXT")) << where;
    }
  }
}

TEST_F(Languages_, UsageErrorsInTheUsersLanguage) {
  struct Case {
    std::vector<std::string> arguments;
    const char* english;
    const char* japanese;
  };
  const Case cases[] = {
      {{"convert", "S:\\A"},
       "qe2m4: DEST is required\nusage: qe2m4 convert [options] SOURCE DEST\n"
       "Run 'qe2m4 convert --help' for more.\n",
       "qe2m4: DEST を指定してください\n使い方: qe2m4 convert [オプション] SOURCE DEST\n"
       "詳しくは「qe2m4 convert --help」を実行してください。\n"},
      {{"export"}, "qe2m4: unknown command: export\n", "qe2m4: 不明なコマンドです: export\n"},
      {{"batch", "--jobs", "0", "list.csv"},
       "qe2m4: --jobs: needs a whole number from 1 to 256\n",
       "qe2m4: --jobs: 1 から 256 までの整数を指定してください\n"},
      {{"convert", "S:\\A", "D:\\B", "--system-dir"},
       "qe2m4: --system-dir needs DIR\n",
       "qe2m4: --system-dir には DIR を指定してください\n"},
      {{"convert", "--drive", "SS=x", "S:\\A", "D:\\B"},
       "qe2m4: --drive: needs L=DIR with a drive letter L\n",
       "qe2m4: --drive: ドライブ文字 L を付けて L=DIR の形で指定してください\n"},
      {{"convert", "--frobnicate", "S:\\A", "D:\\B"},
       "qe2m4: unknown option: --frobnicate\n",
       "qe2m4: 不明なオプションです: --frobnicate\n"},
  };
  for (const Language& language : Languages()) {
    for (const Case& c : cases) {
      const ProcessResult result = Run(language, c.arguments);
      const std::string where = std::string(language.name) + " " + c.arguments.back();
      EXPECT_EQ(result.exit_code, 2) << where;
      EXPECT_EQ(result.out, "") << where;
      const std::string expected = language.japanese ? c.japanese : c.english;
      EXPECT_EQ(result.err.substr(0, expected.size()), expected) << where << "\n" << result.err;
    }
  }
}

// What is wrong with a batch's list, in the same language.
TEST_F(Languages_, ProblemsOfABatchListInTheUsersLanguage) {
  WriteBytes(machine_.root() / "list.csv", "S:\\A\r\nS:\\B,\"D:\\C\r\n");
  for (const Language& language : Languages()) {
    const ProcessResult result = Run(language, {"batch", "list.csv"});
    EXPECT_EQ(result.exit_code, 2) << language.name;
    EXPECT_EQ(result.err, language.japanese
                              ? "qe2m4: list.csv:1: 「SOURCE,DEST」の 2 つのパスではありません\n"
                                "qe2m4: list.csv:2: 引用符（\"）が正しく閉じられていません\n"
                                "qe2m4: 何も変換していません\n"
                              : "qe2m4: list.csv:1: not two paths SOURCE,DEST\n"
                                "qe2m4: list.csv:2: a quote is not closed where it should be\n"
                                "qe2m4: nothing converted\n")
        << language.name;
  }
}

// Why a list is not read at all, in the same language: a folder, a file over 64 MB.
TEST_F(Languages_, AListThatIsNotReadSaysWhyInTheUsersLanguage) {
  std::filesystem::create_directories(machine_.root() / "lists");
  WriteBytes(machine_.root() / "big.csv", "S:\\B1,D:\\B1\r\n");
  std::filesystem::resize_file(machine_.root() / "big.csv", 64 * 1024 * 1024 + 1);
  const struct {
    const char* list;
    const char* english;
    const char* japanese;
  } cases[] = {
      {"lists", "qe2m4: lists: cannot read the list: a folder, not a file\n",
       "qe2m4: lists: 一覧を読み込めません: ファイルではなくフォルダです\n"},
      {"big.csv", "qe2m4: big.csv: cannot read the list: larger than 67108864 bytes\n",
       "qe2m4: big.csv: 一覧を読み込めません: 67108864 バイトを超えています\n"},
  };
  for (const Language& language : Languages()) {
    for (const auto& c : cases) {
      const ProcessResult result = Run(language, {"batch", c.list});
      EXPECT_EQ(result.exit_code, 2) << language.name;
      EXPECT_EQ(result.err, std::string(language.japanese ? c.japanese : c.english) +
                                (language.japanese ? "qe2m4: 何も変換していません\n"
                                                   : "qe2m4: nothing converted\n"))
          << language.name << " " << c.list;
    }
  }
}

// Where the report may not go, in the same language: onto the list itself, or into a source
// folder of the batch (the lines whose source it is are named).
TEST_F(Languages_, ProblemsOfTheReportPlaceInTheUsersLanguage) {
  const std::filesystem::path s = machine_.AddDrive(u'S');
  std::filesystem::create_directories(s / "B1");
  WriteBytes(machine_.root() / "list.csv", "S:\\B1,S:\\OUT\\B1\r\n");
  const std::string in_source = HostText(s / "B1" / "r.csv");
  struct Case {
    std::string report;
    std::string english;
    std::string japanese;
  };
  const Case cases[] = {
      {"list.csv", "qe2m4: the report file list.csv is the list\n",
       "qe2m4: 報告ファイル list.csv は一覧ファイルそのものです\n"},
      {in_source,
       "qe2m4: list.csv:1: the report " + in_source +
           " would be written in the source folder S:\\B1\n",
       "qe2m4: list.csv:1: 報告ファイル " + in_source +
           " が変換元フォルダ S:\\B1 の中に書き込まれることになります\n"},
  };
  for (const Language& language : Languages()) {
    for (const Case& c : cases) {
      const ProcessResult result =
          Run(language, {"batch", "--drive", "S=" + HostText(s), "--report", c.report, "list.csv"});
      EXPECT_EQ(result.exit_code, 2) << language.name;
      const std::string nothing =
          language.japanese ? "qe2m4: 何も変換していません（--report FILE "
                              "で別の報告ファイルを指定してください）\n"
                            : "qe2m4: nothing converted (--report FILE names another report)\n";
      EXPECT_EQ(result.err, (language.japanese ? c.japanese : c.english) + nothing)
          << language.name;
    }
  }
}

// A report that cannot be made (its folder is not there) is told in the same language, with
// the system's reason.
TEST_F(Languages_, AReportThatCannotBeWrittenInTheUsersLanguage) {
  const std::filesystem::path s = machine_.AddDrive(u'S');
  std::filesystem::create_directories(s / "B1");
  WriteBytes(machine_.root() / "list.csv", "S:\\B1,S:\\OUT\\B1\r\n");
  for (const Language& language : Languages()) {
    const ProcessResult result =
        Run(language, {"batch", "--drive", "S=" + HostText(s), "--report",
                       HostText(std::filesystem::path("none") / "r.csv"), "list.csv"});
    EXPECT_EQ(result.exit_code, 2) << language.name;
    const std::string start =
        language.japanese ? "qe2m4: 報告ファイル " : "qe2m4: cannot write the report ";
    const std::string middle = language.japanese ? " に書き込めません: " : ": ";
    EXPECT_EQ(result.err.substr(0, start.size()), start) << language.name << result.err;
    EXPECT_TRUE(Holds(result.err, "r.csv")) << language.name << result.err;
    EXPECT_TRUE(Holds(result.err, middle)) << language.name << result.err;
    EXPECT_FALSE(Holds(result.err, "cannot write:")) << result.err;
    EXPECT_FALSE(std::filesystem::exists(s / "OUT")) << language.name;
  }
}

// Each system's users ask for help and end a run as that system has it.
TEST_F(Languages_, HelpSpeaksOfThisSystem) {
  for (const Language& language : Languages()) {
    const ProcessResult convert = Run(language, {"convert", "--help"});
    const ProcessResult batch = Run(language, {"batch", "--help"});
    for (const std::string& help : {convert.out, batch.out}) {
      EXPECT_TRUE(Holds(help, "Ctrl+C")) << language.name;
#ifdef _WIN32
      EXPECT_TRUE(Holds(help, language.japanese ? "コンソールウィンドウが閉じられました"
                                                : "the console window was closed"))
          << language.name;
      EXPECT_TRUE(Holds(help, "-h, --help, /?")) << language.name;
      EXPECT_FALSE(Holds(help, "SIGTERM")) << language.name;
      EXPECT_FALSE(Holds(help, "SIGHUP")) << language.name;
      EXPECT_FALSE(Holds(help, "~/.config")) << language.name;
#else
      EXPECT_TRUE(Holds(help, "SIGTERM")) << language.name;
      EXPECT_TRUE(Holds(help, "SIGHUP")) << language.name;
      EXPECT_FALSE(Holds(help, "/?")) << language.name;
      EXPECT_FALSE(Holds(help, "console window")) << language.name;
#endif
    }
  }
}

#ifdef _WIN32
TEST_F(Languages_, SlashQuestionMarkIsHelp) {
  for (const Language& language : Languages()) {
    EXPECT_EQ(Run(language, {"/?"}).out, Run(language, {"--help"}).out) << language.name;
    const ProcessResult convert = Run(language, {"convert", "/?"});
    EXPECT_EQ(convert.exit_code, 0) << language.name;
    EXPECT_EQ(convert.out, Run(language, {"convert", "--help"}).out) << language.name;
    EXPECT_EQ(Run(language, {"batch", "/?"}).out, Run(language, {"batch", "--help"}).out)
        << language.name;
  }
}
#endif

}  // namespace
}  // namespace qe2m4::testing

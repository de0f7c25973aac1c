#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "cli/terminal_user_interface.h"
#include "support/host_environment.h"

namespace qe2m4::cli {
namespace {

TEST(ParseCommandLine, ReadsTheConvertCommandWithOptionsAnywhere) {
  const Command command = ParseCommandLine({"convert", "--drive", "S=/data/s", "--yes",
                                            "S:\\BORING1", "--drive=d=rel/dest", "--system-dir",
                                            "/etc/q", "--quiet", "D:\\TYUJYOU\\A1234\\B\\C"});
  const auto* options = std::get_if<ConvertOptions>(&command);
  ASSERT_NE(options, nullptr);
  EXPECT_EQ(options->drives, (std::vector<std::string>{"S=/data/s", "d=rel/dest"}));
  EXPECT_EQ(options->system_folder, "/etc/q");
  EXPECT_TRUE(options->yes);
  EXPECT_TRUE(options->quiet);
  EXPECT_EQ(options->source, "S:\\BORING1");
  EXPECT_EQ(options->destination, "D:\\TYUJYOU\\A1234\\B\\C");

  const Command plain = ParseCommandLine({"convert", "--", "S:\\A", "D:\\B"});
  const auto* defaults = std::get_if<ConvertOptions>(&plain);
  ASSERT_NE(defaults, nullptr);
  EXPECT_FALSE(defaults->yes);
  EXPECT_FALSE(defaults->quiet);
  EXPECT_TRUE(defaults->drives.empty());
  EXPECT_TRUE(defaults->system_folder.empty());
}

TEST(ParseCommandLine, AnOptionTakesOneValueAndLeavesThePathsAlone) {
  const Command command = ParseCommandLine({"convert", "--drive", "S=/x", "S:\\A", "D:\\B"});
  const auto* options = std::get_if<ConvertOptions>(&command);
  ASSERT_NE(options, nullptr);
  EXPECT_EQ(options->drives, std::vector<std::string>{"S=/x"});
  EXPECT_EQ(options->source, "S:\\A");
  EXPECT_EQ(options->destination, "D:\\B");
}

// The tests run as an English-speaking user (the catalogue's languages are tested through the
// executable).
TEST(ParseCommandLine, HelpOfEachCommandAndUsageOfTheCommandInError) {
  const Command program = ParseCommandLine({"--help"});
  ASSERT_TRUE(std::holds_alternative<ShowHelp>(program));
  EXPECT_EQ(std::get<ShowHelp>(program).text.rfind("usage: qe2m4 convert ", 0), 0u);
  EXPECT_NE(std::get<ShowHelp>(program).text.find("\n  convert "), std::string::npos);

  const Command convert = ParseCommandLine({"convert", "--help"});
  ASSERT_TRUE(std::holds_alternative<ShowHelp>(convert));
  const std::string& text = std::get<ShowHelp>(convert).text;
  EXPECT_EQ(text.rfind("usage: qe2m4 convert [options] SOURCE DEST\n", 0), 0u);
  for (const char* option :
       {"\n  --drive L=DIR ", "\n  --system-dir DIR ", "\n  --soil-readings FILE ",
        "\n  --no-soil-readings ", "\n  --yes ", "\n  --quiet ", "\n  -h, --help", "\nExamples:\n",
        "\nExit status:\n  0    converted\n"}) {
    EXPECT_NE(text.find(option), std::string::npos) << option;
  }
  const Command batch = ParseCommandLine({"batch", "--help"});
  ASSERT_TRUE(std::holds_alternative<ShowHelp>(batch));
  for (const char* option : {"\n  --jobs N ", "\n  --report FILE ", "\n  --list-encoding ENC ",
                             "\n  --tree SOURCE_ROOT DEST_ROOT\n", "\nExit status:\n"}) {
    EXPECT_NE(std::get<ShowHelp>(batch).text.find(option), std::string::npos) << option;
  }

  const Command error = ParseCommandLine({"convert", "S:\\A"});
  ASSERT_TRUE(std::holds_alternative<UsageError>(error));
  EXPECT_EQ(std::get<UsageError>(error).reason, "DEST is required");
  EXPECT_EQ(std::get<UsageError>(error).usage,
            "usage: qe2m4 convert [options] SOURCE DEST\nRun 'qe2m4 convert --help' for more.\n");
}

TEST(ParseCommandLine, HelpVersionAndUsageErrors) {
  EXPECT_TRUE(std::holds_alternative<ShowHelp>(ParseCommandLine({"--help"})));
  EXPECT_TRUE(std::holds_alternative<ShowHelp>(ParseCommandLine({"convert", "--help"})));
  EXPECT_TRUE(std::holds_alternative<ShowHelp>(ParseCommandLine({"batch", "-h"})));
  EXPECT_TRUE(std::holds_alternative<ShowVersion>(ParseCommandLine({"--version"})));
  struct Case {
    std::vector<std::string> arguments;
    const char* reason;
  };
  const Case cases[] = {
      {{}, "no command given"},
      {{"export", "S:\\A", "D:\\B"}, "unknown command: export"},
      {{"--force"}, "unknown option: --force"},
      {{"convert"}, "SOURCE is required"},
      {{"convert", "S:\\A"}, "DEST is required"},
      {{"convert", "S:\\A", "D:\\B", "E:\\C"}, "one argument too many: E:\\C"},
      {{"convert", "--drive", "SS=/x", "S:\\A", "D:\\B"},
       "--drive: needs L=DIR with a drive letter L"},
      {{"convert", "--drive", "1=/x", "S:\\A", "D:\\B"},
       "--drive: needs L=DIR with a drive letter L"},
      {{"convert", "S:\\A", "D:\\B", "--drive"}, "--drive needs L=DIR"},
      {{"convert", "--system-dir=", "S:\\A", "D:\\B"}, "DEST is required"},
      {{"convert", "--force", "S:\\A", "D:\\B"}, "unknown option: --force"},
      {{"convert", "--quiet=x", "S:\\A", "D:\\B"}, "--quiet takes no value"},
      {{"convert", "--soil-readings", "t.csv", "--no-soil-readings", "S:\\A", "D:\\B"},
       "--soil-readings and --no-soil-readings cannot be given together"},
      {{"convert", "--soil-readings", "", "S:\\A", "D:\\B"}, "--soil-readings: needs a file"},
  };
  for (const Case& c : cases) {
    const Command command = ParseCommandLine(c.arguments);
    ASSERT_TRUE(std::holds_alternative<UsageError>(command))
        << ::testing::PrintToString(c.arguments);
    EXPECT_EQ(std::get<UsageError>(command).reason, c.reason)
        << ::testing::PrintToString(c.arguments);
  }
}

TEST(ParseCommandLine, ReadsTheBatchCommandWithAListOrATree) {
  const Command command = ParseCommandLine({"batch", "--jobs", "3", "--drive", "S=/s", "--report",
                                            "r.csv", "--yes", "--quiet", "list.csv"});
  const auto* options = std::get_if<BatchOptions>(&command);
  ASSERT_NE(options, nullptr);
  EXPECT_EQ(options->jobs, 3);
  EXPECT_EQ(options->drives, std::vector<std::string>{"S=/s"});
  EXPECT_EQ(options->report, "r.csv");
  EXPECT_TRUE(options->yes);
  EXPECT_TRUE(options->quiet);
  EXPECT_EQ(options->list, "list.csv");
  EXPECT_TRUE(options->tree.empty());
  EXPECT_EQ(options->list_encoding, "");

  const Command forced = ParseCommandLine({"batch", "--list-encoding", "CP932", "list.csv"});
  ASSERT_NE(std::get_if<BatchOptions>(&forced), nullptr);
  EXPECT_EQ(std::get<BatchOptions>(forced).list_encoding, "CP932");

  const Command tree = ParseCommandLine({"batch", "--tree", "S:\\ARCHIVE", "D:\\TYUJYOU"});
  const auto* defaults = std::get_if<BatchOptions>(&tree);
  ASSERT_NE(defaults, nullptr);
  EXPECT_EQ(defaults->tree, (std::vector<std::string>{"S:\\ARCHIVE", "D:\\TYUJYOU"}));
  EXPECT_EQ(defaults->jobs, 0);     // one per core
  EXPECT_EQ(defaults->report, "");  // the default place: beside the list, or the working folder
  EXPECT_FALSE(defaults->yes);

  struct Case {
    std::vector<std::string> arguments;
    const char* reason;
  };
  const Case cases[] = {
      {{"batch"}, "batch needs LIST or --tree SOURCE_ROOT DEST_ROOT"},
      {{"batch", "a.csv", "b.csv"}, "one argument too many: b.csv"},
      {{"batch", "a.csv", "--tree", "S:\\A", "D:\\B"}, "--tree and LIST cannot be given together"},
      {{"batch", "--tree", "S:\\A"}, "--tree needs SOURCE_ROOT DEST_ROOT"},
      {{"batch", "--jobs", "0", "a.csv"}, "--jobs: needs a whole number from 1 to 256"},
      {{"batch", "--jobs", "257", "a.csv"}, "--jobs: needs a whole number from 1 to 256"},
      {{"batch", "--jobs", "x", "a.csv"}, "--jobs: needs a whole number from 1 to 256"},
      {{"batch", "--jobs", "-1", "a.csv"}, "--jobs: needs a whole number from 1 to 256"},
      {{"batch", "--list-encoding", "latin1", "a.csv"},
       "--list-encoding: not utf-8, cp932 or utf-16: latin1"},
      {{"batch", "--list-encoding", "utf-8", "--tree", "S:\\A", "D:\\B"},
       "--list-encoding and --tree cannot be given together"},
  };
  for (const Case& c : cases) {
    const Command error = ParseCommandLine(c.arguments);
    ASSERT_TRUE(std::holds_alternative<UsageError>(error)) << ::testing::PrintToString(c.arguments);
    EXPECT_EQ(std::get<UsageError>(error).reason, c.reason)
        << ::testing::PrintToString(c.arguments);
    EXPECT_EQ(std::get<UsageError>(error).usage.rfind("usage: qe2m4 batch ", 0), 0u);
  }
  EXPECT_EQ(std::get<BatchOptions>(ParseCommandLine({"batch", "--jobs", "256", "a.csv"})).jobs,
            256);
}

TEST(MessageLine, TitleThenTheTextOnOneLine) {
  EXPECT_EQ(MessageLine(u"指定されたパスは正しくありません。", u"S:\\A\\"),
            u"S:\\A\\: 指定されたパスは正しくありません。");
  EXPECT_EQ(MessageLine(u"a\nb\r\nc", std::nullopt), u"a b c");
}

TEST(TerminalUserInterface, AnswersNoWhenNoOneCanAnswerAndYesWhenTold) {
  std::FILE* input = std::tmpfile();
  std::FILE* messages = std::tmpfile();
  ASSERT_NE(input, nullptr);
  ASSERT_NE(messages, nullptr);
  std::fputs("y\n", input);  // a file is not a terminal: never read
  std::rewind(input);
  TerminalUserInterface no(false, input, messages);
  EXPECT_EQ(no.ShowMessage(u"Q", std::nullopt, platform::MessageButtons::kYesNo,
                           platform::MessageIcon::kQuestion),
            platform::MessageAnswer::kNo);
  EXPECT_EQ(std::ftell(input), 0);
  TerminalUserInterface yes(true, nullptr, messages);
  EXPECT_EQ(yes.ShowMessage(u"Q", std::nullopt, platform::MessageButtons::kYesNo,
                            platform::MessageIcon::kQuestion),
            platform::MessageAnswer::kYes);
  EXPECT_EQ(yes.ShowMessage(u"M", u"T", platform::MessageButtons::kOk,
                            platform::MessageIcon::kExclamation),
            platform::MessageAnswer::kOk);
  std::rewind(messages);
  char buffer[256] = {};
  const std::size_t n = std::fread(buffer, 1, sizeof buffer - 1, messages);
  EXPECT_EQ(std::string(buffer, n), testing::StreamBytes(u"Q いいえ\nT: M\n"));
  std::fclose(input);
  std::fclose(messages);
}

}  // namespace
}  // namespace qe2m4::cli

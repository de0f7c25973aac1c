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

TEST(ParseCommandLine, HelpOfEachCommandAndUsageOfTheCommandInError) {
  const Command program = ParseCommandLine({"--help"});
  ASSERT_TRUE(std::holds_alternative<ShowHelp>(program));
  EXPECT_EQ(std::get<ShowHelp>(program).text.rfind("usage: qe2m4 convert ", 0), 0u);
  EXPECT_NE(std::get<ShowHelp>(program).text.find("\n  convert "), std::string::npos);

  const Command convert = ParseCommandLine({"convert", "--help"});
  ASSERT_TRUE(std::holds_alternative<ShowHelp>(convert));
  const std::string& text = std::get<ShowHelp>(convert).text;
  EXPECT_EQ(text.rfind("usage: qe2m4 convert ", 0), 0u);
  for (const char* option :
       {"--drive L=DIR", "--system-dir DIR", "--yes", "--quiet", "Exit status"}) {
    EXPECT_NE(text.find(option), std::string::npos) << option;
  }

  const Command error = ParseCommandLine({"convert", "S:\\A"});
  ASSERT_TRUE(std::holds_alternative<UsageError>(error));
  EXPECT_EQ(std::get<UsageError>(error).reason, "DEST is required");
  EXPECT_EQ(std::get<UsageError>(error).usage.rfind("usage: qe2m4 convert ", 0), 0u);
  const Command unknown = ParseCommandLine({"export"});
  ASSERT_TRUE(std::holds_alternative<UsageError>(unknown));
  EXPECT_EQ(std::get<UsageError>(unknown).reason, "unknown command: export");
}

TEST(ParseCommandLine, HelpVersionAndUsageErrors) {
  EXPECT_TRUE(std::holds_alternative<ShowHelp>(ParseCommandLine({"--help"})));
  EXPECT_TRUE(std::holds_alternative<ShowHelp>(ParseCommandLine({"convert", "--help"})));
  EXPECT_TRUE(std::holds_alternative<ShowVersion>(ParseCommandLine({"--version"})));
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"export", "S:\\A", "D:\\B"},
      {"convert", "S:\\A"},
      {"convert", "S:\\A", "D:\\B", "E:\\C"},
      {"convert", "--drive", "SS=/x", "S:\\A", "D:\\B"},
      {"convert", "--drive", "1=/x", "S:\\A", "D:\\B"},
      {"convert", "S:\\A", "D:\\B", "--drive"},
      {"convert", "--system-dir=", "S:\\A", "D:\\B"},
      {"convert", "--force", "S:\\A", "D:\\B"},
  };
  for (const auto& arguments : bad) {
    EXPECT_TRUE(std::holds_alternative<UsageError>(ParseCommandLine(arguments)))
        << ::testing::PrintToString(arguments);
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

  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"batch"},
           {"batch", "a.csv", "b.csv"},
           {"batch", "a.csv", "--tree", "S:\\A", "D:\\B"},
           {"batch", "--tree", "S:\\A"},
           {"batch", "--jobs", "0", "a.csv"},
           {"batch", "--jobs", "x", "a.csv"},
           {"batch", "--list-encoding", "latin1", "a.csv"},
           {"batch", "--list-encoding", "utf-8", "--tree", "S:\\A", "D:\\B"},
       }) {
    const Command error = ParseCommandLine(bad);
    ASSERT_TRUE(std::holds_alternative<UsageError>(error)) << ::testing::PrintToString(bad);
    EXPECT_EQ(std::get<UsageError>(error).usage.rfind("usage: qe2m4 batch ", 0), 0u);
  }
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

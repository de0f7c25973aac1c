#include "cli/batch_progress.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/cp932.h"
#include "support/host_environment.h"

namespace qe2m4::cli {
namespace {

// What a progress of two borings (one converted, one failed with a message) writes to a stream
// that is not a console (a binary one: line ends as written).
std::string Written(ProgressStyle style, std::u16string_view first_source = u"S:\\A",
                    std::u16string_view first_destination = u"D:\\A") {
  std::FILE* stream = std::tmpfile();
  EXPECT_NE(stream, nullptr);
  {
    BatchProgress progress(style, 2, stream);
    progress.Finished({1, std::u16string(first_source), std::u16string(first_destination)},
                      {batch::BoringOutcome::kConverted, {}, 16, 147, {}, {}});
    progress.Finished({2, u"S:\\B", u"D:\\B"},
                      {batch::BoringOutcome::kFailed, {u"S:\\B\\: 失敗の理由"}, 3, 30, {}, {}});
    progress.End();
  }
  std::rewind(stream);
  std::string text;
  for (int c = std::fgetc(stream); c != EOF; c = std::fgetc(stream)) {
    text += static_cast<char>(c);
  }
  std::fclose(stream);
  return text;
}

TEST(BatchProgress, OneLineRedrawnOnATerminalPlainLinesElsewhereNothingWhenQuiet) {
  const std::string line = Written(ProgressStyle::kLine);
  // The last drawing, over the line before it, then the line end that closes it.
  const std::string last = testing::StreamBytes(u"\r\x1b[K2/2  失敗 1  ");
  const std::size_t at = line.rfind(last);
  ASSERT_NE(at, std::string::npos) << line;
  EXPECT_NE(line.find(testing::StreamBytes(u" 件/秒  残り 0:00:00\n"), at), std::string::npos)
      << line;
  EXPECT_EQ(line.find('\n'), line.size() - 1);

  EXPECT_EQ(Written(ProgressStyle::kPlain),
            testing::StreamBytes(
                u"1/2 変換済 S:\\A → D:\\A\n2/2 エラー S:\\B → D:\\B\n  S:\\B\\: 失敗の理由\n"));
  EXPECT_EQ(Written(ProgressStyle::kNone), "");
}

// Names with blanks (and even one with an arrow between blanks) leave no doubt where the
// destination starts: the separator is the first " → ", and a tree walk's folder that is not
// converted has no destination and no arrow.
TEST(BatchProgress, AnArrowSeparatesSourceAndDestination) {
  struct Case {
    std::u16string_view source;
    std::u16string_view destination;
    std::u16string_view line;
  };
  const Case cases[] = {
      {u"S:\\現場 A\\NOPE", u"D:\\バッチ\\NOPE",
       u"1/2 変換済 S:\\現場 A\\NOPE → D:\\バッチ\\NOPE\n"},
      {u"S:\\A B", u"D:\\C D", u"1/2 変換済 S:\\A B → D:\\C D\n"},
      {u"S:\\ARCHIVE\\bad", u"", u"1/2 変換済 S:\\ARCHIVE\\bad\n"},
  };
  for (const Case& c : cases) {
    const std::string written = Written(ProgressStyle::kPlain, c.source, c.destination);
    EXPECT_EQ(written.substr(0, testing::StreamBytes(c.line).size()), testing::StreamBytes(c.line));
  }
}

// Redirected output is CP932 on Windows: the arrow is one of its characters.
TEST(BatchProgress, TheArrowIsACp932Character) {
  EXPECT_EQ(platform::EncodeCp932(u"→"), "\x81\xA8");
}

}  // namespace
}  // namespace qe2m4::cli

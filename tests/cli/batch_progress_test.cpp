#include "cli/batch_progress.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/host_environment.h"

namespace qe2m4::cli {
namespace {

// What a progress of two borings (one converted, one failed with a message) writes to a stream
// that is not a console (a binary one: line ends as written).
std::string Written(ProgressStyle style) {
  std::FILE* stream = std::tmpfile();
  EXPECT_NE(stream, nullptr);
  {
    BatchProgress progress(style, 2, stream);
    progress.Finished({1, u"S:\\A", u"D:\\A"},
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
                u"1/2 変換済 S:\\A D:\\A\n2/2 エラー S:\\B D:\\B\n  S:\\B\\: 失敗の理由\n"));
  EXPECT_EQ(Written(ProgressStyle::kNone), "");
}

}  // namespace
}  // namespace qe2m4::cli

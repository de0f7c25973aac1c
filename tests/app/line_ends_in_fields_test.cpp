// Line ends inside quoted fields: every output keeps one record per line. A CR LF, CR or LF
// inside quotes is written as one blank, exactly as if the blank had been typed there, and the
// report counts the lines each file has.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/utf8.h"
#include "sample_machine.h"

namespace qe2m4::app {
namespace {

namespace fs = std::filesystem;
using testing::SampleMachine;
using testing::Snapshot;

// Replaces every "|" of text by line_end.
std::string WithLineEnds(std::string text, std::string_view line_end) {
  for (std::size_t at = text.find('|'); at != std::string::npos; at = text.find('|', at)) {
    text.replace(at, 1, line_end);
    at += line_end.size();
  }
  return text;
}

// The number of lines of a file whose every line ends in CR LF; -1 when a CR or an LF stands
// anywhere else.
std::int64_t CrLfLines(const std::string& bytes) {
  std::int64_t lines = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      ++lines;
      ++i;
    } else if (bytes[i] == '\r' || bytes[i] == '\n') {
      return -1;
    }
  }
  return bytes.empty() || bytes.ends_with("\r\n") ? lines : -1;
}

// Every file the report lists has as many CR LF lines as it says.
void ExpectReportedLines(const SampleMachine& m, const RunResult& result, const char* what) {
  for (const WrittenFile& file : result.report.files) {
    const std::string name = platform::ToUtf8(file.name);
    EXPECT_EQ(CrLfLines(testing::ReadBytes(m.out() / name)), file.lines) << what << ": " << name;
  }
}

std::vector<std::u16string> UnmatchedDescriptions(const RunResult& result) {
  std::vector<std::u16string> descriptions;
  for (const UnmatchedLayer& layer : result.report.unmatched_layers) {
    descriptions.push_back(layer.description);
  }
  return descriptions;
}

// Source files whose quoted fields hold line ends ("|"), in the columns their outputs align.
struct SourceText {
  const char* name;
  std::string bytes;
};

std::vector<SourceText> Sources() {
  return {
      {"X12.TXT", "1,0.60,\"AB|  9,  99.99,\"X\"\r\n2,1.20,\"|\"\r\n"},
      {"X3.TXT", "1,\"1.|00\",\"a|b\",x,\"c||\",y,z\r\n2,2.00,s,x,t,y,z\r\n"},
      {"X11.TXT", "1,1.50,3,x,\"long|remark|text\"\r\n"},
      {"CNT.TXT", "\"BORING\",2024,5,13,\"1|2\",\"3|  FORGED\"\r\n"},
      {"X1.TXT", testing::Sjis(u"1,\"1.|50\",0,\"謎|土\"\r\n2,2.00,0,\"砂|と|粘土|の互層\"\r\n")},
  };
}

TEST(LineEndsInFields, EachLineEndInsideQuotesIsOneBlankInEveryOutput) {
  for (const std::string_view line_end : {"\r\n", "\r", "\n"}) {
    for (const SourceText& source : Sources()) {
      const std::string what = std::string(source.name) + " with " +
                               (line_end == "\r\n" ? "CR LF"
                                : line_end == "\r" ? "CR"
                                                   : "LF");
      SampleMachine typed;
      testing::WriteBytes(typed.s() / "BORING1" / source.name, WithLineEnds(source.bytes, " "));
      const RunResult typed_result = typed.Convert();
      ASSERT_TRUE(typed_result.succeeded) << what;

      SampleMachine m;
      testing::WriteBytes(m.s() / "BORING1" / source.name, WithLineEnds(source.bytes, line_end));
      const RunResult result = m.Convert();
      ASSERT_TRUE(result.succeeded) << what;
      EXPECT_EQ(Snapshot(m.out()), Snapshot(typed.out())) << what;
      EXPECT_EQ(UnmatchedDescriptions(result), UnmatchedDescriptions(typed_result)) << what;
      ExpectReportedLines(m, result, what.c_str());
    }
  }
}

TEST(LineEndsInFields, AForgedRecordStaysInsideItsField) {
  SampleMachine m;
  testing::WriteBytes(m.s() / "BORING1" / "X12.TXT", "1,0.60,\"AB\r\n  9,  99.99,\"X\"\r\n");
  testing::WriteBytes(m.s() / "BORING1" / "CNT.TXT", "\"BORING\",2024,5,13,12,\"3\r\nFORGED\"\r\n");
  testing::WriteBytes(m.s() / "BORING1" / "X1.TXT", testing::Sjis(u"1,1.00,0,\"謎\n土\"\r\n"));
  const RunResult result = m.Convert();
  ASSERT_TRUE(result.succeeded);
  EXPECT_EQ(testing::ReadBytes(m.out() / "N12.txt"),
            "  1,   0.60,\"AB   9,  99.99,               \"\r\n");
  EXPECT_EQ(testing::ReadBytes(m.out() / "CNT.TXT"), "A1\r\nB\r\nC\r\n\r\n12\r\n3 FORGED\r\n");
  EXPECT_EQ(UnmatchedDescriptions(result), std::vector<std::u16string>{u"謎 土"});
  ExpectReportedLines(m, result, "forged");
}

// Title files are read line by line, quotes or not: a line end there ends a title line, and
// Titl1.txt and Titl2.txt keep their fixed number of lines.
TEST(LineEndsInFields, TitleFilesKeepTheirFixedLines) {
  SampleMachine clean;
  const RunResult clean_result = clean.Convert();
  ASSERT_TRUE(clean_result.succeeded);
  for (const std::string_view line_end : {"\r\n", "\r", "\n"}) {
    SampleMachine m;
    for (const char* name : {"titl01.txt", "titl02.txt"}) {
      testing::WriteBytes(m.s() / "BORING1" / name,
                          WithLineEnds("\"AB|CD\",\"E|F\"|\"G|H\"\r\n", line_end));
    }
    const RunResult result = m.Convert();
    ASSERT_TRUE(result.succeeded);
    for (const char* name : {"Titl1.txt", "Titl2.txt"}) {
      EXPECT_EQ(CrLfLines(testing::ReadBytes(m.out() / name)),
                CrLfLines(testing::ReadBytes(clean.out() / name)))
          << name;
    }
    ExpectReportedLines(m, result, "titles");
  }
}

}  // namespace
}  // namespace qe2m4::app

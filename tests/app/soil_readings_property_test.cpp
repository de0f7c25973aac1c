// A table of soil readings changes nothing but the descriptions it reads: over generated
// borings, a run with it writes what a run without it writes for the same boring whose X1.TXT
// descriptions were replaced by their readings, and a run with an empty table writes what a
// run without any writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "app/conversion_run.h"
#include "app/soil_readings_file.h"
#include "platform/cp932.h"
#include "platform/utf8.h"
#include "recording_user_interface.h"
#include "support/generated_layers.h"
#include "support/temp_machine.h"

namespace qe2m4::app {
namespace {

namespace fs = std::filesystem;
using testing::GeneratedLayerFile;

// Descriptions of layers: soil names the classification knows, names it finds no main soil
// in, and odd ones.
const std::vector<std::u16string> kDescriptions = {u"表土",
                                                   u"埋土",
                                                   u"礫混じり砂質シルト",
                                                   u"シルト質細砂",
                                                   u"有機質粘土",
                                                   u"腐植土",
                                                   u"ローム",
                                                   u"砂礫",
                                                   u"凝灰質粘土",
                                                   u"礫混り砂",
                                                   u"粘性土",
                                                   u"砂質土",
                                                   u"礫質土",
                                                   u"有機質土",
                                                   u"礫混り粘性土",
                                                   u"花崗岩",
                                                   u"安山岩",
                                                   u"頁岩",
                                                   u"チャート",
                                                   u"粘板岩",
                                                   u"耕作土",
                                                   u"崖錐堆積物",
                                                   u"腐植層",
                                                   u"ｼﾙﾄ",
                                                   u"シラス",
                                                   u"",
                                                   u"混",
                                                   u"質",
                                                   u"砂混りシルト質粘性土"};
// Readings: most find a main soil, some do not.
const std::vector<std::u16string> kReadings = {
    u"粘土", u"礫混り粘土", u"硬岩",           u"砂", u"砂礫", u"表土", u"泥岩",
    u"軟岩", u"有機質粘土", u"粘土と砂の互層", u"岩", u"粘性", u"ｼﾙﾄ",  u"砂質"};

std::u16string Trimmed(std::u16string_view text) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) {
    return {};
  }
  return std::u16string(text.substr(first, text.find_last_not_of(u' ') - first + 1));
}

// A table the user might keep: its rows, and its file's bytes in one of the encodings.
struct GeneratedTable {
  std::vector<std::pair<std::u16string, std::u16string>> rows;  // 記述 and 読み替え as written
  std::string bytes;

  // The reading the table gives a description, by a plain search of its rows.
  const std::u16string* ReadingOf(std::u16string_view description) const {
    for (const auto& [written, reading] : rows) {
      if (!Trimmed(reading).empty() && Trimmed(written) == Trimmed(description)) {
        return &reading;
      }
    }
    return nullptr;
  }
};

std::string Encode(std::u16string_view text, unsigned encoding) {
  switch (encoding % 4) {
    case 0:
      return platform::ToUtf8(text);
    case 1:
      return "\xEF\xBB\xBF" + platform::ToUtf8(text);
    case 2:
      return platform::EncodeCp932(text);
    default: {
      std::string bytes = "\xFF\xFE";
      for (const char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
      }
      return bytes;
    }
  }
}

GeneratedTable GenerateTable(unsigned seed, std::size_t count) {
  std::mt19937 random(seed);
  GeneratedTable table;
  std::vector<std::u16string> described;
  for (std::size_t i = 0; i < count; ++i) {
    std::u16string description = kDescriptions[random() % kDescriptions.size()];
    const std::u16string trimmed = Trimmed(description);
    bool again = false;
    for (const std::u16string& d : described) {
      again = again || d == trimmed;
    }
    if (again) {
      continue;  // one reading a description
    }
    described.push_back(trimmed);
    if (random() % 4 == 0) {
      description = u" " + description + u"  ";
    }
    const std::u16string reading =
        random() % 10 == 0 ? std::u16string() : kReadings[random() % kReadings.size()];
    table.rows.emplace_back(description, random() % 5 == 0 ? u" " + reading : reading);
  }
  std::u16string text = u"# 読み替え表\r\n備考,記述,読み替え\r\n";
  for (const auto& [description, reading] : table.rows) {
    text += u"x,\"" + description + u"\"," + reading + u"\r\n";
  }
  table.bytes = Encode(text, seed);
  return table;
}

// The sample boring on S: (and Patdat32.ini in S:\, the system folder), its X1.TXT replaced,
// and a destination drive D:.
class ReadingsProperty : public ::testing::Test {
 protected:
  ReadingsProperty()
      : machine_(testing::MemoryTempFolder()),
        s_(machine_.AddDrive(u'S')),
        d_(machine_.AddDrive(u'D')) {
    fs::copy(QE2M4_EXAMPLES_DIR, s_, fs::copy_options::recursive);
    machine_.fs().SetSystemFolder(u"S:\\");
  }

  // Converts S:\BORING1 with the layer file and the table; the destination tree as written.
  std::map<std::string, std::string> Convert(const GeneratedLayerFile& layers,
                                             const SoilReadings& readings, RunResult& result) {
    testing::WriteBytes(s_ / "BORING1" / "X1.TXT", layers.Bytes());
    fs::remove_all(d_ / "TYUJYOU");
    testing::RecordingUserInterface ui;
    ui.answers = {platform::MessageAnswer::kYes};
    result = RunConversion(machine_.fs(), ui, u"S:\\BORING1", u"D:\\TYUJYOU\\A1\\B\\C", readings);
    EXPECT_TRUE(result.succeeded);
    return testing::Snapshot(d_);
  }

  testing::TempMachine machine_;
  fs::path s_;
  fs::path d_;
};

TEST_F(ReadingsProperty, ATableChangesWhatTheDescriptionsItReadsWouldAndNothingElse) {
  const fs::path table_file = machine_.root() / "soil-readings.csv";
  std::size_t read_layers = 0;
  std::size_t still_unmatched = 0;
  std::size_t read_through_blanks = 0;
  constexpr unsigned kBorings = 40;
  for (unsigned seed = 1; seed <= kBorings; ++seed) {
    SCOPED_TRACE("boring " + std::to_string(seed));
    const std::size_t count = std::vector<std::size_t>{1, 3, 20, 200}[seed % 4];
    const GeneratedLayerFile boring = testing::GenerateLayerFile(seed, count, kDescriptions);
    const GeneratedTable generated = GenerateTable(seed * 7919, 1 + seed % 12);
    testing::WriteBytes(table_file, generated.bytes);
    const SoilReadingsTable table = LoadSoilReadingsFile(table_file, true);
    ASSERT_FALSE(table.problem);

    // The same boring with every description the table reads replaced by its reading, written
    // as the original was.
    GeneratedLayerFile replaced = boring;
    std::vector<ReadLayer> expected_read;
    for (std::size_t i = 0; i < boring.layers.size(); ++i) {
      const std::u16string description = boring.ReadDescription(i);
      if (const std::u16string* reading = generated.ReadingOf(description)) {
        if (i + 1 < boring.layers.size() || !boring.cut_last) {
          replaced.layers[i].description = Trimmed(*reading);
        }
        expected_read.push_back({static_cast<std::int64_t>(i + 1), description, Trimmed(*reading)});
        read_through_blanks += description != Trimmed(description) ? 1 : 0;
      }
    }

    RunResult without;
    const auto plain = Convert(boring, SoilReadings::None(), without);
    RunResult with_empty;
    testing::WriteBytes(table_file, Encode(u"記述,読み替え\r\n", seed));
    const SoilReadingsTable empty = LoadSoilReadingsFile(table_file, true);
    ASSERT_FALSE(empty.problem);
    EXPECT_EQ(Convert(boring, empty.readings, with_empty), plain);
    EXPECT_TRUE(with_empty.report.read_layers.empty());
    EXPECT_EQ(with_empty.report.unmatched_layers.size(), without.report.unmatched_layers.size());

    RunResult with_table;
    const auto read = Convert(boring, table.readings, with_table);
    RunResult of_replaced;
    EXPECT_EQ(read, Convert(replaced, SoilReadings::None(), of_replaced));

    // The report lists each layer read, as X1.TXT holds it, and the same layers without a
    // main soil as the replaced boring's.
    ASSERT_EQ(with_table.report.read_layers.size(), expected_read.size());
    for (std::size_t i = 0; i < expected_read.size(); ++i) {
      EXPECT_EQ(with_table.report.read_layers[i].record, expected_read[i].record);
      EXPECT_EQ(with_table.report.read_layers[i].description, expected_read[i].description);
      EXPECT_EQ(with_table.report.read_layers[i].reading, expected_read[i].reading);
    }
    ASSERT_EQ(with_table.report.unmatched_layers.size(),
              of_replaced.report.unmatched_layers.size());
    for (std::size_t i = 0; i < of_replaced.report.unmatched_layers.size(); ++i) {
      const std::int64_t record = with_table.report.unmatched_layers[i].record;
      EXPECT_EQ(record, of_replaced.report.unmatched_layers[i].record);
      EXPECT_EQ(with_table.report.unmatched_layers[i].description,
                boring.ReadDescription(static_cast<std::size_t>(record - 1)));
    }
    read_layers += expected_read.size();
    for (const UnmatchedLayer& layer : with_table.report.unmatched_layers) {
      for (const ReadLayer& r : expected_read) {
        still_unmatched += r.record == layer.record ? 1 : 0;
      }
    }
  }
  // The borings exercised what they are for.
  EXPECT_GT(read_layers, 200u);
  EXPECT_GT(still_unmatched, 10u);
  EXPECT_GT(read_through_blanks, 10u);
}

TEST_F(ReadingsProperty, ALayerReadThroughTheTableGetsTheCodesOfItsReading) {
  GeneratedLayerFile layers;
  layers.layers.push_back({u"1", u"1.50", u"灰", u"花崗岩"});
  layers.layers.push_back({u"2", u"3.00", u"灰", u"粘性土と砂の互層"});
  layers.layers.push_back({u"3", u"4.20", u"灰", u"  粘性土 "});
  SoilReadings readings;
  readings.Add(u"花崗岩", u"硬岩");
  readings.Add(u"粘性土", u"礫混り粘土");
  RunResult result;
  Convert(layers, readings, result);
  const fs::path out = d_ / "TYUJYOU" / "A1" / "B" / "C";
  // The alternation is no description of the table: nothing partial.
  EXPECT_EQ(testing::ReadBytes(out / "N1.txt"),
            "  1,   1.50,091,000\r\n  2,   3.00,000,300\r\n  3,   4.20,602,000\r\n");
  ASSERT_EQ(result.report.read_layers.size(), 2u);
  EXPECT_EQ(result.report.read_layers[1].record, 3);
  EXPECT_EQ(result.report.read_layers[1].description, u"粘性土 ");
  EXPECT_EQ(result.report.read_layers[1].reading, u"礫混り粘土");
  ASSERT_EQ(result.report.unmatched_layers.size(), 1u);
  EXPECT_EQ(result.report.unmatched_layers[0].record, 2);
}

}  // namespace
}  // namespace qe2m4::app

#include "soil/layer_soil.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/output_file.h"
#include "support/temp_machine.h"

namespace qe2m4 {
namespace {

using testing::ReadBytes;
using testing::TempMachine;

// What one or more calls left in N1.txt and N1A.txt.
struct LayerFiles {
  std::string n1;
  std::string n1a;
};

struct Layer {
  std::int64_t number = 1;
  std::u16string depth = u"1.50";
  int name_count = 1;
  LayerNameParts names;
};

LayerFiles WriteLayers(const std::vector<Layer>& layers, std::vector<LayerSoilResult>* results) {
  TempMachine machine;
  const auto d = machine.AddDrive(u'D');
  platform::OutputFile n1(machine.fs(), u"D:\\N1.txt");
  platform::OutputFile n1a(machine.fs(), u"D:\\N1A.txt");
  for (const Layer& layer : layers) {
    const LayerSoilResult result =
        ClassifyLayerSoil(layer.number, layer.depth, layer.name_count, layer.names, n1, n1a);
    if (results != nullptr) {
      results->push_back(result);
    }
  }
  n1.Commit();
  n1a.Commit();
  return {ReadBytes(d / "N1.txt"), ReadBytes(d / "N1A.txt")};
}

struct SoilCase {
  const char* label;
  int name_count;
  std::u16string_view first;
  std::u16string_view second;
  std::string_view n1a;
  std::string_view n1;
  bool first_found;
  bool second_found;
};

std::ostream& operator<<(std::ostream& out, const SoilCase& c) {
  return out << c.label;
}

class ClassifyLayerSoilCase : public ::testing::TestWithParam<SoilCase> {};

TEST_P(ClassifyLayerSoilCase, WritesBothLines) {
  const SoilCase& c = GetParam();
  Layer layer;
  layer.name_count = c.name_count;
  layer.names = {u"", std::u16string(c.first), std::u16string(c.second)};
  std::vector<LayerSoilResult> results;
  const LayerFiles files = WriteLayers({layer}, &results);
  EXPECT_EQ(files.n1a, c.n1a);
  EXPECT_EQ(files.n1, c.n1);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].main_found[1], c.first_found);
  EXPECT_EQ(results[0].main_found[2], c.second_found);
}

// Every line: layer, depth, slot 1 and slot 2 codes (admixture, adjective, main), slot 1 and
// slot 2 targets, six reserved columns of two blanks.
INSTANTIATE_TEST_SUITE_P(
    Descriptions, ClassifyLayerSoilCase,
    ::testing::Values(
        SoilCase{"GravellySandySilt", 1, u"礫混じり砂質シルト", u"",
                 "  1,   1.50,01,02,30,  ,  ,  ,2,10,500,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,512,000\r\n", true, true},
        SoilCase{"VolcanicAsh", 1, u"火山灰", u"",
                 "  1,   1.50,  ,  ,50,  ,  ,  ,  ,  ,040,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,040,000\r\n", true, true},
        SoilCase{"AdmixtureNotAddedToCompleteCode", 1, u"礫混じり火山灰", u"",
                 "  1,   1.50,01,  ,50,  ,  ,  ,2,  ,040,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,040,000\r\n", true, true},
        SoilCase{"TuffaceousClay", 1, u"凝灰質粘土", u"",
                 "  1,   1.50,  ,06,40,  ,  ,  ,  ,50,600,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,650,000\r\n", true, true},
        SoilCase{"SandyTuffaceousClay", 1, u"砂質凝灰質粘土", u"",
                 "  1,   1.50,  ,02,52,  ,  ,  ,  ,10,800,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,810,000\r\n", true, true},
        SoilCase{"OnlyFirstListedAdjectiveTakenOut", 1, u"シルト質砂質粘土", u"",
                 "  1,   1.50,  ,02,30,  ,  ,  ,  ,10,500,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,510,000\r\n", true, true},
        SoilCase{"VolcanicAshAdjective", 1, u"火山灰質粘土", u"",
                 "  1,   1.50,  ,05,40,  ,  ,  ,  ,50,600,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,650,000\r\n", true, true},
        SoilCase{"AdmixtureWithRi", 1, u"礫混り砂", u"",
                 "  1,   1.50,01,  ,20,  ,  ,  ,2,  ,300,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,302,000\r\n", true, true},
        SoilCase{"AdmixtureWithoutTailDropsTheRest", 1, u"礫混砂", u"",
                 "  1,   1.50,01,  ,  ,  ,  ,  ,2,  ,   ,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,002,000\r\n", false, true},
        SoilCase{"TextBeforeAdmixtureKept", 1, u"砂礫混じりシルト", u"",
                 "  1,   1.50,01,  ,30,  ,  ,  ,2,  ,500,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,502,000\r\n", true, true},
        SoilCase{"FirstAdmixtureRowWins", 1, u"砂混じり礫混じり粘土", u"",
                 "  1,   1.50,01,  ,40,  ,  ,  ,2,  ,600,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,602,000\r\n", true, true},
        SoilCase{"OrganicSoilAdmixture", 1, u"有機質土混じり砂", u"",
                 "  1,   1.50,07,  ,20,  ,  ,  ,6,  ,300,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,306,000\r\n", true, true},
        SoilCase{"ShellAdmixtureTakenOutWithoutCode", 1, u"貝殻混じり砂", u"",
                 "  1,   1.50,  ,  ,20,  ,  ,  ,  ,  ,300,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,300,000\r\n", true, true},
        SoilCase{"UnlistedAdmixtureWithoutTailKept", 1, u"貝殻混砂質シルト", u"",
                 "  1,   1.50,  ,02,30,  ,  ,  ,  ,10,500,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,510,000\r\n", true, true},
        SoilCase{"MainSoilWithoutTargetCode", 1, u"貝殻混", u"",
                 "  1,   1.50,  ,  ,75,  ,  ,  ,  ,  ,   ,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,000,000\r\n", true, true},
        SoilCase{"AdjectiveAlone", 1, u"砂質", u"",
                 "  1,   1.50,  ,02,  ,  ,  ,  ,  ,10,   ,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,010,000\r\n", false, true},
        SoilCase{"AdjectiveWithoutMainSoil", 1, u"有機質土", u"",
                 "  1,   1.50,  ,07,  ,  ,  ,  ,  ,40,   ,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,040,000\r\n", false, true},
        SoilCase{"UnlistedAdjectiveDropped", 1, u"腐植質粘土", u"",
                 "  1,   1.50,  ,  ,40,  ,  ,  ,  ,  ,600,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,600,000\r\n", true, true},
        SoilCase{"Topsoil", 1, u"表土", u"",
                 "  1,   1.50,  ,  ,97,  ,  ,  ,  ,  ,000,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,000,000\r\n", true, true},
        SoilCase{"Fill", 1, u"埋土", u"",
                 "  1,   1.50,  ,  ,98,  ,  ,  ,  ,  ,001,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,001,000\r\n", true, true},
        SoilCase{"SandyGravelLongerNameWins", 1, u"砂礫", u"",
                 "  1,   1.50,  ,  ,14,  ,  ,  ,  ,  ,100,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,100,000\r\n", true, true},
        SoilCase{"GravelSandEarlierRowWins", 1, u"礫砂", u"",
                 "  1,   1.50,  ,  ,10,  ,  ,  ,  ,  ,100,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,100,000\r\n", true, true},
        SoilCase{"ConsolidatedSilt", 1, u"固結シルト", u"",
                 "  1,   1.50,  ,  ,80,  ,  ,  ,  ,  ,093,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,093,000\r\n", true, true},
        SoilCase{"MediumHardRock", 1, u"中硬岩", u"",
                 "  1,   1.50,  ,  ,87,  ,  ,  ,  ,  ,092,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,092,000\r\n", true, true},
        SoilCase{"HalfWidthKatakanaNotMatched", 1, u"ｼﾙﾄ", u"",
                 "  1,   1.50,  ,  ,  ,  ,  ,  ,  ,  ,   ,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,000,000\r\n", false, true},
        SoilCase{"KatakanaShirasuNotMatched", 1, u"シラス", u"",
                 "  1,   1.50,  ,  ,  ,  ,  ,  ,  ,  ,   ,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,000,000\r\n", false, true},
        SoilCase{"CohesiveSoilNotMatched", 1, u"粘性土", u"",
                 "  1,   1.50,  ,  ,  ,  ,  ,  ,  ,  ,   ,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,000,000\r\n", false, true},
        SoilCase{"EmptyName", 1, u"", u"",
                 "  1,   1.50,  ,  ,  ,  ,  ,  ,  ,  ,   ,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,000,000\r\n", false, true},
        SoilCase{"AlternatingSandAndSilt", 2, u"砂", u"シルト",
                 "  1,   1.50,  ,  ,20,  ,  ,30,  ,  ,300,  ,  ,500,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,300,500\r\n", true, true},
        SoilCase{"AlternatingWithAdmixtureAndAdjective", 2, u"礫混じり砂", u"シルト質粘土",
                 "  1,   1.50,01,  ,20,  ,03,40,2,  ,300,  ,20,600,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,302,620\r\n", true, true},
        SoilCase{"AlternatingNothingCarriesOver", 2, u"砂質", u"シルト",
                 "  1,   1.50,  ,02,  ,  ,  ,30,  ,10,   ,  ,  ,500,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,010,500\r\n", false, true},
        SoilCase{"AlternatingSecondUnmatched", 2, u"砂", u"ｼﾙﾄ",
                 "  1,   1.50,  ,  ,20,  ,  ,  ,  ,  ,300,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,300,000\r\n", true, false},
        SoilCase{"SecondNameIgnoredForOneName", 1, u"砂", u"シルト",
                 "  1,   1.50,  ,  ,20,  ,  ,  ,  ,  ,300,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n",
                 "  1,   1.50,300,000\r\n", true, true}),
    [](const ::testing::TestParamInfo<SoilCase>& info) { return std::string(info.param.label); });

TEST(ClassifyLayerSoil, LayerColumnKeepsLastThreeDigitsAndDepthItsLastSeven) {
  Layer layer;
  layer.names = {u"", u"砂", u""};
  layer.number = 1000;
  layer.depth = u"12345.678";
  Layer next = layer;
  next.number = 123456;
  next.depth = u"";
  Layer short_depth = layer;
  short_depth.number = 12;
  short_depth.depth = u"-1.5";
  const LayerFiles files = WriteLayers({layer, next, short_depth}, nullptr);
  EXPECT_EQ(files.n1,
            "000,345.678,300,000\r\n"
            "456,       ,300,000\r\n"
            " 12,   -1.5,300,000\r\n");
  EXPECT_EQ(files.n1a,
            "000,345.678,  ,  ,20,  ,  ,  ,  ,  ,300,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n"
            "456,       ,  ,  ,20,  ,  ,  ,  ,  ,300,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n"
            " 12,   -1.5,  ,  ,20,  ,  ,  ,  ,  ,300,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n");
}

TEST(ClassifyLayerSoil, EachCallAppendsOneLineToEachFile) {
  Layer first;
  first.names = {u"", u"礫混じり砂質シルト", u""};
  Layer second;
  second.number = 2;
  second.depth = u"3.2";
  second.names = {u"", u"火山灰", u""};
  std::vector<LayerSoilResult> results;
  const LayerFiles files = WriteLayers({first, second}, &results);
  EXPECT_EQ(files.n1,
            "  1,   1.50,512,000\r\n"
            "  2,    3.2,040,000\r\n");
  EXPECT_EQ(files.n1a,
            "  1,   1.50,01,02,30,  ,  ,  ,2,10,500,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n"
            "  2,    3.2,  ,  ,50,  ,  ,  ,  ,  ,040,  ,  ,   ,  ,  ,  ,  ,  ,  \r\n");
  ASSERT_EQ(results.size(), 2u);
  EXPECT_TRUE(results[1].main_found[1]);
}

}  // namespace
}  // namespace qe2m4

#include "cli/help_texts.h"

#include "catalogue/catalogue.h"

namespace qe2m4::cli {
namespace {

using catalogue::Format;
using catalogue::Text;
using catalogue::TextId;

// The texts that differ between the systems: how help is asked for, where the settings are,
// how the commands are typed and how a run is interrupted.
#ifdef _WIN32
constexpr TextId kOptionHelp = TextId::kCliHelpOptionHelpWindows;
constexpr TextId kSystemFolder = TextId::kCliHelpSystemFolderWindows;
constexpr TextId kConvertExamples = TextId::kCliHelpConvertExamplesWindows;
constexpr TextId kBatchExamples = TextId::kCliHelpBatchExamplesWindows;
constexpr TextId kInterrupted = TextId::kCliHelpInterruptedWindows;
constexpr const char* kSettingsFolder = "%APPDATA%\\qe2m4";
#else
constexpr TextId kOptionHelp = TextId::kCliHelpOptionHelpPosix;
constexpr TextId kSystemFolder = TextId::kCliHelpSystemFolderPosix;
constexpr TextId kConvertExamples = TextId::kCliHelpConvertExamplesPosix;
constexpr TextId kBatchExamples = TextId::kCliHelpBatchExamplesPosix;
constexpr TextId kInterrupted = TextId::kCliHelpInterruptedPosix;
constexpr const char* kSettingsFolder = "~/.config/qe2m4";
#endif

std::string MachineOptions() {
  return Format(TextId::kCliHelpMachineOptions, {Text(kSystemFolder)});
}

std::string SoilReadingsOptions() {
  return Format(TextId::kCliHelpSoilReadingsOptions, {kSettingsFolder});
}

}  // namespace

std::string UsageLines(HelpTopic topic) {
  switch (topic) {
    case HelpTopic::kConvert:
      return std::string(Text(TextId::kCliUsageConvert));
    case HelpTopic::kBatch:
      return std::string(Text(TextId::kCliUsageBatch));
    case HelpTopic::kProgram:
      break;
  }
  return std::string(Text(TextId::kCliUsageProgram));
}

std::string UsageHint(HelpTopic topic) {
  switch (topic) {
    case HelpTopic::kConvert:
      return std::string(Text(TextId::kCliHintConvert));
    case HelpTopic::kBatch:
      return std::string(Text(TextId::kCliHintBatch));
    case HelpTopic::kProgram:
      break;
  }
  return std::string(Text(TextId::kCliHintProgram));
}

std::string HelpText(HelpTopic topic) {
  switch (topic) {
    case HelpTopic::kConvert:
      return UsageLines(topic) + Format(TextId::kCliHelpConvert,
                                        {MachineOptions(), SoilReadingsOptions(), Text(kOptionHelp),
                                         Text(kConvertExamples), Text(kInterrupted)});
    case HelpTopic::kBatch:
      return UsageLines(topic) + Format(TextId::kCliHelpBatch,
                                        {MachineOptions(), SoilReadingsOptions(), Text(kOptionHelp),
                                         Text(kBatchExamples), Text(kInterrupted)});
    case HelpTopic::kProgram:
      break;
  }
  const std::string examples =
      std::string(Text(kConvertExamples)) + std::string(Text(kBatchExamples));
  return UsageLines(topic) +
         Format(TextId::kCliHelpProgram, {Text(kOptionHelp), examples, UsageHint(topic)});
}

}  // namespace qe2m4::cli

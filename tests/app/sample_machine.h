#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/conversion_run.h"
#include "platform/user_interface.h"
#include "recording_user_interface.h"
#include "support/temp_machine.h"

namespace qe2m4::testing {

// The sample boring of examples/ on drive S: (BORING1, PATDAT, and Patdat32.ini in S:\, which
// is the system folder), an empty drive D: for the destination.
class SampleMachine {
 public:
  SampleMachine()
      : machine_(MemoryTempFolder()), s_(machine_.AddDrive(u'S')), d_(machine_.AddDrive(u'D')) {
    std::filesystem::copy(QE2M4_EXAMPLES, s_, std::filesystem::copy_options::recursive);
    machine_.fs().SetSystemFolder(u"S:\\");
  }

  // One click of the execute button from S:\BORING1, answering Yes to the folder question.
  app::RunResult Convert(std::u16string_view destination = kDestination) {
    ui_ = RecordingUserInterface();
    ui_.answers = {platform::MessageAnswer::kYes};
    return app::RunConversion(machine_.fs(), ui_, u"S:\\BORING1", destination);
  }

  // The texts of the messages the last run showed with an OK button (the folder question
  // left out).
  std::vector<std::u16string> Shown() const {
    std::vector<std::u16string> texts;
    for (const auto& message : ui_.messages) {
      if (message.buttons == platform::MessageButtons::kOk) {
        texts.push_back(message.text);
      }
    }
    return texts;
  }

  // Names in a host folder that a run must never leave behind: its temporary files and the
  // copies of titl01/02/03.txt.
  static std::vector<std::string> Leftovers(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; ++it) {
      std::string name = it->path().filename().string();
      std::string lower;
      for (const char c : name) {
        lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
      }
      if (name.starts_with(".~") || lower.starts_with("titl0")) {
        names.push_back(std::move(name));
      }
    }
    return names;
  }

  static constexpr std::u16string_view kDestination = u"D:\\TYUJYOU\\A1234\\B\\C";

  platform::FileSystem& fs() { return machine_.fs(); }
  const std::filesystem::path& s() const { return s_; }
  const std::filesystem::path& d() const { return d_; }
  std::filesystem::path out() const { return d_ / "TYUJYOU" / "A1234" / "B" / "C"; }
  RecordingUserInterface& ui() { return ui_; }

 private:
  TempMachine machine_;
  std::filesystem::path s_;
  std::filesystem::path d_;
  RecordingUserInterface ui_;
};

}  // namespace qe2m4::testing

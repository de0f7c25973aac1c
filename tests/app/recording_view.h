#pragma once

#include <string>
#include <vector>

#include "app/drive_list.h"
#include "app/folder_list.h"
#include "app/form1_view.h"
#include "recording_user_interface.h"

namespace qe2m4::testing {

// A window without a toolkit: holds the two path boxes' texts, notes what Form1 shows in the
// lists and the search window, and lets the run talk to a RecordingUserInterface.
class RecordingView : public app::Form1View {
 public:
  std::u16string text1;  // the destination path box
  std::u16string text2;  // the source path box
  // Every list shown, as "Drive1:<chosen text>", "Dir2:<folder>" ...
  std::vector<std::u16string> lists_shown;
  std::vector<std::u16string> searches_shown;
  int centred = 0;
  int searches_ended = 0;
  int ended = 0;
  RecordingUserInterface port;

  std::u16string PathText(Side side) const override {
    return side == Side::kSource ? text2 : text1;
  }
  void SetPathText(Side side, std::u16string_view text) override {
    (side == Side::kSource ? text2 : text1) = text;
  }
  void ShowDrives(Side side, const app::DriveList& list) override {
    lists_shown.push_back((side == Side::kSource ? u"Drive2:" : u"Drive1:") + list.Drive());
  }
  void ShowFolders(Side side, const app::FolderList& list) override {
    lists_shown.push_back((side == Side::kSource ? u"Dir2:" : u"Dir1:") + list.Path());
  }
  void CentreWindow() override { ++centred; }
  void ShowSearch(std::u16string_view folder) override { searches_shown.emplace_back(folder); }
  void EndSearch() override { ++searches_ended; }
  void EndProgram() override { ++ended; }
  platform::UserInterface& Port() override { return port; }
};

}  // namespace qe2m4::testing

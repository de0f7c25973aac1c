#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "app/drive_list.h"
#include "app/folder_list.h"
#include "app/form1_view.h"
#include "app/window_start.h"

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4::app {

// The behaviour of the program's one window, whatever toolkit shows it: start-up, the event
// handlers, the drive and folder lists' content, and the conversion run behind Command1. A view
// creates the controls, shows what this tells it to and calls the handler of each event.
class Form1 {
 public:
  using Side = Form1View::Side;

  // How long the start-up search runs before its progress window appears.
  static constexpr std::chrono::milliseconds kSearchProgressDelay{500};

  Form1(platform::FileSystem& file_system, Form1View& view,
        std::chrono::milliseconds search_progress_delay = kSearchProgressDelay);
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // Window-level state: the pattern-data folder found at start-up (ending with "\"), and 1
  // while the status line holds a run's text that the next mouse move over the background
  // clears.
  std::u16string PatternFolder;
  std::int16_t StatusShown = 0;

  DriveList Drive1;
  DriveList Drive2;
  FolderList Dir1;
  FolderList Dir2;

  DriveList& Drive(Side side) { return side == Side::kSource ? Drive2 : Drive1; }
  FolderList& Dir(Side side) { return side == Side::kSource ? Dir2 : Dir1; }

  // Shows the four lists' first content; the view calls it once its controls exist.
  void ShowLists();

  // Start-up, before the window is shown. False when the program has to end (no pattern-data
  // folder; the user has been told).
  bool Form_Load();
  // Once the window shows after Form_Load, what the program was started with: the folder given
  // becomes the source (Drive2 on its drive, Dir2 and Text2 on it), or one message says why it
  // cannot; then the settings warnings, all in one information box, when there are any.
  void AfterStartUp(const WindowStart& start);
  void Drive1_Change();
  void Drive2_Change();
  void Dir1_Change();
  void Dir2_Change();
  void Picture1_MouseMove();
  // The run, through the settings folder's table of soil readings (read anew each time); after
  // a success with something to say, one notice of it.
  void Command1_Click();
  void Command2_Click();

 private:
  void ShowNoTyujyouFolder();
  void OpenSourceArgument(std::string_view argument);

  platform::FileSystem& file_system_;
  Form1View& view_;
  std::chrono::milliseconds search_progress_delay_;
};

}  // namespace qe2m4::app

#pragma once

#include <string>
#include <string_view>

#include "platform/user_interface.h"

namespace qe2m4::app {

class DriveList;
class FolderList;

// What Form1's behaviour needs of a window toolkit: the two path boxes, the two drive lists and
// the two folder lists (each named by its side: the source side holds Text2, Drive2 and Dir2,
// the destination side Text1, Drive1 and Dir1), the start-up search's progress window, ending
// the program, and the port through which the run talks to its user (message boxes, the status
// line Label3, the hourglass, pending events, focusing a path box).
class Form1View {
 public:
  using Side = platform::PathBox;

  virtual ~Form1View() = default;

  virtual std::u16string PathText(Side side) const = 0;
  virtual void SetPathText(Side side, std::u16string_view text) = 0;
  // Shows a list's entries and its choice (the drive list) or its folder (the folder list).
  virtual void ShowDrives(Side side, const DriveList& list) = 0;
  virtual void ShowFolders(Side side, const FolderList& list) = 0;

  // Puts the window in the middle of the screen.
  virtual void CentreWindow() = 0;
  // Shows, or updates, a small window saying that the start-up search is looking in folder.
  virtual void ShowSearch(std::u16string_view folder) = 0;
  // Closes that window, if it was shown.
  virtual void EndSearch() = 0;
  // Ends the program (the quit button, the window's close box).
  virtual void EndProgram() = 0;

  virtual platform::UserInterface& Port() = 0;
};

}  // namespace qe2m4::app

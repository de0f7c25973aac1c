#pragma once

#include <windows.h>

#include <array>
#include <chrono>
#include <memory>
#include <string>

#include "app/control_table.h"
#include "app/form1.h"
#include "app/win32/gdi_handles.h"
#include "app/win32/search_window.h"
#include "app/win32/win32_user_interface.h"

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4::win32 {

// The program's one window on Windows: the controls of the control table as native controls,
// shown and wired to Form1's behaviour, which decides everything else. One window procedure
// hands each message to one small function.
class Form1Window : public app::Form1View {
 public:
  // Registers the window's class; once per program, before the first window.
  static bool RegisterWindowClass(HINSTANCE instance);

  // Creates the window and its controls, hidden.
  Form1Window(platform::FileSystem& file_system, HINSTANCE instance,
              std::chrono::milliseconds search_progress_delay = app::Form1::kSearchProgressDelay);
  Form1Window(const Form1Window&) = delete;
  Form1Window& operator=(const Form1Window&) = delete;

  app::Form1& behaviour() { return form_; }
  HWND handle() const { return window_.get(); }
  // Shows the window with the focus on the first control in tab order.
  void Show(int show_command);
  // Runs the window until the program ends; returns the program's exit code.
  int Run();

  std::u16string PathText(Side side) const override;
  void SetPathText(Side side, std::u16string_view text) override;
  void ShowDrives(Side side, const app::DriveList& list) override;
  void ShowFolders(Side side, const app::FolderList& list) override;
  void CentreWindow() override;
  void ShowSearch(std::u16string_view folder) override;
  void EndSearch() override;
  void EndProgram() override;
  platform::UserInterface& Port() override { return ui_; }

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l);

  void OnCommand(int id, int code, HWND control);
  void OnNotify(const NMHDR& header);
  void OnMouseMove(POINT at);
  LRESULT OnControlColour(HDC dc);
  bool OnSetCursor();
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void OnActivate(bool active);
  void OnOpenFolder(Side side, std::size_t index);
  void OnChooseDrive(Side side, std::size_t index);

  HWND CreateMainWindow(HINSTANCE instance);
  std::array<HWND, app::kControls.size()> CreateControls(HINSTANCE instance) const;
  FontHandle MakeFont() const;
  void LayOut();
  HWND Control(std::string_view name) const;
  // The control the Tab key's round starts with.
  HWND FirstTabStop() const;
  HWND DriveBox(Side side) const { return Control(side == Side::kSource ? "Drive2" : "Drive1"); }
  HWND FolderTree(Side side) const { return Control(side == Side::kSource ? "Dir2" : "Dir1"); }
  HWND PathBox(Side side) const { return Control(side == Side::kSource ? "Text2" : "Text1"); }
  int Pixels(int twips) const { return app::TwipsToPixels(twips, static_cast<int>(dpi_)); }

  HINSTANCE instance_;
  // Messages reach HandleMessage only once the window and its controls are complete.
  bool ready_ = false;
  HWND last_focus_ = nullptr;
  BrushHandle background_;
  WindowHandle window_;
  UINT dpi_ = 96;
  FontHandle font_;
  std::array<HWND, app::kControls.size()> controls_{};  // by place in the control table
  Win32UserInterface ui_;
  std::unique_ptr<SearchWindow> search_;
  app::Form1 form_;
};

}  // namespace qe2m4::win32

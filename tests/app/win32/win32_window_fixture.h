#pragma once

// The Windows window's tests share this: qe2m4-gui.exe started under the sample machine and
// driven from the outside.
#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/control_table.h"
#include "app/texts.h"
#include "app/win32/control_ids.h"
#include "gui_process.h"
#include "platform/win32/win32_text.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

namespace qe2m4::win32::testing {

namespace fs = std::filesystem;
using platform::win32::Wide;
using qe2m4::testing::TempMachine;

inline constexpr wchar_t kMessageBoxClass[] = L"#32770";

inline HWND Control(HWND form, std::string_view name) {
  return GetDlgItem(form, ControlId(*app::FindControl(name)));
}

// The text of a message box (its static text, not the icon's).
inline std::wstring MessageText(HWND box) {
  for (const HWND label : Children(box, L"Static")) {
    if (!Text(label).empty()) {
      return Text(label);
    }
  }
  return {};
}

// Clicks a button of a message box by its identifier (IDOK, IDYES ...).
inline void Answer(HWND box, int button) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

// The sample of examples/ on S: with the program copied beside its PATDAT (so the start-up
// finds it at once, without walking any drive), a destination drive D: holding \TYUJYOU, and no
// other drive.
class Win32Window : public ::testing::Test {
 protected:
  Win32Window() : s_(machine_.AddDrive(u'S')), d_(machine_.AddDrive(u'D')) {
    fs::copy(QE2M4_EXAMPLES_DIR, s_, fs::copy_options::recursive);
    fs::create_directories(d_ / "TYUJYOU");
    fs::copy_file(QE2M4_GUI_EXECUTABLE, s_ / "qe2m4-gui.exe");
    // The settings folder (where the window finds the table of soil readings) of the window,
    // which has this process's environment.
    qe2m4::testing::SetUserConfigRoot(machine_.root() / "config");
  }

  // Types both paths into the boxes and presses 実  行.
  static void Execute(HWND form, const wchar_t* source, const wchar_t* destination) {
    SendMessageW(Control(form, "Text2"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(source));
    SendMessageW(Control(form, "Text1"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(destination));
    PostMessageW(Control(form, "Command1"), BM_CLICK, 0, 0);
  }

  // The notice shown after the success text: its text, once it has only an OK button and the
  // application's title; then it is closed.
  static std::wstring TakeNotice(GuiProcess& gui, HWND form) {
    const HWND status = Control(form, "Label3");
    EXPECT_TRUE(WaitUntil([&] { return Text(status) == Wide(app::texts::kSucceeded); }));
    const HWND notice = gui.WaitForWindow(kMessageBoxClass, true);
    if (notice == nullptr) {
      ADD_FAILURE() << "no notice";
      return {};
    }
    EXPECT_EQ(Text(notice), Wide(app::texts::kApplicationTitle));
    EXPECT_NE(GetDlgItem(notice, IDOK), nullptr);
    EXPECT_EQ(GetDlgItem(notice, IDYES), nullptr);
    std::wstring text = MessageText(notice);
    Answer(notice, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !gui.HasVisibleWindow(kMessageBoxClass); }));
    return text;
  }

  // Starts the window with S: and D: mapped, every other letter unmapped, S: as the system
  // folder and the working folder.
  std::unique_ptr<GuiProcess> Start(const fs::path& program,
                                    const std::vector<std::wstring>& more = {}) {
    std::vector<std::wstring> arguments;
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
      if (letter == L'S' || letter == L'D') {
        continue;
      }
      arguments.insert(arguments.end(), {L"--drive", std::wstring{letter, L'='}});
    }
    arguments.insert(arguments.end(), {L"--drive", L"S=" + s_.wstring(), L"--drive",
                                       L"D=" + d_.wstring(), L"--system-dir", s_.wstring()});
    arguments.insert(arguments.end(), more.begin(), more.end());
    return std::make_unique<GuiProcess>(program, arguments, program.parent_path());
  }

  TempMachine machine_;
  fs::path s_;
  fs::path d_;
};

}  // namespace qe2m4::win32::testing

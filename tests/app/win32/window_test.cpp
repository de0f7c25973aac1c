// The Windows window, started as qe2m4-gui.exe and driven from the outside.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/control_table.h"
#include "app/conversion_run.h"
#include "app/texts.h"
#include "app/win32/control_ids.h"
#include "gui_process.h"
#include "platform/utf8.h"
#include "platform/win32/win32_text.h"
#include "recording_user_interface.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"
#include "win32_window_fixture.h"

namespace qe2m4::win32 {

using platform::win32::Utf16;
using platform::win32::Wide;
namespace {

namespace fs = std::filesystem;
using qe2m4::testing::ReadBytes;
using qe2m4::testing::Snapshot;
using qe2m4::testing::TempMachine;
using testing::Answer;
using testing::Children;
using testing::Control;
using testing::GuiProcess;
using testing::kMessageBoxClass;
using testing::MessageText;
using testing::Text;
using testing::WaitUntil;
using testing::Win32Window;

TEST_F(Win32Window, ControlsHaveTheirCaptionsPlacesAndTabOrder) {
  const auto gui = Start(s_ / "qe2m4-gui.exe");
  const HWND form = gui->WaitForWindow(kForm1Class, true);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Text(form), Wide(app::texts::kApplicationTitle));
  const int dpi = static_cast<int>(GetDpiForWindow(form));
  RECT client;
  GetClientRect(form, &client);
  EXPECT_EQ(client.right, app::TwipsToPixels(app::kClientWidth, dpi));
  EXPECT_EQ(client.bottom, app::TwipsToPixels(app::kClientHeight, dpi));

  struct Kind {
    app::ControlKind kind;
    const wchar_t* window_class;
  };
  const Kind kinds[] = {{app::ControlKind::kLabel, L"Static"},
                        {app::ControlKind::kTextBox, L"Edit"},
                        {app::ControlKind::kFrame, L"Button"},
                        {app::ControlKind::kFolderList, L"SysTreeView32"},
                        {app::ControlKind::kDriveList, L"ComboBox"},
                        {app::ControlKind::kButton, L"Button"}};
  for (const app::Control& control : app::kControls) {
    SCOPED_TRACE(std::string(control.name));
    if (control.kind == app::ControlKind::kPictureBox) {
      continue;  // the window's own client area
    }
    const HWND shown = Control(form, control.name);
    ASSERT_NE(shown, nullptr);
    for (const Kind& kind : kinds) {
      if (kind.kind == control.kind) {
        EXPECT_EQ(testing::ClassName(shown), kind.window_class);
      }
    }
    if (!control.caption.empty()) {
      EXPECT_EQ(Text(shown), Wide(control.caption));
    }
    RECT frame;
    GetWindowRect(shown, &frame);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&frame), 2);
    const app::Place place = app::PlaceInWindow(control);
    EXPECT_EQ(frame.left, app::TwipsToPixels(place.left, dpi));
    EXPECT_EQ(frame.top, app::TwipsToPixels(place.top, dpi));
    EXPECT_EQ(frame.right - frame.left, app::TwipsToPixels(place.width, dpi));
    if (control.kind == app::ControlKind::kDriveList) {
      // A closed drop-down list is as tall as its font needs; the window asks for the table's
      // height, which Wine's list grants to within a few pixels.
      EXPECT_NEAR(frame.bottom - frame.top, app::TwipsToPixels(place.height, dpi), 3);
    } else {
      EXPECT_EQ(frame.bottom - frame.top, app::TwipsToPixels(place.height, dpi));
    }
  }

  // Tab visits the controls that take the focus in tab-index order, and comes round again.
  std::vector<std::string_view> visited;
  HWND at = Control(form, "Dir1");
  for (int i = 0; i < 9; ++i) {
    for (const app::Control& control : app::kControls) {
      if (control.kind != app::ControlKind::kPictureBox && Control(form, control.name) == at) {
        visited.push_back(control.name);
      }
    }
    at = GetNextDlgTabItem(form, at, FALSE);
  }
  EXPECT_EQ(visited, (std::vector<std::string_view>{"Dir1", "Drive1", "Dir2", "Drive2", "Command1",
                                                    "Command2", "Text1", "Text2", "Dir1"}));

  // The window starts with the focus in the first of them.
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  ASSERT_TRUE(GetGUIThreadInfo(gui->thread_id(), &thread));
  EXPECT_EQ(thread.hwndFocus, Control(form, "Dir1"));
}

TEST_F(Win32Window, ExecuteConvertsTheSampleAsTheRunDoesAndQuitEndsTheProgram) {
  const auto gui = Start(s_ / "qe2m4-gui.exe");
  const HWND form = gui->WaitForWindow(kForm1Class, true);
  ASSERT_NE(form, nullptr);
  SendMessageW(Control(form, "Text2"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"S:\\BORING1"));
  SendMessageW(Control(form, "Text1"), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(L"D:\\TYUJYOU\\A1234\\B\\C"));
  // Enter in a path box does not run the conversion: the click into the box and the key come
  // through the window's message loop, and the only question is the one 実  行 asks.
  const HWND destination = Control(form, "Text1");
  PostMessageW(destination, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageW(destination, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  ASSERT_TRUE(WaitUntil([&] {
    return GetGUIThreadInfo(gui->thread_id(), &thread) && thread.hwndFocus == destination;
  }));
  PostMessageW(destination, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(destination, WM_KEYUP, VK_RETURN, 0xC0000001);
  PostMessageW(Control(form, "Command1"), BM_CLICK, 0, 0);

  const HWND question = gui->WaitForWindow(kMessageBoxClass, true);
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(MessageText(question), Wide(app::texts::kCreateFolders));
  EXPECT_EQ(Text(question), Wide(app::texts::kApplicationTitle));
  EXPECT_NE(GetDlgItem(question, IDYES), nullptr);
  EXPECT_NE(GetDlgItem(question, IDNO), nullptr);
  Answer(question, IDYES);
  // The sample's layer of 粘板岩 finds no main soil: the notice says so.
  EXPECT_EQ(TakeNotice(*gui, form),
            Wide(u"主な土質が見つからなかった層の記述（X1.TXT の記録番号）：\n  13: 粘板岩"));

  // The same files as the run writes for the same paths, byte for byte.
  const fs::path reference = machine_.AddDrive(u'R');
  fs::create_directories(reference / "TYUJYOU");
  machine_.fs().SetSystemFolder(u"S:\\");
  qe2m4::testing::RecordingUserInterface user;
  user.answers.push_back(platform::MessageAnswer::kYes);
  ASSERT_TRUE(app::RunConversion(machine_.fs(), user, u"S:\\BORING1", u"R:\\TYUJYOU\\A1234\\B\\C")
                  .succeeded);
  EXPECT_EQ(Snapshot(d_ / "TYUJYOU"), Snapshot(reference / "TYUJYOU"));
  EXPECT_EQ(ReadBytes(d_ / "TYUJYOU" / "A1234" / "B" / "C" / "CNT.TXT"),
            "A1\r\nB\r\nC\r\n\r\n12\r\n3\r\n");

  PostMessageW(Control(form, "Command2"), BM_CLICK, 0, 0);
  EXPECT_EQ(gui->WaitForExit(), 0u);
}

TEST_F(Win32Window, ARefusedPathIsReportedAndItsBoxFocusedAndSelected) {
  const auto gui = Start(s_ / "qe2m4-gui.exe");
  const HWND form = gui->WaitForWindow(kForm1Class, true);
  ASSERT_NE(form, nullptr);
  const HWND source = Control(form, "Text2");
  SendMessageW(source, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Q:\\data"));
  SendMessageW(Control(form, "Text1"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"D:\\TYUJYOU\\K1"));
  PostMessageW(Control(form, "Command1"), BM_CLICK, 0, 0);

  const HWND box = gui->WaitForWindow(kMessageBoxClass, true);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageText(box), Wide(app::texts::kBadPath));
  EXPECT_EQ(Text(box), L"Q:\\data");  // the path as the check left it
  EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
  EXPECT_EQ(GetDlgItem(box, IDNO), nullptr);
  Answer(box, IDOK);

  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  ASSERT_TRUE(WaitUntil(
      [&] { return GetGUIThreadInfo(gui->thread_id(), &thread) && thread.hwndFocus == source; }));
  DWORD start = 99;
  DWORD end = 0;
  SendMessageW(source, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 7u);
  EXPECT_EQ(Text(Control(form, "Label3")), L"");
  EXPECT_FALSE(fs::exists(d_ / "TYUJYOU" / "K1"));

  // The close box ends the program as 終  了 does.
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_EQ(gui->WaitForExit(), 0u);
}

TEST_F(Win32Window, TheNoticeTellsOfN6NotWrittenAndOfTheLayersTheTableRead) {
  fs::create_directories(d_ / "TYUJYOU" / "K1");
  fs::remove(s_ / "Patdat32.ini");
  qe2m4::testing::WriteBytes(machine_.root() / "config" / "qe2m4" / "soil-readings.csv",
                             platform::ToUtf8(u"記述,読み替え\r\n粘板岩,硬岩\r\n"));
  const auto gui = Start(s_ / "qe2m4-gui.exe");
  const HWND form = gui->WaitForWindow(kForm1Class, true);
  ASSERT_NE(form, nullptr);
  Execute(form, L"S:\\BORING1", L"D:\\TYUJYOU\\K1");
  EXPECT_EQ(
      TakeNotice(*gui, form),
      Wide(u"書き込まなかったファイル：\n"
           u"  N6.txt: Patdat32.ini がないか空のため、X6.TXT のデータは変換されませんでした。 "
           u"(S:\\Patdat32.ini)\n"
           u"土質名の読み替え表で読み替えた層：1 層"));
  const std::string n1 = ReadBytes(d_ / "TYUJYOU" / "K1" / "N1.txt");
  EXPECT_TRUE(n1.ends_with(" 13,  20.00,091,000\r\n")) << n1;

  // A run with nothing to say shows nothing after the success text.
  const std::string layers = ReadBytes(s_ / "BORING1" / "X1.TXT");
  qe2m4::testing::WriteBytes(s_ / "BORING1" / "X1.TXT", layers.substr(0, layers.rfind("13,")));
  fs::remove(machine_.root() / "config" / "qe2m4" / "soil-readings.csv");
  fs::copy_file(fs::path(QE2M4_EXAMPLES_DIR) / "Patdat32.ini", s_ / "Patdat32.ini");
  SendMessageW(Control(form, "Label3"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  Execute(form, L"S:\\BORING1", L"D:\\TYUJYOU\\K1");
  const HWND status = Control(form, "Label3");
  ASSERT_TRUE(WaitUntil([&] { return Text(status) == Wide(app::texts::kSucceeded); }));
  Sleep(500);
  EXPECT_FALSE(gui->HasVisibleWindow(kMessageBoxClass));

  PostMessageW(Control(form, "Command2"), BM_CLICK, 0, 0);
  EXPECT_EQ(gui->WaitForExit(), 0u);
}

TEST_F(Win32Window, WithoutPatternDataOnlyTheMessageIsShown) {
  // No PATDAT beside the program (which lies on no drive) nor on S: or D:.
  fs::remove_all(s_ / "PATDAT");
  const fs::path alone = machine_.root() / "program";
  fs::create_directories(alone);
  fs::copy_file(QE2M4_GUI_EXECUTABLE, alone / "qe2m4-gui.exe");
  const auto gui = Start(alone / "qe2m4-gui.exe");
  const HWND box = gui->WaitForWindow(kMessageBoxClass, true);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageText(box), Wide(app::texts::kNoPatternFolder));
  EXPECT_EQ(Text(box), Wide(app::texts::kApplicationTitle));
  EXPECT_FALSE(gui->HasVisibleWindow(kForm1Class));
  Answer(box, IDOK);
  EXPECT_EQ(gui->WaitForExit(), 1u);
}

}  // namespace
}  // namespace qe2m4::win32

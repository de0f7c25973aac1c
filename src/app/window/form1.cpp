#include "app/window/form1.h"

#include <QMouseEvent>
#include <QScreen>
#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>

#include "app/conversion_run.h"
#include "app/texts.h"
#include "app/window/pattern_search_dialog.h"
#include "app/window/qt_text.h"
#include "common/ansi_text.h"
#include "common/pattern_folder.h"
#include "platform/error.h"
#include "platform/file_system.h"

namespace qe2m4::window {

namespace texts = app::texts;

namespace {

// The window's client area, in twips.
constexpr int kClientWidth = 9090;
constexpr int kClientHeight = 6495;

// Twips are 1/1440 of a logical inch of the screen.
int ToPixels(int twips, int logical_dpi) {
  return static_cast<int>(std::lround(twips * static_cast<double>(logical_dpi) / 1440.0));
}

struct Placement {
  QWidget* control;
  const char* name;
  int left, top, width, height;  // twips, relative to the container
  int tab_index;
};

void UseBackgroundColour(QWidget& control) {
  QPalette palette = control.palette();
  palette.setColor(QPalette::Window, QColor(192, 192, 192));
  control.setPalette(palette);
  control.setAutoFillBackground(true);
}

}  // namespace

Form1::Form1(platform::FileSystem& file_system, QWidget* parent)
    : QWidget(parent),
      file_system_(file_system),
      Picture1(this),
      Frame1(ToQString(texts::kDestinationFrame), &Picture1),
      Dir1(file_system, &Frame1),
      Drive1(file_system, &Frame1),
      Frame2(ToQString(texts::kSourceFrame), &Picture1),
      Dir2(file_system, &Frame2),
      Drive2(file_system, &Frame2),
      Command1(ToQString(texts::kExecute), &Picture1),
      Command2(ToQString(texts::kQuit), &Picture1),
      Text1(&Picture1),
      Label1(ToQString(texts::kDestinationLabel), &Picture1),
      Label2(ToQString(texts::kSourceLabel), &Picture1),
      Text2(&Picture1),
      Frame3(ToQString(texts::kMessageFrame), &Picture1),
      Label3(&Frame3),
      ui_(*this, Label3, Text2, Text1) {
  setObjectName("Form1");
  setWindowTitle(ToQString(texts::kApplicationTitle));

  std::array<Placement, 15> placements{{
      {&Picture1, "Picture1", 0, 0, 9075, 6495, 0},
      {&Label2, "Label2", 330, 300, 1995, 315, 11},
      {&Text2, "Text2", 2400, 240, 6255, 405, 12},
      {&Label1, "Label1", 330, 900, 1965, 315, 10},
      {&Text1, "Text1", 2400, 840, 6255, 405, 9},
      {&Frame2, "Frame2", 1200, 1620, 3135, 2895, 4},
      {&Dir2, "Dir2", 240, 420, 2595, 1530, 5},
      {&Drive2, "Drive2", 210, 2205, 2595, 390, 6},
      {&Frame1, "Frame1", 4980, 1620, 2895, 2895, 1},
      {&Dir1, "Dir1", 240, 420, 2415, 1530, 2},
      {&Drive1, "Drive1", 240, 2220, 2415, 390, 3},
      {&Frame3, "Frame3", 240, 4740, 8475, 675, 13},
      {&Label3, "Label3", 180, 240, 8175, 315, 14},
      {&Command1, "Command1", 2520, 5580, 1935, 555, 7},
      {&Command2, "Command2", 5190, 5580, 2055, 555, 8},
  }};
  const int dpi_x = logicalDpiX();
  const int dpi_y = logicalDpiY();
  for (const Placement& p : placements) {
    p.control->setObjectName(p.name);
    p.control->setGeometry(ToPixels(p.left, dpi_x), ToPixels(p.top, dpi_y),
                           ToPixels(p.width, dpi_x), ToPixels(p.height, dpi_y));
  }
  setFixedSize(ToPixels(kClientWidth, dpi_x), ToPixels(kClientHeight, dpi_y));

  std::sort(placements.begin(), placements.end(),
            [](const Placement& a, const Placement& b) { return a.tab_index < b.tab_index; });
  QWidget* previous = nullptr;
  for (const Placement& p : placements) {
    if (p.control->focusPolicy() == Qt::NoFocus) {
      continue;
    }
    if (previous != nullptr) {
      setTabOrder(previous, p.control);
    }
    previous = p.control;
  }

  for (QWidget* control : std::initializer_list<QWidget*>{&Picture1, &Frame1, &Frame2, &Frame3,
                                                          &Label1, &Label2, &Label3}) {
    UseBackgroundColour(*control);
  }
  for (QLabel* label : {&Label1, &Label2, &Label3}) {
    label->setTextFormat(Qt::PlainText);
  }
  Picture1.setMouseTracking(true);
  Picture1.installEventFilter(this);
  Dir1.setFocus(Qt::OtherFocusReason);

  connect(&Drive1, &DriveList::Change, this, &Form1::Drive1_Change);
  connect(&Drive2, &DriveList::Change, this, &Form1::Drive2_Change);
  connect(&Dir1, &FolderList::Change, this, &Form1::Dir1_Change);
  connect(&Dir2, &FolderList::Change, this, &Form1::Dir2_Change);
  connect(&Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
  connect(&Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
}

bool Form1::Form_Load() {
  if (const QScreen* const screen = this->screen()) {
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  }

  {
    PatternSearchDialog progress;
    try {
      PatternFolder = FindPatternFolder(
          file_system_, [&progress](std::u16string_view folder) { progress.Visit(folder); });
    } catch (const platform::Error&) {
      PatternFolder.clear();
    }
  }
  if (PatternFolder.empty()) {
    ui_.ShowMessage(texts::kNoPatternFolder, std::nullopt, platform::MessageButtons::kOk,
                    platform::MessageIcon::kNone);
    return false;
  }

  StatusShown = 0;

  const std::u16string drive = AnsiLeft(Drive2.Drive(), 2);
  const std::u16string source = drive + u"\\tyujyou";
  if (!drive.empty() && file_system_.Exists(source)) {
    try {
      Dir2.SetPath(source);
    } catch (const platform::Error&) {
      // A file of that name: Dir2 keeps the folder it opened with.
    }
  }
  return true;
}

void Form1::Drive1_Change() {
  const std::u16string drive = AnsiLeft(Drive1.Drive(), 2);
  if (drive.empty()) {
    return;
  }
  bool told = false;
  try {
    Dir1.SetPath(drive + u"\\tyujyou");
  } catch (const platform::Error&) {
    ShowNoTyujyouFolder();
    told = true;
  }
  try {
    file_system_.SetCurrentDrive(drive.front());
  } catch (const platform::Error&) {
    // One message covers both failures of an unready drive.
    if (!told) {
      ShowNoTyujyouFolder();
    }
  }
}

void Form1::Drive2_Change() {
  const std::u16string drive = AnsiLeft(Drive2.Drive(), 2);
  if (drive.empty()) {
    return;
  }
  // Failures on the source side are silent; the list keeps its folder.
  try {
    Dir2.SetPath(drive);
  } catch (const platform::Error&) {
  }
  try {
    file_system_.SetCurrentDrive(drive.front());
  } catch (const platform::Error&) {
  }
}

void Form1::Dir1_Change() {
  Text1.setText(ToQString(Dir1.Path()));
  try {
    file_system_.SetCurrentFolder(Dir1.Path());
  } catch (const platform::Error&) {
    // The folder went away after the list showed it; the next run's checks report it.
  }
}

void Form1::Dir2_Change() {
  Text2.setText(ToQString(Dir2.Path()));
  try {
    file_system_.SetCurrentFolder(Dir2.Path());
  } catch (const platform::Error&) {
    // As in Dir1_Change.
  }
}

void Form1::Picture1_MouseMove(Qt::MouseButtons /*button*/, Qt::KeyboardModifiers /*shift*/,
                               int /*x*/, int /*y*/) {
  if (StatusShown == 1) {
    Label3.setText(QString());
    StatusShown = 0;
  }
}

void Form1::Command1_Click() {
  const app::RunResult result =
      app::Command1_Click(file_system_, ui_, ToU16(Text2.text()), ToU16(Text1.text()));
  if (result.status_shown) {
    StatusShown = 1;
  }
}

void Form1::Command2_Click() {
  close();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &Picture1 && event->type() == QEvent::MouseMove) {
    const auto* const move = static_cast<const QMouseEvent*>(event);
    const QPoint at = move->position().toPoint();
    Picture1_MouseMove(move->buttons(), move->modifiers(), at.x(), at.y());
  }
  return QWidget::eventFilter(watched, event);
}

void Form1::ShowNoTyujyouFolder() {
  ui_.ShowMessage(texts::kNoTyujyouFolder, std::nullopt, platform::MessageButtons::kOk,
                  platform::MessageIcon::kNone);
}

}  // namespace qe2m4::window

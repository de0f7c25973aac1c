#include "app/window/form1_window.h"

#include <QMouseEvent>
#include <QScreen>
#include <array>
#include <utility>

#include "app/control_table.h"
#include "app/texts.h"
#include "app/window/qt_text.h"

namespace qe2m4::window {

namespace {

void ShowCaption(QWidget& control, app::ControlKind kind, std::u16string_view caption) {
  switch (kind) {
    case app::ControlKind::kLabel:
      static_cast<QLabel&>(control).setTextFormat(Qt::PlainText);
      static_cast<QLabel&>(control).setText(ToQString(caption));
      break;
    case app::ControlKind::kFrame:
      static_cast<QGroupBox&>(control).setTitle(ToQString(caption));
      break;
    case app::ControlKind::kButton:
      static_cast<QPushButton&>(control).setText(ToQString(caption));
      break;
    default:
      break;
  }
}

void UseBackgroundColour(QWidget& control) {
  QPalette palette = control.palette();
  palette.setColor(QPalette::Window,
                   QColor(app::kBackgroundColour.red, app::kBackgroundColour.green,
                          app::kBackgroundColour.blue));
  control.setPalette(palette);
  control.setAutoFillBackground(true);
}

}  // namespace

Form1Window::Form1Window(platform::FileSystem& file_system, QWidget* parent,
                         std::chrono::milliseconds search_progress_delay)
    : QWidget(parent),
      Picture1(this),
      Frame1(&Picture1),
      Dir1(&Frame1),
      Drive1(&Frame1),
      Frame2(&Picture1),
      Dir2(&Frame2),
      Drive2(&Frame2),
      Command1(&Picture1),
      Command2(&Picture1),
      Text1(&Picture1),
      Label1(&Picture1),
      Label2(&Picture1),
      Text2(&Picture1),
      Frame3(&Picture1),
      Label3(&Frame3),
      ui_(*this, Label3, Text2, Text1),
      form_(file_system, *this, search_progress_delay) {
  setObjectName("Form1");
  setWindowTitle(ToQString(app::texts::kApplicationTitle));
  LayOut();

  Picture1.setMouseTracking(true);
  Picture1.installEventFilter(this);
  Dir1.setFocus(Qt::OtherFocusReason);

  Connect(Side::kDestination, Drive1, Dir1);
  Connect(Side::kSource, Drive2, Dir2);
  connect(&Command1, &QPushButton::clicked, this, [this] { form_.Command1_Click(); });
  connect(&Command2, &QPushButton::clicked, this, [this] { form_.Command2_Click(); });
  form_.ShowLists();
}

std::u16string Form1Window::PathText(Side side) const {
  return ToU16((side == Side::kSource ? Text2 : Text1).text());
}

void Form1Window::SetPathText(Side side, std::u16string_view text) {
  PathBox(side).setText(ToQString(text));
}

void Form1Window::ShowDrives(Side side, const app::DriveList& list) {
  (side == Side::kSource ? Drive2 : Drive1).Show(list);
}

void Form1Window::ShowFolders(Side side, const app::FolderList& list) {
  (side == Side::kSource ? Dir2 : Dir1).Show(list);
}

void Form1Window::CentreWindow() {
  if (const QScreen* const screen = this->screen()) {
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  }
}

void Form1Window::ShowSearch(std::u16string_view folder) {
  if (!search_) {
    search_ = std::make_unique<PatternSearchDialog>();
  }
  search_->Show(folder);
}

void Form1Window::EndSearch() {
  search_.reset();
}

void Form1Window::EndProgram() {
  close();
}

bool Form1Window::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &Picture1 && event->type() == QEvent::MouseMove) {
    form_.Picture1_MouseMove();
  }
  return QWidget::eventFilter(watched, event);
}

void Form1Window::LayOut() {
  const std::array<std::pair<std::string_view, QWidget*>, app::kControls.size()> widgets{{
      {"Picture1", &Picture1},
      {"Label2", &Label2},
      {"Text2", &Text2},
      {"Label1", &Label1},
      {"Text1", &Text1},
      {"Frame2", &Frame2},
      {"Dir2", &Dir2},
      {"Drive2", &Drive2},
      {"Frame1", &Frame1},
      {"Dir1", &Dir1},
      {"Drive1", &Drive1},
      {"Frame3", &Frame3},
      {"Label3", &Label3},
      {"Command1", &Command1},
      {"Command2", &Command2},
  }};
  const auto widget = [&widgets](std::string_view name) -> QWidget& {
    for (const auto& [control_name, control] : widgets) {
      if (control_name == name) {
        return *control;
      }
    }
    return *widgets.front().second;
  };

  const int dpi_x = logicalDpiX();
  const int dpi_y = logicalDpiY();
  for (const app::Control& control : app::kControls) {
    QWidget& shown = widget(control.name);
    shown.setObjectName(QString::fromUtf8(control.name.data(), control.name.size()));
    shown.setGeometry(
        app::TwipsToPixels(control.left, dpi_x), app::TwipsToPixels(control.top, dpi_y),
        app::TwipsToPixels(control.width, dpi_x), app::TwipsToPixels(control.height, dpi_y));
    ShowCaption(shown, control.kind, control.caption);
    if (control.light_grey) {
      UseBackgroundColour(shown);
    }
  }
  setFixedSize(app::TwipsToPixels(app::kClientWidth, dpi_x),
               app::TwipsToPixels(app::kClientHeight, dpi_y));

  QWidget* previous = nullptr;
  for (const app::Control* control : app::InTabOrder()) {
    QWidget& next = widget(control->name);
    if (next.focusPolicy() == Qt::NoFocus) {
      continue;
    }
    if (previous != nullptr) {
      setTabOrder(previous, &next);
    }
    previous = &next;
  }
}

void Form1Window::Connect(Side side, DriveListBox& drive, FolderListTree& dir) {
  connect(&drive, &DriveListBox::Opening, this, [this, side, &drive] {
    form_.Drive(side).Refresh();
    drive.Show(form_.Drive(side));
  });
  connect(&drive, &DriveListBox::Chosen, this,
          [this, side](int index) { form_.Drive(side).Choose(static_cast<std::size_t>(index)); });
  connect(&dir, &FolderListTree::Opened, this,
          [this, side](int index) { form_.Dir(side).Open(static_cast<std::size_t>(index)); });
}

}  // namespace qe2m4::window

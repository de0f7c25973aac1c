#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "app/texts.h"

// The controls of the window Form1 as data, so that every view creates the same window: names,
// kinds, containers, captions, places in twips (1/1440 inch, relative to the container), tab
// indices and colours.
namespace qe2m4::app {

enum class ControlKind { kPictureBox, kLabel, kTextBox, kFrame, kFolderList, kDriveList, kButton };

struct Rgb {
  std::uint8_t red, green, blue;
};

struct Control {
  std::string_view name;
  ControlKind kind;
  std::string_view container;  // "Form1" for the window itself
  std::u16string_view caption;
  int left, top, width, height;  // twips, relative to the container
  int tab_index;
  bool light_grey;  // painted in kBackgroundColour, as the background it sits on
};

// The window's client area, in twips.
inline constexpr int kClientWidth = 9090;
inline constexpr int kClientHeight = 6495;
inline constexpr Rgb kBackgroundColour{192, 192, 192};

// Every control of the window; each container comes before what it contains.
inline constexpr std::array<Control, 15> kControls{{
    {"Picture1", ControlKind::kPictureBox, "Form1", u"", 0, 0, 9075, 6495, 0, true},
    {"Label2", ControlKind::kLabel, "Picture1", texts::kSourceLabel, 330, 300, 1995, 315, 11, true},
    {"Text2", ControlKind::kTextBox, "Picture1", u"", 2400, 240, 6255, 405, 12, false},
    {"Label1", ControlKind::kLabel, "Picture1", texts::kDestinationLabel, 330, 900, 1965, 315, 10,
     true},
    {"Text1", ControlKind::kTextBox, "Picture1", u"", 2400, 840, 6255, 405, 9, false},
    {"Frame2", ControlKind::kFrame, "Picture1", texts::kSourceFrame, 1200, 1620, 3135, 2895, 4,
     true},
    {"Dir2", ControlKind::kFolderList, "Frame2", u"", 240, 420, 2595, 1530, 5, false},
    {"Drive2", ControlKind::kDriveList, "Frame2", u"", 210, 2205, 2595, 390, 6, false},
    {"Frame1", ControlKind::kFrame, "Picture1", texts::kDestinationFrame, 4980, 1620, 2895, 2895, 1,
     true},
    {"Dir1", ControlKind::kFolderList, "Frame1", u"", 240, 420, 2415, 1530, 2, false},
    {"Drive1", ControlKind::kDriveList, "Frame1", u"", 240, 2220, 2415, 390, 3, false},
    {"Frame3", ControlKind::kFrame, "Picture1", texts::kMessageFrame, 240, 4740, 8475, 675, 13,
     true},
    {"Label3", ControlKind::kLabel, "Frame3", u"", 180, 240, 8175, 315, 14, true},
    {"Command1", ControlKind::kButton, "Picture1", texts::kExecute, 2520, 5580, 1935, 555, 7,
     false},
    {"Command2", ControlKind::kButton, "Picture1", texts::kQuit, 5190, 5580, 2055, 555, 8, false},
}};

// The control of that name; nullptr when there is none.
constexpr const Control* FindControl(std::string_view name) {
  for (const Control& control : kControls) {
    if (control.name == name) {
      return &control;
    }
  }
  return nullptr;
}

// A control's place relative to the window's client area: its own place plus its containers'.
struct Place {
  int left, top, width, height;
};
constexpr Place PlaceInWindow(const Control& control) {
  Place place{control.left, control.top, control.width, control.height};
  for (const Control* container = FindControl(control.container); container != nullptr;
       container = FindControl(container->container)) {
    place.left += container->left;
    place.top += container->top;
  }
  return place;
}

// The controls in tab-index order, which is also the order a view creates them in (each
// frame's tab index comes before those of its contents).
std::array<const Control*, kControls.size()> InTabOrder();

// Twips to pixels at dots_per_inch, rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dots_per_inch) {
  return (twips * dots_per_inch + 720) / 1440;
}

}  // namespace qe2m4::app

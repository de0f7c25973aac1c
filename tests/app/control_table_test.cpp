#include "app/control_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace qe2m4::app {
namespace {

TEST(ControlTable, TabIndicesRunFromZeroWithoutGapsAndFramesComeBeforeTheirContents) {
  std::set<int> indices;
  for (const Control& control : kControls) {
    indices.insert(control.tab_index);
  }
  ASSERT_EQ(indices.size(), kControls.size());
  EXPECT_EQ(*indices.begin(), 0);
  EXPECT_EQ(*indices.rbegin(), static_cast<int>(kControls.size()) - 1);

  // Creating in tab order creates every container before its contents.
  std::set<std::string_view> created{"Form1"};
  std::string order;
  for (const Control* control : InTabOrder()) {
    EXPECT_TRUE(created.count(control->container)) << control->name;
    created.insert(control->name);
    order += std::string(control->name) + " ";
  }
  EXPECT_EQ(order,
            "Picture1 Frame1 Dir1 Drive1 Frame2 Dir2 Drive2 Command1 Command2 Text1 Label1 "
            "Label2 Text2 Frame3 Label3 ");
}

TEST(ControlTable, EveryControlLiesInsideItsContainer) {
  for (const Control& control : kControls) {
    SCOPED_TRACE(std::string(control.name));
    const Control* const container = FindControl(control.container);
    const int width = container ? container->width : kClientWidth;
    const int height = container ? container->height : kClientHeight;
    EXPECT_GE(control.left, 0);
    EXPECT_GE(control.top, 0);
    EXPECT_LE(control.left + control.width, width);
    EXPECT_LE(control.top + control.height, height);
  }
}

TEST(ControlTable, PlacesInTheWindowAddTheContainers) {
  struct Case {
    std::string_view name;
    Place place;
  };
  for (const Case& c :
       {Case{"Picture1", {0, 0, 9075, 6495}}, Case{"Text2", {2400, 240, 6255, 405}},
        Case{"Dir1", {5220, 2040, 2415, 1530}}, Case{"Drive2", {1410, 3825, 2595, 390}},
        Case{"Label3", {420, 4980, 8175, 315}}}) {
    SCOPED_TRACE(std::string(c.name));
    const Control* const control = FindControl(c.name);
    ASSERT_NE(control, nullptr);
    const Place place = PlaceInWindow(*control);
    EXPECT_EQ(place.left, c.place.left);
    EXPECT_EQ(place.top, c.place.top);
    EXPECT_EQ(place.width, c.place.width);
    EXPECT_EQ(place.height, c.place.height);
  }
  EXPECT_EQ(FindControl("Form2"), nullptr);
}

TEST(ControlTable, TwipsBecomePixelsRoundedToTheNearest) {
  struct Case {
    int twips, dpi, pixels;
  };
  for (const Case& c :
       {Case{1440, 96, 96}, Case{9090, 96, 606}, Case{9090, 144, 909}, Case{15, 96, 1},
        Case{7, 96, 0}, Case{8, 96, 1}, Case{6495, 192, 866}, Case{0, 120, 0}}) {
    EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
  }
}

}  // namespace
}  // namespace qe2m4::app

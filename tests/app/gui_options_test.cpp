#include "app/gui_options.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qe2m4::app {
namespace {

namespace fs = std::filesystem;

TEST(GuiOptions, DrivesSystemFolderAndScreenshot) {
  std::string error;
  const auto options = ParseGuiOptions(
      {"--drive", "d=/data/borings", "--drive", "E=rel/./dir/", "--drive", "Z=", "--drive", "R=/",
       "--system-dir", "/etc/qe2m4/", "--screenshot", "shot.png"},
      error);
  ASSERT_TRUE(options) << error;
  const std::vector<std::string> expected{
      "d=/data/borings", "E=" + (fs::current_path() / "rel" / "dir").string(), "Z=", "R=/"};
  EXPECT_EQ(options->drive_assignments, expected);
  EXPECT_EQ(options->system_dir, fs::path("/etc/qe2m4"));
  EXPECT_EQ(options->screenshot, fs::path("shot.png"));
  EXPECT_FALSE(options->help);
}

TEST(GuiOptions, WrongOptionsAreNamed) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--drive", "1=/x"}, "--drive needs L=DIR (a letter A to Z): 1=/x"},
      {{"--drive", "DD=/x"}, "--drive needs L=DIR (a letter A to Z): DD=/x"},
      {{"--drive"}, "--drive needs a value"},
      {{"--frobnicate"}, "unknown option: --frobnicate"},
      {{"source"}, "unknown option: source"},
  };
  for (const auto& [arguments, expected] : cases) {
    std::string error;
    EXPECT_FALSE(ParseGuiOptions(arguments, error));
    EXPECT_EQ(error, expected);
  }
}

}  // namespace
}  // namespace qe2m4::app

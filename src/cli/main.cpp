#include <iostream>
#include <string_view>

namespace {

constexpr std::string_view kUsage =
    "usage: qe2m4 convert [--drive L=DIR]... [--system-dir DIR] [--yes] [--quiet] SOURCE DEST\n"
    "       qe2m4 --help | --version\n";

}  // namespace

int main(int argc, char** argv) {
  const std::string_view first = argc > 1 ? argv[1] : "";
  if (first == "--version") {
    std::cout << "qe2m4 " << QE2M4_VERSION << "\n";
    return 0;
  }
  if (first == "--help") {
    std::cout << kUsage;
    return 0;
  }
  std::cerr << kUsage;
  return 2;
}

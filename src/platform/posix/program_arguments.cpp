#include "platform/program_arguments.h"

namespace qe2m4::platform {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  if (argc < 1 || argv == nullptr) {
    return {};
  }
  return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace qe2m4::platform

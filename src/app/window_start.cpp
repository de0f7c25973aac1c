#include "app/window_start.h"

#include <filesystem>
#include <system_error>

#include "platform/drive_table.h"
#include "platform/file_system.h"
#include "platform/program_location.h"
#include "platform/start_up.h"

namespace qe2m4::app {

namespace fs = std::filesystem;

void EnterWindowFolders(platform::FileSystem& file_system, const GuiOptions& options) {
  if (const auto program = platform::ProgramLocation()) {
    if (const auto path = file_system.ToDrivePath(*program)) {
      file_system.SetProgramFolder(*path);
    }
  }
  const fs::path system = options.system_dir.value_or(platform::DefaultSystemFolder());
  std::error_code ec;
  if (fs::is_directory(system, ec)) {
    if (const auto path = file_system.ToDrivePath(system)) {
      file_system.SetSystemFolder(*path);
    }
  }
  platform::EnterWorkingFolder(file_system);
}

}  // namespace qe2m4::app

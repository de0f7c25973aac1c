#pragma once

#include "app/gui_options.h"

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4::app {

// The folders of one start of the window program, whatever toolkit shows it: the program's own
// folder (where start-up looks for PATDAT first), the system folder (the one given, else the
// host's default: the Windows system folder, elsewhere the user's configuration folder; when it
// exists) and the current drive and folder (the drive
// holding the folder the program was started in, else the first usable one).
void EnterWindowFolders(platform::FileSystem& file_system, const GuiOptions& options);

}  // namespace qe2m4::app

#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/names.h"

namespace qe2m4::platform {

// Host paths and the program's text. The program holds names as UTF-16; the host's paths are
// bytes on POSIX systems (read level by level as byte_names.h describes: UTF-8, CP932, or with
// escapes for bytes that are neither) and UTF-16 on Windows. Converting through these keeps every
// name exact on both systems, whatever the host's narrow code page.

// The host path of a text (one name or a whole path).
std::filesystem::path HostPath(std::u16string_view text);
// The text of a host path. On POSIX systems a CP932 level gives its characters, which HostPath
// writes as UTF-8: such a level is reached by resolving a drive path, which compares texts.
std::u16string PathText(const std::filesystem::path& host);
// The host names that a stored name reading as this text may have, the preferred first: the
// text's host form (HostPath), and on POSIX systems also its CP932 form when those bytes read
// back as the text. A path's level is looked for under these names before the folder is read.
std::vector<std::filesystem::path> HostNameForms(std::u16string_view name);
// The host path of UTF-8 text typed by the user (the command line, drives.conf).
std::filesystem::path HostPathFromUtf8(std::string_view text);
// A host path as UTF-8, for messages.
std::string PathUtf8(const std::filesystem::path& host);

// Why the host cannot hold a file or folder of this name exactly as written; nullopt when it can.
// A control character is refused on every system. Windows drops a trailing blank or dot, reads
// "name:x" as a stream of the file "name" and opens a device for CON, NUL, COM1 and the like:
// each would lead to another file than the one named, so such a name is refused there.
// Elsewhere every other name without a separator is a name.
std::optional<NameProblem> HostNameProblem(std::u16string_view name);

// The entry of a host folder called name, under the name the folder stores it with (a file
// system that ignores letter case finds "x4.txt" for "X4.TXT"); nullopt when there is none.
std::optional<std::filesystem::path> StoredEntry(const std::filesystem::path& folder,
                                                 const std::filesystem::path& name);

// Whether the host's folders find an entry by a name in another letter case (StoredEntry of
// "X4.TXT" finding "x4.txt"), so that a folder's listing without the exact name does not show
// that the name is absent.
bool HostNamesIgnoreCase();

// Whether a host entry leads elsewhere (a symbolic link; on Windows also a junction or another
// reparse point), so that walks over a tree do not follow it.
bool HostIsLink(const std::filesystem::path& entry);

// Whether a host folder exists and its drive is ready. A drive without its medium (a card
// reader without a card, a disconnected network drive) is not ready; the test never shows a
// system dialog.
bool HostFolderReady(const std::filesystem::path& folder);

// The name the user knows a volume by, when this folder is a volume's root: on Windows the
// volume's label ("" when it has none or its drive is not ready). nullopt when the folder is not
// a volume's root, or the host has no volume names (a drive is then shown by its folder).
std::optional<std::u16string> HostVolumeName(const std::filesystem::path& folder);

}  // namespace qe2m4::platform

#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drive_path.h"
#include "platform/drive_table.h"
#include "platform/file_operation_hook.h"
#include "platform/file_system_hook.h"
#include "platform/host_file.h"
#include "platform/host_folder.h"
#include "platform/input_file.h"
#include "platform/settings_file.h"

namespace qe2m4::platform {

// A folder entry as a folder listing reports it.
struct FolderEntry {
  std::u16string name;
  bool is_link = false;             // a symbolic link; walks over the tree do not follow it
  std::filesystem::path host_name;  // the name as the host stores it
  // Why the name cannot be one level of a path (it holds "\", is "..", holds a control
  // character, or a path of its text reaches another entry): such an entry is never joined
  // into a path. Only ListFolderEntries reports these entries.
  std::optional<NameProblem> problem;
};

// The file system as the program sees it: drive-letter paths ("D:\A\b.txt"), a current drive,
// a current folder per drive, the program's folder and the system folder, and the file
// services the program uses. Paths are resolved level by level against the host folder's
// entries without regard to letter case, so "X4.TXT" finds "x4.txt" and writing "N4.txt" where
// "n4.TXT" exists replaces that file. "\" and "/" both separate levels; empty levels (a doubled
// "\") and "." are skipped, ".." goes up one level but never above the drive's root.
//
// Every failing service throws Error.
class FileSystem {
 public:
  explicit FileSystem(DriveTable drives);
  // A copy stands where the original stands (drives, current drive and folders, program and
  // system folders) and shares nothing with it; it has no test hook. Each run of a batch works
  // on a copy of its own, since a run moves the current drive and folder.
  FileSystem(const FileSystem& other);
  FileSystem& operator=(const FileSystem&) = delete;
  FileSystem(FileSystem&&) = default;
  FileSystem& operator=(FileSystem&&) = default;
  ~FileSystem() = default;

  // --- Drives ---
  const DriveTable& drives() const { return drives_; }
  void MapDrive(char16_t letter, const std::filesystem::path& folder);
  // A drive is usable when it is mapped and its host folder exists.
  bool DriveUsable(char16_t letter) const;
  // The usable drives, A to Z.
  std::vector<char16_t> UsableDrives() const;

  // The current drive (upper case), or 0 when none has been made current.
  char16_t CurrentDrive() const { return current_drive_; }
  // Makes a usable drive current; throws Error(kNoDrive) and changes nothing otherwise.
  void SetCurrentDrive(char16_t letter);
  // The drive's current folder as a path: "D:\" or "D:\A\B" (no trailing "\" below the root).
  std::u16string CurrentFolder(char16_t letter) const;
  // Makes an existing folder its drive's current folder; the current drive stays as it was.
  void SetCurrentFolder(std::u16string_view path);

  // The program's own folder and the system folder, as drive paths (may be empty).
  const std::u16string& ProgramFolder() const { return program_folder_; }
  void SetProgramFolder(std::u16string path) { program_folder_ = std::move(path); }
  const std::u16string& SystemFolder() const { return system_folder_; }
  void SetSystemFolder(std::u16string path) { system_folder_ = std::move(path); }

  // The drive path of a host path: the mapped drive whose folder holds it most closely.
  std::optional<std::u16string> ToDrivePath(const std::filesystem::path& host) const;

  // The full drive path of a path text, from the current drive and its current folder when the
  // text leaves them out ("D:x", "\x", "x"). Throws Error(kNoDrive) when the text names no drive
  // letter, or none is current. Every service below takes either the text or this path; the
  // path is parsed once and used as it is.
  DrivePath PathOf(std::u16string_view path) const;
  // The full drive path of a path as text: "D:\A\B" (or "D:\" for a root), levels as written.
  std::u16string FullPath(std::u16string_view path) const { return PathOf(path).Text(); }

  // The host path of a drive path. Levels that exist are found without regard to letter case
  // (the stored name that reads as the level's text in its own encoding first, then one that
  // reads as it in another encoding, then one in another letter case); the first level that
  // does not exist and everything after it are taken as written.
  std::filesystem::path Resolve(std::u16string_view path) const { return Resolve(PathOf(path)); }
  std::filesystem::path Resolve(const DrivePath& path) const;

  // The host name a level takes when it does not exist yet, instead of the host form of its
  // text: a folder that mirrors one of another tree keeps that folder's stored name (a CP932
  // name from a Windows zip stays those bytes). path is the level's full drive path.
  void SetStoredName(std::u16string_view path, std::filesystem::path host_name) {
    SetStoredName(PathOf(path), std::move(host_name));
  }
  void SetStoredName(const DrivePath& path, std::filesystem::path host_name);

  // Whether the run knows, without asking the system, that nothing is at a host path: the
  // path's folder, or a folder above it, was read without it (RunScope).
  bool KnownAbsent(const std::filesystem::path& host) const;

  // --- File services ---
  bool Exists(std::u16string_view path) const { return Exists(PathOf(path)); }
  bool Exists(const DrivePath& path) const;  // a file or a folder
  // Whether nothing at all is at the path: only then is a file "missing". Something that is
  // there but cannot be reached (a link that loops, a level that cannot be searched) is not
  // missing; reading it reports why.
  bool Missing(std::u16string_view path) const;
  bool Missing(const DrivePath& path) const;
  bool FileExists(std::u16string_view path) const;
  bool FileExists(const DrivePath& path) const;
  bool FolderExists(std::u16string_view path) const;
  bool FolderExists(const DrivePath& path) const;
  // Size of a file in bytes; throws Error(kRead) when it is not a readable file.
  std::uintmax_t FileSize(std::u16string_view path) const { return FileSize(PathOf(path)); }
  std::uintmax_t FileSize(const DrivePath& path) const;
  // Opens an ordinary file for reading; throws Error(kRead) naming the file and the reason
  // (kNotFound when nothing is there) otherwise, without waiting on a FIFO. With kRefuse a
  // symbolic link at the file's own name is refused (kNotAFile) by the open itself.
  UniqueFile OpenForReading(std::u16string_view path,
                            LastLevelLink link = LastLevelLink::kFollow) const {
    return OpenForReading(PathOf(path), link);
  }
  UniqueFile OpenForReading(const DrivePath& path,
                            LastLevelLink link = LastLevelLink::kFollow) const;
  // An ordinary file opened to be read block by block; throws as OpenForReading, and its
  // reads throw Error(kRead) when they fail.
  InputFile OpenInput(std::u16string_view path, LastLevelLink link = LastLevelLink::kFollow) const {
    return OpenInput(PathOf(path), link);
  }
  InputFile OpenInput(const DrivePath& path, LastLevelLink link = LastLevelLink::kFollow) const;
  // The whole content of an ordinary file; throws as OpenForReading, or on a failed read.
  std::string ReadAll(std::u16string_view path, LastLevelLink link = LastLevelLink::kFollow) const {
    return ReadAll(PathOf(path), link);
  }
  std::string ReadAll(const DrivePath& path, LastLevelLink link = LastLevelLink::kFollow) const;
  // A settings file's text, read only when it is an ordinary file of at most max_bytes.
  SettingsText ReadSettingsFile(std::u16string_view path, std::uintmax_t max_bytes) const;
  // Copies a file over another, replacing it; the target is complete or unchanged. from_link
  // tells whether from may be a link (as OpenForReading); a link at to is replaced by the copy,
  // never written through.
  void CopyFile(std::u16string_view from, std::u16string_view to,
                LastLevelLink from_link = LastLevelLink::kFollow) const {
    CopyFile(PathOf(from), PathOf(to), from_link);
  }
  void CopyFile(const DrivePath& from, const DrivePath& to,
                LastLevelLink from_link = LastLevelLink::kFollow) const;
  void DeleteFile(std::u16string_view path) const { DeleteFile(PathOf(path)); }
  void DeleteFile(const DrivePath& path) const;
  void CreateFolder(std::u16string_view path) const { CreateFolder(PathOf(path)); }
  void CreateFolder(const DrivePath& path) const;
  // Removes the temporary files a writer left in a folder (RemoveStaleTemporaryFiles); a
  // folder the run made itself holds none and is not read.
  void RemoveStaleTemporaryFiles(const DrivePath& folder) const;
  // Ordinary files whose names match the pattern's last level ("*" and "?", any letter case),
  // hidden files and names that cannot be one level of a path excluded, sorted by name. A
  // folder that does not exist lists nothing.
  // Entries that are neither folders nor ordinary files (FIFOs, devices) are listed too, so
  // that copying them fails with the reason instead of skipping them in silence.
  std::vector<std::u16string> ListFiles(std::u16string_view pattern) const;
  // The same for the names in folder that match name_pattern.
  std::vector<std::u16string> ListFiles(const DrivePath& folder,
                                        std::u16string_view name_pattern) const;
  // The subfolders of a folder (hidden ones and names that cannot be one level of a path
  // excluded), sorted by name; links are reported as such. Throws Error(kRead) when the folder
  // cannot be read.
  std::vector<FolderEntry> ListFolders(std::u16string_view folder) const {
    return ListFolders(PathOf(folder));
  }
  std::vector<FolderEntry> ListFolders(const DrivePath& folder) const;
  // The same with the subfolders whose names cannot be one level of a path, each with its
  // problem, in their places in the order: a walk over a tree reports them.
  std::vector<FolderEntry> ListFolderEntries(std::u16string_view folder) const {
    return ListFolderEntries(PathOf(folder));
  }
  std::vector<FolderEntry> ListFolderEntries(const DrivePath& folder) const;

  // Whether two paths lead to one folder by its identity on the system, whatever links,
  // mounts, drive letters or letter case lead there; paths to what does not exist yet are
  // compared by their full drive paths and host paths.
  bool SameFolder(std::u16string_view a, std::u16string_view b) const {
    return SameFolder(PathOf(a), PathOf(b));
  }
  bool SameFolder(const DrivePath& a, const DrivePath& b) const;
  // Throws Error(kCreateFolder, kNameTooLong) when the host path of a folder, with room for the
  // names of the files written in it, or any of its levels is longer than the system allows.
  void CheckPathLimits(std::u16string_view folder) const { CheckPathLimits(PathOf(folder)); }
  void CheckPathLimits(const DrivePath& folder) const;

  // --- Test hook ---
  // Installs the hook asked before every file operation (tests inject faults with it); the
  // file system owns it. Programs install none.
  void SetOperationHook(std::unique_ptr<FileOperationHook> hook);
  // The hook to give the files opened on this file system (AtomicFile, InputFile): it asks the
  // installed test hook, if any, before every operation, and lets the file system learn what
  // its writers change and owe (RunScope).
  FileOperationHook* operation_hook() const;

 private:
  friend class RunScope;
  friend class OutputsTogether;

  // The error number the hook gives an operation; 0 lets it run.
  int Gate(FileOperation operation, const std::filesystem::path& host) const;
  // Tells what a run learned that the file system put something at host or took it away.
  void Changed(FileOperation operation, const std::filesystem::path& host) const;
  // A folder whose entries the file system changed: a run flushes it before it ends; outside a
  // run nothing more is done.
  void FlushLater(const std::filesystem::path& folder) const { hook_->TakeFolderFlush(folder); }

  std::filesystem::path DriveRoot(const DrivePath& path) const;
  // Whether a drive's host folder is there, looked at once a run.
  bool DriveFolderReady(const std::filesystem::path& folder) const;
  // The host entry of a folder that a level names, or nullopt: the level's stored name (when
  // SetStoredName gave one) and its text's host forms first, then the entries whose names read
  // as the level (Resolve).
  std::optional<std::filesystem::path> FindLevel(
      const std::filesystem::path& folder, const std::optional<std::filesystem::path>& stored_name,
      std::u16string_view level) const;
  // FindLevel's search on the host, when the run has not looked for the level before.
  std::optional<std::filesystem::path> FindLevelOnHost(
      const std::filesystem::path& folder, const std::optional<std::filesystem::path>& stored_name,
      std::u16string_view level) const;
  // The host entry of folder stored under exactly this name, or nullopt (what the run
  // learned of the folder's entries first).
  std::optional<std::filesystem::path> EntryNamed(const std::filesystem::path& folder,
                                                  const std::filesystem::path& name) const;
  // The folder's entries, from what the run learned when it listed the folder before; ec
  // reports a folder that cannot be read.
  HostListing FolderEntries(const std::filesystem::path& folder,
                            std::filesystem::directory_options options, std::error_code& ec) const;
  // The status of a host path (links followed), from what the run knows where it knows it.
  std::filesystem::file_status HostStatus(const std::filesystem::path& host) const;
  // Whether the host entry a path names has a status the test accepts; a path that cannot be
  // resolved (an unusable drive) names nothing.
  bool HostStatusIs(const DrivePath& path, bool (*test)(std::filesystem::file_status)) const;

  DriveTable drives_;
  char16_t current_drive_ = 0;
  std::map<char16_t, std::vector<std::u16string>> current_folders_;
  std::u16string program_folder_;
  std::u16string system_folder_;
  // SetStoredName's names, by the level's full drive path in upper case.
  std::map<std::u16string, std::filesystem::path> stored_names_;
  std::unique_ptr<FileSystemHook> hook_;
};

// One run over a file system, from its checks to its last output. While it is open the file
// system keeps what it learns of the host's folders (a drive's folder, the entry a path's level
// names, a folder's entries), so that the run finds its files without asking the system again;
// the run's own creates, renames and deletes keep that up to date, and anything else on the disk
// is taken as it was when it was first seen, until the run ends. Things on the disk change
// between runs, so every run starts knowing nothing.
//
// The folders whose entries the run changed (outputs renamed into them, folders made, files
// deleted) are flushed once, by Finish(), instead of after every rename: the run reports
// success only after Finish(). Each output is still on the disk before it replaces the file of
// its name. A run that ends without Finish() (a failure, an interrupt) still flushes what it
// owes, as far as it can.
class RunScope {
 public:
  explicit RunScope(const FileSystem& file_system);
  ~RunScope();
  RunScope(const RunScope&) = delete;
  RunScope& operator=(const RunScope&) = delete;

  // Flushes the folders the run changed; throws Error(kWrite) naming the first folder that
  // could not be flushed.
  void Finish();

 private:
  const FileSystem& file_system_;
};

}  // namespace qe2m4::platform

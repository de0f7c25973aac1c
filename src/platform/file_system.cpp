#include "platform/file_system.h"

#include <cerrno>
#include <cstdint>
#include <random>

#include "platform/error.h"
#include "platform/host_output.h"
#include "platform/host_paths.h"

namespace qe2m4::platform {
namespace fs = std::filesystem;

namespace {

// The seed of a file system's temporary names: drawn from the system once, for all the files
// it writes (one draw per file would cost more than writing a small file).
std::uint64_t NewSeed() {
  std::random_device random;
  return (static_cast<std::uint64_t>(random()) << 32) ^ random();
}

}  // namespace

FileSystem::FileSystem(DriveTable drives)
    : drives_(std::move(drives)), hook_(std::make_unique<FileSystemHook>(NewSeed())) {}

FileSystem::FileSystem(const FileSystem& other)
    : drives_(other.drives_),
      current_drive_(other.current_drive_),
      current_folders_(other.current_folders_),
      program_folder_(other.program_folder_),
      system_folder_(other.system_folder_),
      stored_names_(other.stored_names_),
      hook_(std::make_unique<FileSystemHook>(other.hook_->NextSeed())) {}

void FileSystem::MapDrive(char16_t letter, const fs::path& folder) {
  drives_.Map(letter, folder);
  hook_->cache().ForgetResolved();
  if (const auto upper = DriveLetter(letter)) {
    current_folders_.erase(*upper);
  }
}

bool FileSystem::DriveUsable(char16_t letter) const {
  const auto folder = drives_.Folder(letter);
  if (!folder) {
    return false;
  }
  return DriveFolderReady(*folder);
}

bool FileSystem::DriveFolderReady(const fs::path& folder) const {
  const std::optional<bool> known = hook_->cache().RootReady(folder);
  const bool ready = known ? *known : HostFolderReady(folder);
  if (!known) {
    hook_->cache().SetRootReady(folder, ready);
  }
  return ready;
}

std::vector<char16_t> FileSystem::UsableDrives() const {
  std::vector<char16_t> usable;
  for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
    if (DriveUsable(letter)) {
      usable.push_back(letter);
    }
  }
  return usable;
}

void FileSystem::SetCurrentDrive(char16_t letter) {
  const auto upper = DriveLetter(letter);
  if (!upper || !DriveUsable(*upper)) {
    throw Error(ErrorKind::kNoDrive, std::u16string(1, letter) + u":", "drive is not usable");
  }
  current_drive_ = *upper;
}

std::u16string FileSystem::CurrentFolder(char16_t letter) const {
  const auto upper = DriveLetter(letter);
  if (!upper) {
    return {};
  }
  std::u16string path{*upper, u':', u'\\'};
  const auto it = current_folders_.find(*upper);
  if (it != current_folders_.end()) {
    for (std::size_t i = 0; i < it->second.size(); ++i) {
      if (i > 0) {
        path += u'\\';
      }
      path += it->second[i];
    }
  }
  return path;
}

void FileSystem::SetCurrentFolder(std::u16string_view path) {
  const DrivePath full = PathOf(path);
  if (!FolderExists(full)) {
    throw SystemError(ErrorKind::kRead, full.Text(), ENOENT);
  }
  current_folders_[full.drive()] = full.levels();
}

int FileSystem::Gate(FileOperation operation, const fs::path& host) const {
  return hook_->Before(operation, host);
}

void FileSystem::Changed(FileOperation operation, const fs::path& host) const {
  hook_->Changed(operation, host);
}

void FileSystem::SetOperationHook(std::unique_ptr<FileOperationHook> hook) {
  hook_->SetTestHook(std::move(hook));
}

FileOperationHook* FileSystem::operation_hook() const {
  return hook_.get();
}

RunScope::RunScope(const FileSystem& file_system) : file_system_(file_system) {
  file_system_.hook_->BeginRun();
}

RunScope::~RunScope() {
  // What was published stays; it is made as durable as it can be.
  file_system_.hook_->FlushOwedFolders();
  file_system_.hook_->EndRun();
}

void RunScope::Finish() {
  const auto failed = file_system_.hook_->FlushOwedFolders();
  if (!failed.empty()) {
    const fs::path& folder = failed.front().first;
    throw HostFailure(ErrorKind::kWrite,
                      file_system_.ToDrivePath(folder).value_or(PathText(folder)),
                      failed.front().second);
  }
}

}  // namespace qe2m4::platform

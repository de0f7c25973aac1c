#include <cerrno>
#include <optional>
#include <random>
#include <stdexcept>
#include <utility>

#include "platform/error.h"
#include "platform/host_entry.h"
#include "platform/host_file.h"
#include "platform/host_output.h"
#include "platform/temporary_names.h"

// AtomicFile: the steps of writing a file that replaces another, over the system's few calls
// (host_output.h).
namespace qe2m4::platform {

struct AtomicFile::Host {
  HostOutput file;
};

AtomicFile::AtomicFile(std::filesystem::path target, std::u16string display_path,
                       FileOperationHook* hook)
    : target_(std::move(target)),
      display_path_(std::move(display_path)),
      hook_(hook),
      host_(std::make_unique<Host>()) {
  // The run knows what it made itself and what a folder it listed lacks; anything else the
  // system tells.
  const std::optional<HostEntryKind> known =
      hook_ != nullptr ? hook_->KnownKind(target_) : std::nullopt;
  if (known ? *known == HostEntryKind::kFolder : HostIsFolder(target_)) {
    throw SystemError(ErrorKind::kWrite, display_path_, EISDIR);
  }
  if (const int error = Gate(FileOperation::kOpen)) {
    throw SystemError(ErrorKind::kWrite, display_path_, error);
  }
  // The file system lends numbers from one source seeded once; a writer without one draws
  // its own seed. Either way a name that is taken is never reused: another number is tried.
  std::optional<std::mt19937> own;
  const auto next = [this, &own]() -> unsigned {
    if (hook_ != nullptr) {
      if (const auto number = hook_->TemporaryNumber()) {
        return *number;
      }
    }
    if (!own) {
      own.emplace(std::random_device()());
    }
    return static_cast<unsigned>((*own)());
  };
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary_ = TemporaryName(target_, next());
    bool exists = false;
    const HostError error = host_->file.CreateNew(temporary_, exists);
    if (error == 0) {
      return;
    }
    if (!exists) {
      temporary_.clear();
      throw HostFailure(ErrorKind::kWrite, display_path_, error);
    }
  }
  temporary_.clear();
  throw SystemError(ErrorKind::kWrite, display_path_, EEXIST);
}

AtomicFile::~AtomicFile() {
  // A moved-from file holds no handle: the file it was is owned elsewhere.
  if (!committed_ && host_ != nullptr) {
    host_->file.Close();
    if (!temporary_.empty()) {
      HostRemoveFile(temporary_);
    }
  }
}

AtomicFile::AtomicFile(AtomicFile&& other) noexcept = default;

int AtomicFile::Gate(FileOperation operation) const {
  return hook_ != nullptr ? hook_->Before(operation, target_) : 0;
}

void AtomicFile::Write(std::string_view bytes) {
  if (bytes.empty()) {
    return;
  }
  if (const int error = Gate(FileOperation::kWrite)) {
    Fail(error);
  }
  if (const HostError error = host_->file.Write(bytes)) {
    throw HostFailure(ErrorKind::kWrite, display_path_, error);
  }
}

void AtomicFile::MakeDurable() {
  if (const int error = Gate(FileOperation::kFlush)) {
    Fail(error);
  }
  // The bytes reach the disk before the name does: after a crash the target is the old file
  // or the whole new one.
  if (const HostError error = host_->file.FlushAndClose()) {
    throw HostFailure(ErrorKind::kWrite, display_path_, error);
  }
  durable_ = true;
}

void AtomicFile::Publish() {
  if (!durable_) {
    throw std::logic_error("an output was published before it was made durable");
  }
  if (const int error = Gate(FileOperation::kRename)) {
    Fail(error);
  }
  if (const HostError error = HostReplace(temporary_, target_)) {
    throw HostFailure(ErrorKind::kWrite, display_path_, error);
  }
  committed_ = true;
  if (hook_ != nullptr) {
    hook_->Changed(FileOperation::kRename, target_);
  }
  // The new file's name is durable once its folder is flushed: now, or by the run that takes
  // the flush over and flushes the folder once before it reports success.
  const std::filesystem::path folder = target_.parent_path();
  if (HostFolderNeedsFlush() && (hook_ == nullptr || !hook_->TakeFolderFlush(folder))) {
    if (const HostError error = HostFlushFolder(folder)) {
      // The new file is in place; only its durability could not be confirmed.
      throw HostFailure(ErrorKind::kWrite, display_path_, error);
    }
  }
}

void AtomicFile::Commit() {
  if (hook_ != nullptr && hook_->DefersCommits()) {
    host_->file.StartWriteOut();
    // The hook takes the file over (this one is a moved-from file then), unless committing those
    // it holds already fails first.
    hook_->Defer(std::move(*this));
    return;
  }
  MakeDurable();
  Publish();
}

void AtomicFile::Fail(int error_number) {
  throw SystemError(ErrorKind::kWrite, display_path_, error_number);
}

}  // namespace qe2m4::platform

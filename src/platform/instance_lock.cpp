#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "base/error.h"
#include "base/unique_fd.h"
#include "base/xdg_folders.h"

namespace orbeline {

std::string InstanceLock::LockPath() {
  const std::filesystem::path dir = RuntimeFolder();
  if (!dir.empty()) return (dir / "MutexObject_Ovalin.lock").string();
  return (std::filesystem::temp_directory_path() /
          ("MutexObject_Ovalin-" + std::to_string(::geteuid()) + ".lock"))
      .string();
}

bool InstanceLock::TryAcquire() {
  if (fd_ >= 0) return true;
  const std::string path = LockPath();
  UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (!fd.valid()) {
    const std::string reason = errno == ELOOP ? "it is a symbolic link" : std::strerror(errno);
    throw Error("Cannot open the lock file " + path + ": " + reason);
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    throw Error("Cannot use the lock file " + path + ": not a regular file");
  }
  if (info.st_uid != ::geteuid()) {
    throw Error("Cannot use the lock file " + path + ": it belongs to another user");
  }
  if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return false;
  fd_ = fd.Release();
  return true;
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) {
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
  }
}

}  // namespace orbeline

#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "base/error.h"
#include "base/xdg_folders.h"

namespace orbeline {

std::string InstanceLock::LockPath() {
  std::filesystem::path dir = RuntimeFolder();
  if (dir.empty()) dir = std::filesystem::temp_directory_path();
  return (dir / "MutexObject_Ovalin.lock").string();
}

bool InstanceLock::TryAcquire() {
  if (fd_ >= 0) return true;
  std::string path = LockPath();
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    throw Error("Cannot open the lock file " + path + ": " + std::strerror(errno));
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) {
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
  }
}

}  // namespace orbeline

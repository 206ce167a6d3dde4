#pragma once

#include <string>

namespace orbeline {

// One process at a time: an exclusive flock on $XDG_RUNTIME_DIR/MutexObject_Ovalin.lock
// (the temporary folder when XDG_RUNTIME_DIR is unset). The kernel drops the lock when the
// process ends, however it ends, so a crash never locks the user out.
class InstanceLock {
 public:
  InstanceLock() = default;
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // False when another process holds the lock. Throws orbeline::Error when the lock file
  // cannot be opened at all.
  bool TryAcquire();
  static std::string LockPath();

 private:
  int fd_ = -1;
};

}  // namespace orbeline

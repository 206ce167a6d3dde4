#pragma once

#include <string>

namespace orbeline {

// One process per user at a time: an exclusive flock on
// $XDG_RUNTIME_DIR/MutexObject_Ovalin.lock, or, when XDG_RUNTIME_DIR is unset, on
// MutexObject_Ovalin-<uid>.lock in the shared temporary folder (per user, so that one user
// never blocks another). The file is opened without following a symbolic link and refused
// when another user owns it, so nobody can plant it. The kernel drops the lock when the
// process ends, however it ends, so a crash never locks the user out.
class InstanceLock {
 public:
  InstanceLock() = default;
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // False when another process holds the lock. Throws orbeline::Error naming the file when
  // it cannot be opened, is a symbolic link or not a regular file, or belongs to another user.
  bool TryAcquire();
  static std::string LockPath();

 private:
  int fd_ = -1;
};

}  // namespace orbeline

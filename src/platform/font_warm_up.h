#pragma once

#include <thread>

namespace orbeline {

// Reads the font configuration (fontconfig's files and caches, the larger part of the cost
// of the first text a run draws) on a thread of its own, so that it overlaps starting Qt and
// decoding the picture. Whoever needs fonts first simply finds the work done, or waits for
// fontconfig's own lock. The destructor waits for the thread.
class FontWarmUp {
 public:
  FontWarmUp();
  ~FontWarmUp();
  FontWarmUp(const FontWarmUp&) = delete;
  FontWarmUp& operator=(const FontWarmUp&) = delete;

 private:
  std::thread thread_;
};

}  // namespace orbeline

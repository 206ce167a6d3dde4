#pragma once

#include "base/error.h"

namespace orbeline {

// The image component's error: a malformed or unreadable picture, a refused parameter, or
// an operation on an image that has no data. The message names the operation or the file.
class ImageError : public Error {
 public:
  using Error::Error;
};

}  // namespace orbeline

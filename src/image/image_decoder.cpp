#include "image/image_decoder.h"

#include <string>

#include "base/text_util.h"
#include "image/bmp_reader.h"
#include "image/image_error.h"
#include "image/jpeg_decoder.h"
#include "image/png_decoder.h"
#include "image/webp_decoder.h"

namespace orbeline {

TNkDIB DecodeImageFile(const std::filesystem::path& path, const DecodeSizeHint& hint) {
  const std::string extension = ToLowerAscii(path.extension().string());
  if (extension == ".bmp") return ReadBmpFile(path);
  if (extension == ".jpg" || extension == ".jpeg") return DecodeJpegFile(path, hint);
  if (extension == ".png") return DecodePngFile(path);
  if (extension == ".webp") return DecodeWebpFile(path);
  throw ImageError("Cannot read the picture file \"" + path.string() +
                   "\": unsupported file type \"" + extension + "\"");
}

}  // namespace orbeline

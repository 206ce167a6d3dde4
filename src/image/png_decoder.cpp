#include "image/png_decoder.h"

#include <png.h>

#include <string>

#include "image/file_io.h"
#include "image/image_error.h"

namespace orbeline {
namespace {

// Frees libpng's reading state on every path out.
class PngImage {
 public:
  PngImage() { image_.version = PNG_IMAGE_VERSION; }
  ~PngImage() { png_image_free(&image_); }
  PngImage(const PngImage&) = delete;
  PngImage& operator=(const PngImage&) = delete;
  png_image* get() { return &image_; }

 private:
  png_image image_{};
};

// Decodes the picture whose header `png` has read (libpng's simplified API reports errors
// through its return value and image.message, so no setjmp is needed here).
TNkDIB FinishDecode(PngImage& png, const std::string& context) {
  try {
    CheckImageSize(png.get()->width, png.get()->height, "DecodePng");
  } catch (const ImageError& e) {
    throw ImageError(context + e.what());
  }
  DibImage image = DibImage::Create(static_cast<int>(png.get()->width),
                                    static_cast<int>(png.get()->height), 24, {});
  png.get()->format = PNG_FORMAT_BGR;
  const png_color black{0, 0, 0};  // transparent parts are composed onto black
  // A negative stride asks for the bottom row first: the DIB's own order.
  if (!png_image_finish_read(png.get(), &black, image.bits.data(), -image.RowBytes(), nullptr)) {
    throw ImageError(context + png.get()->message);
  }
  return TNkDIB(std::move(image));
}

std::string Context(std::string_view source_name) {
  return "Cannot read the PNG file \"" + std::string(source_name) + "\": ";
}

}  // namespace

TNkDIB DecodePng(std::span<const std::uint8_t> bytes, std::string_view source_name) {
  PngImage png;
  if (!png_image_begin_read_from_memory(png.get(), bytes.data(), bytes.size())) {
    throw ImageError(Context(source_name) + png.get()->message);
  }
  return FinishDecode(png, Context(source_name));
}

TNkDIB DecodePngFile(const std::filesystem::path& path) {
  // libpng reads the stream as it decodes: the size is checked before the pixels are read.
  const PictureStream file = OpenPictureFile(path);
  PngImage png;
  if (!png_image_begin_read_from_stdio(png.get(), file.get())) {
    throw ImageError(Context(path.string()) + png.get()->message);
  }
  return FinishDecode(png, Context(path.string()));
}

}  // namespace orbeline

#include "test_jpeg.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE and size_t first
#include <jpeglib.h>
// clang-format on

#include <cstdlib>

namespace orbeline::testing {

std::vector<std::uint8_t> EncodeTestJpeg(int width, int height, TestJpegKind kind,
                                         const std::function<ColorRef(int x, int y)>& color,
                                         int quality) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  const int components = kind == TestJpegKind::kGrey ? 1 : kind == TestJpegKind::kCmyk ? 4 : 3;
  cinfo.input_components = components;
  cinfo.in_color_space = kind == TestJpegKind::kGrey   ? JCS_GRAYSCALE
                         : kind == TestJpegKind::kCmyk ? JCS_CMYK
                                                       : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (kind == TestJpegKind::kProgressive) jpeg_simple_progression(&cinfo);
  // libjpeg marks a CMYK file as Adobe's, whose readers take the values inverted.
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * components);
  while (cinfo.next_scanline < cinfo.image_height) {
    const int y = static_cast<int>(cinfo.next_scanline);
    for (int x = 0; x < width; ++x) {
      const ColorRef c = color(x, y);
      JSAMPLE* out = &row[static_cast<std::size_t>(x) * components];
      out[0] = RedOf(c);
      if (components == 1) continue;
      out[1] = GreenOf(c);
      out[2] = BlueOf(c);
      if (components == 4) out[3] = 255;
    }
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<std::uint8_t> bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

}  // namespace orbeline::testing

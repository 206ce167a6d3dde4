#include "image/jpeg_decoder.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE and size_t first
#include <jpeglib.h>
// clang-format on

#include <csetjmp>
#include <memory>
#include <string>
#include <vector>

#include "image/file_io.h"
#include "image/image_error.h"

namespace orbeline {
namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return. Throwing a
// C++ exception through libjpeg's C frames is not safe, so error_exit keeps the message and
// longjmps back to the setjmp in RunDecode; the exception is raised from there.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

extern "C" void OnJpegError(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, errors->message);
  std::longjmp(errors->jump, 1);
}

// Warnings (a corrupt but decodable stream) are not shown: the picture is used as far as
// it goes, as every viewer does.
extern "C" void OnJpegMessage(j_common_ptr) {}

// Everything libjpeg touches, and every object with a destructor, lives on the heap: a
// longjmp may skip no destructor, and RunDecode's own locals that change between setjmp and
// longjmp would be indeterminate afterwards.
struct DecodeState {
  jpeg_decompress_struct cinfo{};
  ErrorManager errors{};
  bool created = false;
  std::string size_error;
  std::unique_ptr<DibImage> image;
  std::vector<JSAMPLE> cmyk_row;

  ~DecodeState() {
    if (created) jpeg_destroy_decompress(&cinfo);
  }
};

// Adobe CMYK JPEGs store inverted values: the colour is then (c * k / 255, ...).
void CmykRowToBgr(const JSAMPLE* cmyk, int width, std::uint8_t* out) {
  for (int x = 0; x < width; ++x, cmyk += 4, out += 3) {
    const int k = cmyk[3];
    out[0] = static_cast<std::uint8_t>(cmyk[2] * k / 255);
    out[1] = static_cast<std::uint8_t>(cmyk[1] * k / 255);
    out[2] = static_cast<std::uint8_t>(cmyk[0] * k / 255);
  }
}

// The smallest scale of eighths (libjpeg-turbo scales its inverse DCT to any of them) at
// which the picture is still as large as the hint asks.
void ChooseScale(jpeg_decompress_struct* cinfo, const DecodeSizeHint& hint) {
  const int width = static_cast<int>(cinfo->image_width);
  const int height = static_cast<int>(cinfo->image_height);
  const PixelSize needed = hint(width, height);
  const auto scaled = [](int size, int eighths) { return (size * eighths + 7) / 8; };
  for (int eighths = 1; eighths < 8; ++eighths) {
    if (scaled(width, eighths) >= needed.width && scaled(height, eighths) >= needed.height) {
      cinfo->scale_num = static_cast<unsigned int>(eighths);
      cinfo->scale_denom = 8;
      return;
    }
  }
}

// Decodes from `file` when it is given, else from the bytes. Returns false when libjpeg
// reported an error (its text is in state->errors.message) or the picture is too large
// (state->size_error): a stream is read only as far as the header then.
bool RunDecode(DecodeState* state, const std::uint8_t* data, std::size_t size, std::FILE* file,
               const DecodeSizeHint& hint) {
  jpeg_decompress_struct* cinfo = &state->cinfo;
  cinfo->err = jpeg_std_error(&state->errors.pub);
  state->errors.pub.error_exit = OnJpegError;
  state->errors.pub.output_message = OnJpegMessage;
  if (setjmp(state->errors.jump)) return false;
  jpeg_create_decompress(cinfo);
  state->created = true;
  if (file != nullptr) {
    jpeg_stdio_src(cinfo, file);
  } else {
    jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
  }
  jpeg_read_header(cinfo, TRUE);
  const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
  cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  try {
    CheckImageSize(cinfo->image_width, cinfo->image_height, "DecodeJpeg");
    if (hint) ChooseScale(cinfo, hint);
    jpeg_calc_output_dimensions(cinfo);
    state->image = std::make_unique<DibImage>(DibImage::Create(
        static_cast<int>(cinfo->output_width), static_cast<int>(cinfo->output_height), 24, {}));
  } catch (const ImageError& e) {
    state->size_error = e.what();
    return false;
  }
  jpeg_start_decompress(cinfo);
  if (cmyk) state->cmyk_row.resize(static_cast<std::size_t>(cinfo->output_width) * 4);
  DibImage& image = *state->image;
  while (cinfo->output_scanline < cinfo->output_height) {
    // DIB rows are bottom-up: the first scanline is the last storage row.
    std::uint8_t* row = image.Row(image.Height() - 1 - static_cast<int>(cinfo->output_scanline));
    JSAMPROW target = cmyk ? state->cmyk_row.data() : row;
    jpeg_read_scanlines(cinfo, &target, 1);
    if (cmyk) CmykRowToBgr(state->cmyk_row.data(), image.Width(), row);
  }
  jpeg_finish_decompress(cinfo);
  return true;
}

TNkDIB Decode(std::span<const std::uint8_t> bytes, std::FILE* file, std::string_view source_name,
              const DecodeSizeHint& hint) {
  const std::string context = "Cannot read the JPEG file \"" + std::string(source_name) + "\": ";
  if (file == nullptr && bytes.empty()) throw ImageError(context + "empty file");
  auto state = std::make_unique<DecodeState>();
  if (!RunDecode(state.get(), bytes.data(), bytes.size(), file, hint)) {
    throw ImageError(context + (state->size_error.empty() ? std::string(state->errors.message)
                                                          : state->size_error));
  }
  return TNkDIB(std::move(*state->image));
}

}  // namespace

TNkDIB DecodeJpeg(std::span<const std::uint8_t> bytes, std::string_view source_name,
                  const DecodeSizeHint& hint) {
  return Decode(bytes, nullptr, source_name, hint);
}

TNkDIB DecodeJpegFile(const std::filesystem::path& path, const DecodeSizeHint& hint) {
  // libjpeg reads the stream as it decodes: the size is checked before the pixels are read.
  const PictureStream file = OpenPictureFile(path);
  return Decode({}, file.get(), path.string(), hint);
}

}  // namespace orbeline

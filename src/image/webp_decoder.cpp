#include "image/webp_decoder.h"

#include <webp/decode.h>

#include <string>

#include "image/file_io.h"
#include "image/image_error.h"

namespace orbeline {
namespace {

std::string Context(std::string_view source_name) {
  return "Cannot read the WebP file \"" + std::string(source_name) + "\": ";
}

// Reads the picture's features from its header and refuses a picture too large. With
// `partial`, `bytes` may be the start of the file: a header that needs more is let through.
void ReadFeatures(std::span<const std::uint8_t> bytes, std::string_view source_name, bool partial,
                  WebPBitstreamFeatures& features) {
  const VP8StatusCode status = WebPGetFeatures(bytes.data(), bytes.size(), &features);
  if (partial && status == VP8_STATUS_NOT_ENOUGH_DATA) return;
  if (status != VP8_STATUS_OK) {
    throw ImageError(Context(source_name) + "not a WebP picture or truncated header");
  }
  try {
    CheckImageSize(features.width, features.height, "DecodeWebp");
  } catch (const ImageError& e) {
    throw ImageError(Context(source_name) + e.what());
  }
}

}  // namespace

TNkDIB DecodeWebp(std::span<const std::uint8_t> bytes, std::string_view source_name) {
  const std::string context = Context(source_name);
  WebPDecoderConfig config;
  if (!WebPInitDecoderConfig(&config)) throw ImageError(context + "libwebp version mismatch");
  ReadFeatures(bytes, source_name, false, config.input);
  DibImage image = DibImage::Create(config.input.width, config.input.height, 24, {});
  // Decode straight into the DIB's rows, flipped to its bottom-up order.
  config.options.flip = 1;
  config.output.colorspace = MODE_BGR;
  config.output.is_external_memory = 1;
  config.output.u.RGBA.rgba = image.bits.data();
  config.output.u.RGBA.stride = image.RowBytes();
  config.output.u.RGBA.size = image.bits.size();
  const VP8StatusCode status = WebPDecode(bytes.data(), bytes.size(), &config);
  WebPFreeDecBuffer(&config.output);  // external memory: frees nothing of ours
  if (status != VP8_STATUS_OK) {
    throw ImageError(context + "decoding failed (libwebp status " +
                     std::to_string(static_cast<int>(status)) + ")");
  }
  return TNkDIB(std::move(image));
}

TNkDIB DecodeWebpFile(const std::filesystem::path& path) {
  const std::string name = path.string();
  return DecodeWebp(ReadPictureFile(path,
                                    [&](std::span<const std::uint8_t> head) {
                                      WebPBitstreamFeatures features;
                                      ReadFeatures(head, name, true, features);
                                    }),
                    name);
}

}  // namespace orbeline

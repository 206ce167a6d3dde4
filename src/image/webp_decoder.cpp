#include "image/webp_decoder.h"

#include <webp/decode.h>

#include <string>

#include "image/file_io.h"
#include "image/image_error.h"

namespace orbeline {

TNkDIB DecodeWebp(std::span<const std::uint8_t> bytes, std::string_view source_name) {
  const std::string context = "Cannot read the WebP file \"" + std::string(source_name) + "\": ";
  WebPDecoderConfig config;
  if (!WebPInitDecoderConfig(&config)) throw ImageError(context + "libwebp version mismatch");
  if (WebPGetFeatures(bytes.data(), bytes.size(), &config.input) != VP8_STATUS_OK) {
    throw ImageError(context + "not a WebP picture or truncated header");
  }
  try {
    CheckImageSize(config.input.width, config.input.height, "DecodeWebp");
  } catch (const ImageError& e) {
    throw ImageError(context + e.what());
  }
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
  return DecodeWebp(ReadFileBytes(path), path.string());
}

}  // namespace orbeline

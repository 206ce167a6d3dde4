#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string_view>

#include "base/rect.h"
#include "image/image_decoder.h"
#include "image/nk_dib.h"

namespace orbeline {

// How JpegDecoder hands out a row: B, G, R bytes (a 24-bit DIB row) or 0xFFRRGGBB words
// (WorkBitmap's pixels).
enum class JpegRowFormat : std::uint8_t { kBgr24, kRgb32 };

// A JPEG stream (libjpeg) opened for decoding. The constructor reads the header only, so
// the picture's size is known before any pixel memory is taken; the caller may then pick a
// smaller scale and the part of the picture it will use, and the rows of that part are
// decoded one at a time, top-down. Rows above the part are skipped, rows below it are never
// decoded. Errors raise ImageError naming the source and libjpeg's reason; a decoder that
// raised is not used again. Corrupt data that libjpeg can still decode only warns: the
// picture is used as far as it goes, as every viewer does.
class JpegDecoder {
 public:
  // `bytes` must outlive the decoder.
  JpegDecoder(std::span<const std::uint8_t> bytes, std::string_view source_name);
  explicit JpegDecoder(const std::filesystem::path& path);
  ~JpegDecoder();
  JpegDecoder(const JpegDecoder&) = delete;
  JpegDecoder& operator=(const JpegDecoder&) = delete;

  // The picture's size as stored.
  int FullWidth() const;
  int FullHeight() const;
  // Picks the smallest of libjpeg's scales 1/8 .. 7/8 (its inverse DCT makes them at little
  // cost) at which the picture is still at least `needed` in both directions; else full
  // size. Only before Start.
  void ScaleToAtLeast(PixelSize needed);
  // The size the picture comes out at.
  int Width() const;
  int Height() const;

  // Begins decoding `part` of the picture at its scale: a non-empty rectangle inside
  // (0, 0, Width(), Height()). Once per decoder.
  void Start(const Rect& part, JpegRowFormat format);
  // The part's next row, its part.Width() pixels in the format Start was given.
  void ReadRow(std::uint8_t* bgr);
  void ReadRow(std::uint32_t* rgb32);

 private:
  struct State;
  void ReadRowBytes(std::uint8_t* out, JpegRowFormat format);

  std::unique_ptr<State> state_;
};

// The whole picture as a 24-bit TNkDIB, at the decoder's scale or, with a size hint, at the
// smallest scale that is still at least that large (see ScaleToAtLeast).
TNkDIB DecodeJpeg(JpegDecoder& decoder, const DecodeSizeHint& hint = {});

// Decodes a JPEG into a 24-bit TNkDIB; errors raise ImageError naming `source_name` and
// libjpeg's reason. With a size hint, a picture larger than the caller needs comes out at
// the smallest scale that is still at least that large (see ScaleToAtLeast).
TNkDIB DecodeJpeg(std::span<const std::uint8_t> bytes, std::string_view source_name,
                  const DecodeSizeHint& hint = {});
TNkDIB DecodeJpegFile(const std::filesystem::path& path, const DecodeSizeHint& hint = {});

}  // namespace orbeline

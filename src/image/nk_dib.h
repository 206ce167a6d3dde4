#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/color_text.h"
#include "image/dib_image.h"

namespace orbeline {

// Pixel formats of TNkDIB, numbered from 0 in this order. The two halftone formats are
// 8-bit images with a fixed palette, produced only by conversion.
enum class NkPixelFormat : std::uint8_t {
  k1Bit,
  k4Bit,
  k4BitRLE,
  k8Bit,
  k8BitRLE,
  k24Bit,
  kColorHalftone,
  kBWHalftone,
};

// How a picture of more than 8 bits per pixel is reduced to 8 bits.
enum class NkConvertMode : std::uint8_t { kLow = 0, kHigh = 1 };

// How the picture is drawn into a rectangle.
enum class NkDrawOption : std::uint8_t {
  kDeviceStretch = 0,  // nearest pixel (COLORONCOLOR)
  kColorHalftone = 1,  // stretched, then through the colour halftone
  kBWHalftone = 2,     // stretched, then through the black-and-white halftone
};

// The device-independent bitmap component that carries the source wallpaper. The pixels
// are held in a shared, reference-counted internal image: copying a TNkDIB shares it, and
// the first change of a copy makes a private copy (copy-on-write). A default-constructed
// TNkDIB has no internal image: its size reads as 0 x 0 and every operation that needs
// pixels raises ImageError ("TNkDIB.<operation>: InternalDIB Should not be Nil").
class TNkDIB {
 public:
  TNkDIB() = default;
  // Takes over a decoded or converted image (pixel format from its bit count).
  explicit TNkDIB(DibImage image);

  bool Empty() const { return internal_ == nullptr; }
  int Width() const;
  int Height() const;
  // A new image of that size (contents filled with the conversion colour); bit count,
  // palette and the other properties are kept. Sizes below 1 raise ImageError. On an empty
  // TNkDIB the new image is 24-bit with the other side 1.
  void SetWidth(int width);
  void SetHeight(int height);

  int GetBitCount() const;  // 1, 4, 8 or 24
  NkPixelFormat PixelFormat() const;
  // Converts the pixels; nothing happens when the format is already the requested one.
  // Supported: 24Bit -> 8Bit (high mode: ConvertTrueColorTo8BitRGBHigh; low mode: nearest
  // colour of the halftone palette), 1/4/8 bits -> 24Bit, 1/4 bits -> 8Bit, any -> colour
  // or black-and-white halftone, halftone -> 8Bit. Others (the RLE formats, reductions to
  // 1 or 4 bits) raise ImageError.
  void SetPixelFormat(NkPixelFormat format);

  // The colour table (empty for 24-bit images).
  std::vector<ColorRef> Palette() const;

  NkConvertMode ConvertMode() const { return convert_mode_; }
  void SetConvertMode(NkConvertMode mode) { convert_mode_ = mode; }
  ColorRef ConvertColor() const { return convert_color_; }
  void SetConvertColor(ColorRef color) { convert_color_ = color; }
  NkDrawOption DrawOption() const { return draw_option_; }
  void SetDrawOption(NkDrawOption option) { draw_option_ = option; }

  // Read access to the internal image (raises on an empty TNkDIB).
  const DibImage& Image() const;
  // Write access: makes the internal image private first when it is shared.
  DibImage& MutableImage();
  // Top-down pixel access, for tests and small jobs.
  ColorRef GetPixelColor(int x, int y) const;
  // True when both share one internal image (copy-on-write has not split them yet).
  bool SharesImageWith(const TNkDIB& other) const { return internal_ == other.internal_; }

 private:
  const DibImage& Internal(const char* operation) const;
  void Resize(int width, int height);

  std::shared_ptr<DibImage> internal_;
  NkPixelFormat pixel_format_ = NkPixelFormat::k24Bit;
  NkConvertMode convert_mode_ = NkConvertMode::kLow;
  ColorRef convert_color_ = 0x00FFFFFF;  // white
  NkDrawOption draw_option_ = NkDrawOption::kDeviceStretch;
};

}  // namespace orbeline

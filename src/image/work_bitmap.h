#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "base/color_text.h"
#include "base/rect.h"
#include "image/large_buffer.h"
#include "image/nk_dib.h"
#include "image/palette_match.h"

namespace orbeline {

enum class WorkBitmapFormat : std::uint8_t { k8Bit, k24Bit };

// GetPixel's answer for a point outside the surface (GDI's CLR_INVALID).
inline constexpr ColorRef kInvalidColor = 0xFFFFFFFF;

// The drawing surface that becomes the work bitmap file. The pixels are always 32-bit
// words 0xFFRRGGBB, top-down, stride = width * 4 (QImage::Format_RGB32), so a painter can
// draw on them in place. In 8-bit mode the surface also carries a palette, and every pixel
// is mapped to its nearest palette colour when the surface is saved or copied to a TNkDIB.
class WorkBitmap {
 public:
  WorkBitmap() = default;

  // A black surface of the given size. An 8-bit surface with an empty palette gets the
  // colour halftone palette. Sizes below 1 or beyond the component's limits raise ImageError.
  void Reset(int width, int height, WorkBitmapFormat format, std::vector<ColorRef> palette = {});

  int Width() const { return width_; }
  int Height() const { return height_; }
  WorkBitmapFormat Format() const { return format_; }
  const std::vector<ColorRef>& Palette() const { return palette_; }
  // The whole surface: what the canvas reports as its clip rectangle.
  Rect ClipRect() const { return Rect{0, 0, width_, height_}; }

  std::uint32_t* Pixels() { return pixels_.data(); }
  const std::uint32_t* Pixels() const { return pixels_.data(); }
  int StrideBytes() const { return width_ * 4; }

  // Points outside the surface are ignored / read as kInvalidColor.
  void SetPixel(int x, int y, ColorRef color);
  ColorRef GetPixel(int x, int y) const;

  // Copies a rectangle of the surface to another place of the same size (overlap allowed);
  // parts outside the surface on either side are left out.
  void CopyRect(Rect src, Rect dst);
  // The picture unscaled with its top-left corner at (x, y), clipped to the surface.
  void DrawDib(const TNkDIB& dib, int x, int y);
  // The picture stretched into `target` by nearest pixel (COLORONCOLOR), clipped; with the
  // DIB's drawing option 1 or 2 the stretched picture goes through that halftone first.
  void StretchDrawDib(const TNkDIB& dib, Rect target);

  // Takes over a decoded picture: its size, its pixels and, for 8 bits per pixel or fewer,
  // 8-bit mode with its palette (24-bit mode otherwise).
  void AssignFromDib(const TNkDIB& dib);
  // Loads a BMP file (AssignFromDib of the decoded file).
  void LoadBmp(const std::filesystem::path& path);
  // A copy as a TNkDIB: 8-bit mode keeps 8 bits per pixel and the palette, else 24 bits.
  TNkDIB ToDib() const;
  // 8-bit mode: every pixel becomes its nearest palette colour, as the file stores it
  // (24-bit mode: nothing changes).
  void ReduceToPalette();
  // Writes an uncompressed BMP in the current format with WriteFileAtomically; raises
  // orbeline::Error naming the file on failure and leaves no partial file behind.
  void SaveBmp(const std::filesystem::path& path) const;

 private:
  // Top-down row y as the file stores it: B, G, R (24-bit mode) or palette indexes (8-bit
  // mode, with `matcher` on the palette), without the row's padding.
  void FileRow(int y, std::uint8_t* out, NearestColorMatcher* matcher) const;

  int width_ = 0;
  int height_ = 0;
  WorkBitmapFormat format_ = WorkBitmapFormat::k24Bit;
  std::vector<ColorRef> palette_;
  LargeVector<std::uint32_t> pixels_;
};

}  // namespace orbeline

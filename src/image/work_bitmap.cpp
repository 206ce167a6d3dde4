#include "image/work_bitmap.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>

#include "base/durable_file.h"
#include "image/bmp_reader.h"
#include "image/bmp_writer.h"
#include "image/halftone.h"
#include "image/image_error.h"
#include "image/palette_match.h"
#include "image/stretch.h"

namespace orbeline {

void WorkBitmap::Reset(int width, int height, WorkBitmapFormat format,
                       std::vector<ColorRef> palette) {
  CheckImageSize(width, height, "WorkBitmap.Reset");
  if (format == WorkBitmapFormat::k8Bit) {
    if (palette.empty()) palette = ColorHalftonePalette();
    if (palette.size() > 256)
      throw ImageError("WorkBitmap.Reset: Palette of more than 256 colours");
  } else {
    palette.clear();
  }
  width_ = width;
  height_ = height;
  format_ = format;
  palette_ = std::move(palette);
  pixels_.assign(static_cast<std::size_t>(width) * height, 0xFF000000u);
}

void WorkBitmap::SetPixel(int x, int y, ColorRef color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * width_ + x] = ColorToRgb32(color);
}

ColorRef WorkBitmap::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kInvalidColor;
  return Rgb32ToColor(pixels_[static_cast<std::size_t>(y) * width_ + x]);
}

void WorkBitmap::CopyRect(Rect src, Rect dst) {
  // Like BitBlt: the destination's size counts, and only pixels whose source and
  // destination both lie on the surface are copied.
  const int dx = dst.left - src.left;
  const int dy = dst.top - src.top;
  const Rect from_source = Intersect(
      ClipRect(), Rect{src.left, src.top, src.left + dst.Width(), src.top + dst.Height()});
  const Rect area =
      Intersect(Intersect(dst, ClipRect()), Rect{from_source.left + dx, from_source.top + dy,
                                                 from_source.right + dx, from_source.bottom + dy});
  if (area.IsEmpty()) return;
  const std::size_t bytes = static_cast<std::size_t>(area.Width()) * 4;
  const auto copy_row = [&](int y) {
    std::memmove(&pixels_[static_cast<std::size_t>(y) * width_ + area.left],
                 &pixels_[static_cast<std::size_t>(y - dy) * width_ + area.left - dx], bytes);
  };
  // Rows moving down are copied from the bottom up so that overlapping rows are read first.
  if (dy > 0) {
    for (int y = area.bottom - 1; y >= area.top; --y) copy_row(y);
  } else {
    for (int y = area.top; y < area.bottom; ++y) copy_row(y);
  }
}

void WorkBitmap::DrawDib(const TNkDIB& dib, int x, int y) {
  // A picture that starts right of or below the surface shows nothing (and its far edge
  // might not even be a number).
  if (x >= width_ || y >= height_) return;
  // An unscaled draw is a draw into a rectangle of the picture's own size.
  StretchDrawDib(dib, Rect{x, y, x + dib.Width(), y + dib.Height()});
}

void WorkBitmap::StretchDrawDib(const TNkDIB& dib, Rect target) {
  const DibImage& image = dib.Image();
  if (target.IsEmpty()) return;
  if (dib.DrawOption() != NkDrawOption::kDeviceStretch) {
    // Stretch first, then put the picture of the rectangle's size through the halftone.
    const DibImage stretched = StretchNearest(image, target.Width(), target.Height());
    const TNkDIB plain(dib.DrawOption() == NkDrawOption::kColorHalftone
                           ? ConvertToHalfTone(stretched)
                           : ConvertToBWHalfTone(stretched));
    StretchDrawDib(plain, target);
    return;
  }
  const Rect area = Intersect(target, ClipRect());
  if (area.IsEmpty()) return;
  if (target.Width() == image.Width() && target.Height() == image.Height()) {
    // Unscaled: each visible row is converted straight into place.
    std::vector<std::uint32_t> row_pixels;
    const int skip = area.left - target.left;
    const bool whole_rows = skip == 0 && area.Width() == image.Width();
    if (!whole_rows) row_pixels.resize(static_cast<std::size_t>(image.Width()));
    for (int y = area.top; y < area.bottom; ++y) {
      std::uint32_t* out = &pixels_[static_cast<std::size_t>(y) * width_ + area.left];
      const int storage_row = image.Height() - 1 - (y - target.top);
      if (whole_rows) {
        image.RowToRgb32(storage_row, out);
      } else {
        image.RowToRgb32(storage_row, row_pixels.data());
        std::memcpy(out, row_pixels.data() + skip, static_cast<std::size_t>(area.Width()) * 4);
      }
    }
    return;
  }
  const std::vector<int> columns =
      NearestSourceMap(area.left - target.left, area.Width(), target.Width(), image.Width());
  const std::vector<int> rows =
      NearestSourceMap(area.top - target.top, area.Height(), target.Height(), image.Height());
  std::vector<std::uint32_t> source_row(image.Width());
  int decoded = -1;
  for (int k = 0; k < area.Height(); ++k) {
    if (rows[k] != decoded) {
      decoded = rows[k];
      image.RowToRgb32(image.Height() - 1 - decoded, source_row.data());
    }
    std::uint32_t* out = &pixels_[static_cast<std::size_t>(area.top + k) * width_ + area.left];
    for (std::size_t i = 0; i < columns.size(); ++i) out[i] = source_row[columns[i]];
  }
}

void WorkBitmap::AssignFromDib(const TNkDIB& dib) {
  const DibImage& image = dib.Image();
  if (image.BitCount() <= 8) {
    Reset(image.Width(), image.Height(), WorkBitmapFormat::k8Bit, image.colors);
  } else {
    Reset(image.Width(), image.Height(), WorkBitmapFormat::k24Bit);
  }
  for (int y = 0; y < height_; ++y) {
    image.RowToRgb32(height_ - 1 - y, &pixels_[static_cast<std::size_t>(y) * width_]);
  }
}

void WorkBitmap::LoadBmp(const std::filesystem::path& path) { AssignFromDib(ReadBmpFile(path)); }

void WorkBitmap::FileRow(int y, std::uint8_t* out, NearestColorMatcher* matcher) const {
  const std::uint32_t* in = &pixels_[static_cast<std::size_t>(y) * width_];
  if (matcher != nullptr) {
    for (int x = 0; x < width_; ++x) out[x] = matcher->IndexOf(in[x]);
    return;
  }
  int x = 0;
  if constexpr (std::endian::native == std::endian::little) {
    // Four pixels B, G, R at a time as three whole words: a third of the stores.
    for (; x + 4 <= width_; x += 4, out += 12) {
      const std::uint32_t p0 = in[x];
      const std::uint32_t p1 = in[x + 1];
      const std::uint32_t p2 = in[x + 2];
      const std::uint32_t p3 = in[x + 3];
      const std::uint32_t w0 = (p0 & 0xFFFFFF) | (p1 << 24);
      const std::uint32_t w1 = ((p1 >> 8) & 0xFFFF) | (p2 << 16);
      const std::uint32_t w2 = ((p2 >> 16) & 0xFF) | (p3 << 8);
      std::memcpy(out, &w0, 4);
      std::memcpy(out + 4, &w1, 4);
      std::memcpy(out + 8, &w2, 4);
    }
  }
  for (; x < width_; ++x) {
    *out++ = in[x] & 0xFF;
    *out++ = (in[x] >> 8) & 0xFF;
    *out++ = (in[x] >> 16) & 0xFF;
  }
}

TNkDIB WorkBitmap::ToDib() const {
  if (pixels_.empty()) throw ImageError("WorkBitmap.ToDib: The bitmap is empty");
  const bool indexed = format_ == WorkBitmapFormat::k8Bit;
  DibImage image = DibImage::Create(width_, height_, indexed ? 8 : 24,
                                    indexed ? palette_ : std::vector<ColorRef>{});
  std::optional<NearestColorMatcher> matcher;
  if (indexed) matcher.emplace(palette_);
  for (int y = 0; y < height_; ++y) {
    FileRow(y, image.Row(height_ - 1 - y), matcher ? &*matcher : nullptr);
  }
  return TNkDIB(std::move(image));
}

void WorkBitmap::ReduceToPalette() {
  if (format_ != WorkBitmapFormat::k8Bit) return;
  NearestColorMatcher matcher(palette_);
  for (std::uint32_t& pixel : pixels_) {
    pixel = ColorToRgb32(palette_[static_cast<std::size_t>(matcher.IndexOf(pixel))]);
  }
}

void WorkBitmap::SaveBmp(const std::filesystem::path& path) const {
  if (pixels_.empty()) throw Error("Cannot write the file \"" + path.string() + "\": empty bitmap");
  // Row by row into the file, so that the file's pixels are never in memory whole.
  const bool indexed = format_ == WorkBitmapFormat::k8Bit;
  const int bit_count = indexed ? 8 : 24;
  // The headers carry a colour table only at 8 bits.
  const std::vector<std::uint8_t> headers = EncodeBmpHeaders(width_, height_, bit_count, palette_);
  const std::size_t row_bytes = static_cast<std::size_t>(DibRowBytes(width_, bit_count));
  const std::size_t used = static_cast<std::size_t>(width_) * (bit_count / 8);
  std::optional<NearestColorMatcher> matcher;
  if (indexed) matcher.emplace(palette_);
  bool headers_done = false;
  int storage_row = 0;  // rows go bottom-up
  WriteFileAtomically(path, [&](std::span<std::uint8_t> buffer) {
    std::size_t filled = 0;
    if (!headers_done) {
      std::memcpy(buffer.data(), headers.data(), headers.size());
      filled = headers.size();
      headers_done = true;
    }
    for (; storage_row < height_ && buffer.size() - filled >= row_bytes; ++storage_row) {
      std::uint8_t* out = buffer.data() + filled;
      FileRow(height_ - 1 - storage_row, out, matcher ? &*matcher : nullptr);
      std::memset(out + used, 0, row_bytes - used);  // the padding
      filled += row_bytes;
    }
    return filled;
  });
}

}  // namespace orbeline

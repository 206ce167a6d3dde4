#include "image/nk_dib.h"

#include <string>

#include "image/color_reduction.h"
#include "image/halftone.h"
#include "image/image_error.h"
#include "image/palette_match.h"

namespace orbeline {
namespace {

NkPixelFormat FormatOfBitCount(int bit_count) {
  switch (bit_count) {
    case 1:
      return NkPixelFormat::k1Bit;
    case 4:
      return NkPixelFormat::k4Bit;
    case 8:
      return NkPixelFormat::k8Bit;
    default:
      return NkPixelFormat::k24Bit;
  }
}

const char* FormatName(NkPixelFormat format) {
  static constexpr const char* kNames[] = {"1Bit",    "4Bit",  "4BitRLE",       "8Bit",
                                           "8BitRLE", "24Bit", "ColorHalftone", "BWHalftone"};
  return kNames[static_cast<int>(format)];
}

// Every pixel of `image` becomes `color` (its nearest palette entry when indexed).
void Fill(DibImage& image, ColorRef color) {
  if (image.BitCount() == 24) {
    for (int row = 0; row < image.Height(); ++row) {
      std::uint8_t* p = image.Row(row);
      for (int x = 0; x < image.Width(); ++x) {
        *p++ = BlueOf(color);
        *p++ = GreenOf(color);
        *p++ = RedOf(color);
      }
    }
    return;
  }
  const int index = NearestColorMatcher(image.colors).IndexOf(ColorToRgb32(color));
  for (int row = 0; row < image.Height(); ++row) {
    for (int x = 0; x < image.Width(); ++x) image.SetIndexAt(x, row, index);
  }
}

}  // namespace

TNkDIB::TNkDIB(DibImage image) {
  const int bits = image.BitCount();
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24) {
    throw ImageError("TNkDIB.Create: Invalid bit count " + std::to_string(bits));
  }
  CheckImageSize(image.Width(), image.Height(), "TNkDIB.Create");
  if (image.bits.size() < static_cast<std::size_t>(image.RowBytes()) * image.Height() ||
      (bits <= 8 && image.colors.size() > (std::size_t{1} << bits))) {
    throw ImageError("TNkDIB.Create: Malformed image");
  }
  pixel_format_ = FormatOfBitCount(bits);
  internal_ = std::make_shared<DibImage>(std::move(image));
}

const DibImage& TNkDIB::Internal(const char* operation) const {
  if (!internal_) {
    throw ImageError(std::string("TNkDIB.") + operation + ": InternalDIB Should not be Nil");
  }
  return *internal_;
}

int TNkDIB::Width() const { return internal_ ? internal_->Width() : 0; }
int TNkDIB::Height() const { return internal_ ? internal_->Height() : 0; }

void TNkDIB::SetWidth(int width) {
  if (width < 1) {
    throw ImageError("TNkDIB.SetWidth: Invalid Parameter (" + std::to_string(width) + ")");
  }
  Resize(width, internal_ ? Height() : 1);
}

void TNkDIB::SetHeight(int height) {
  if (height < 1) {
    throw ImageError("TNkDIB.SetHeight: Invalid Parameter (" + std::to_string(height) + ")");
  }
  Resize(internal_ ? Width() : 1, height);
}

void TNkDIB::Resize(int width, int height) {
  if (internal_ && width == Width() && height == Height()) return;
  DibImage image = internal_ ? DibImage::Create(width, height, GetBitCount(), internal_->colors)
                             : DibImage::Create(width, height, 24, {});
  Fill(image, convert_color_);
  if (!internal_) pixel_format_ = NkPixelFormat::k24Bit;
  internal_ = std::make_shared<DibImage>(std::move(image));
}

int TNkDIB::GetBitCount() const { return Internal("GetBitCount").BitCount(); }

NkPixelFormat TNkDIB::PixelFormat() const {
  Internal("GetPixelFormat");
  return pixel_format_;
}

void TNkDIB::SetPixelFormat(NkPixelFormat format) {
  const DibImage& image = Internal("SetPixelFormat");
  if (format == pixel_format_) return;
  const int bits = image.BitCount();
  DibImage converted;
  switch (format) {
    case NkPixelFormat::k24Bit:
      converted = ConvertTo24Bit(image);
      break;
    case NkPixelFormat::k8Bit:
      if (bits == 24) {
        converted = convert_mode_ == NkConvertMode::kHigh ? ConvertTrueColorTo8BitRGBHigh(image)
                                                          : ConvertTrueColorTo8BitLow(image);
      } else if (bits < 8) {
        converted = ConvertTo8BitIndexed(image);
      } else {
        pixel_format_ = format;  // a halftone image is already plain 8-bit data
        return;
      }
      break;
    case NkPixelFormat::kColorHalftone:
      converted = ConvertToHalfTone(image);
      break;
    case NkPixelFormat::kBWHalftone:
      converted = ConvertToBWHalfTone(image);
      break;
    default:
      throw ImageError(std::string("TNkDIB.SetPixelFormat: Conversion to ") + FormatName(format) +
                       " is not supported");
  }
  internal_ = std::make_shared<DibImage>(std::move(converted));
  pixel_format_ = format;
}

std::vector<ColorRef> TNkDIB::Palette() const { return Internal("GetPalette").colors; }

const DibImage& TNkDIB::Image() const { return Internal("GetImage"); }

DibImage& TNkDIB::MutableImage() {
  Internal("GetImage");
  // Copy-on-write: a shared image is copied before its first change.
  if (internal_.use_count() > 1) internal_ = std::make_shared<DibImage>(*internal_);
  return *internal_;
}

ColorRef TNkDIB::GetPixelColor(int x, int y) const {
  const DibImage& image = Internal("GetPixelColor");
  if (x < 0 || y < 0 || x >= image.Width() || y >= image.Height()) {
    throw ImageError("TNkDIB.GetPixelColor: Invalid Parameter (" + std::to_string(x) + ", " +
                     std::to_string(y) + ")");
  }
  return image.ColorAt(x, image.Height() - 1 - y);
}

}  // namespace orbeline

#include "image/bmp_reader.h"

#include <algorithm>
#include <bit>
#include <string>

#include "image/byte_reader.h"
#include "image/file_io.h"
#include "image/image_error.h"

namespace orbeline {
namespace {

// Header kinds, named by their size on disk, which is how a BMP file tells them apart
// (the first 32-bit word after the file header).
enum class BmpHeaderKind : std::uint32_t {
  kCore = 12,  // OS/2 1.x BITMAPCOREHEADER
  kInfo = 40,  // BITMAPINFOHEADER
  kV2 = 52,    // BITMAPINFOHEADER + RGB masks (Adobe)
  kV3 = 56,    // ... + alpha mask (Adobe)
  kV4 = 108,   // BITMAPV4HEADER
  kV5 = 124,   // BITMAPV5HEADER
};

// The biCompression values we meet (wingdi.h BI_*).
enum class BmpCompression : std::uint32_t {
  kRgb = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitFields = 3,
  kJpeg = 4,
  kPng = 5,
  kAlphaBitFields = 6,
};

constexpr std::size_t kFileHeaderSize = 14;

// BITMAPFILEHEADER (wingdi.h), 14 bytes: WORD bfType = "BM"; DWORD bfSize;
// WORD bfReserved1, bfReserved2; DWORD bfOffBits (offset of the pixel bits from the start).
struct BmpFileHeader {
  std::uint32_t off_bits = 0;
};

// What we keep of the info header, any kind.
// BITMAPCOREHEADER: DWORD bcSize; WORD bcWidth, bcHeight, bcPlanes, bcBitCount.
// BITMAPINFOHEADER: DWORD biSize; LONG biWidth, biHeight (negative: top-down); WORD biPlanes,
// biBitCount; DWORD biCompression, biSizeImage; LONG biXPelsPerMeter, biYPelsPerMeter;
// DWORD biClrUsed, biClrImportant. V2/V3 add the red, green, blue (and alpha) masks; V4 and
// V5 add colour space data that we ignore (the pixels are taken as sRGB).
struct BmpInfo {
  BmpHeaderKind kind = BmpHeaderKind::kInfo;
  std::int64_t width = 0;
  std::int64_t height = 0;
  bool top_down = false;
  int bit_count = 0;
  BmpCompression compression = BmpCompression::kRgb;
  std::uint32_t clr_used = 0;
  std::uint32_t masks[3] = {0, 0, 0};  // red, green, blue
};

// One colour channel of a 16- or 32-bit pixel: its mask and where it starts, and how to
// scale its value to 0..255.
class MaskChannel {
 public:
  explicit MaskChannel(std::uint32_t mask)
      : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0), max_(mask ? mask >> shift_ : 0) {}
  std::uint8_t Extract(std::uint32_t pixel) const {
    if (max_ == 0) return 0;
    const std::uint64_t v = (pixel & mask_) >> shift_;
    return static_cast<std::uint8_t>((v * 255 + max_ / 2) / max_);
  }

 private:
  std::uint32_t mask_;
  int shift_;
  std::uint64_t max_;
};

class BmpDecoder {
 public:
  BmpDecoder(std::span<const std::uint8_t> bytes, std::string_view source_name)
      : in_(bytes, "Cannot read the bitmap file \"" + std::string(source_name) + "\"") {}

  // Reads and checks the headers only (size, depth, compression).
  void CheckHeaders() {
    ReadFileHeader();
    BmpInfo info = ReadInfoHeader();
    CheckInfo(info);
  }

  TNkDIB Decode() {
    const BmpFileHeader file = ReadFileHeader();
    BmpInfo info = ReadInfoHeader();
    CheckInfo(info);
    std::vector<ColorRef> colors = ReadColorTable(info, file);
    in_.Seek(file.off_bits != 0 ? file.off_bits : in_.Position(), "pixel data");
    const bool rle =
        info.compression == BmpCompression::kRle8 || info.compression == BmpCompression::kRle4;
    // Uncompressed pixels must all be there before we allocate room for them.
    if (!rle && !in_.Has(PixelDataBytes(info))) in_.Fail("truncated pixel data");
    const int out_bits = info.bit_count <= 8 ? info.bit_count : 24;
    DibImage image = DibImage::Create(static_cast<int>(info.width), static_cast<int>(info.height),
                                      out_bits, std::move(colors));
    if (rle) {
      DecodeRle(info, image);
    } else {
      DecodeRows(info, image);
    }
    if (info.bit_count <= 8) CheckIndices(image);
    return TNkDIB(std::move(image));
  }

 private:
  BmpFileHeader ReadFileHeader() {
    if (!in_.Has(2) || in_.U8("file header") != 'B' || in_.U8("file header") != 'M') {
      in_.Fail("not a BMP file");
    }
    in_.Skip(8, "file header");  // file size and reserved words: often wrong, never needed
    BmpFileHeader file;
    file.off_bits = in_.U32("file header");
    return file;
  }

  BmpInfo ReadInfoHeader() {
    BmpInfo info;
    const std::uint32_t size = in_.U32("info header");
    switch (static_cast<BmpHeaderKind>(size)) {
      case BmpHeaderKind::kCore:
      case BmpHeaderKind::kInfo:
      case BmpHeaderKind::kV2:
      case BmpHeaderKind::kV3:
      case BmpHeaderKind::kV4:
      case BmpHeaderKind::kV5:
        info.kind = static_cast<BmpHeaderKind>(size);
        break;
      default:
        in_.Fail("unsupported header size " + std::to_string(size));
    }
    if (info.kind == BmpHeaderKind::kCore) {
      info.width = in_.U16("info header");
      info.height = in_.U16("info header");
      in_.U16("info header");  // planes
      info.bit_count = in_.U16("info header");
      return info;
    }
    info.width = in_.I32("info header");
    const std::int32_t height = in_.I32("info header");
    info.top_down = height < 0;
    info.height = height < 0 ? -static_cast<std::int64_t>(height) : height;
    in_.U16("info header");  // planes: ignored, as every reader does
    info.bit_count = in_.U16("info header");
    info.compression = static_cast<BmpCompression>(in_.U32("info header"));
    in_.Skip(12, "info header");  // image size (often 0 or wrong) and resolution
    info.clr_used = in_.U32("info header");
    in_.U32("info header");  // important colours
    if (size >= static_cast<std::uint32_t>(BmpHeaderKind::kV2)) {
      for (auto& mask : info.masks) mask = in_.U32("info header");
    }
    in_.Skip(kFileHeaderSize + size - in_.Position(), "info header");  // V4/V5 colour space
    if (size == static_cast<std::uint32_t>(BmpHeaderKind::kInfo)) {
      // A plain info header keeps its masks right after it.
      if (info.compression == BmpCompression::kBitFields) {
        for (auto& mask : info.masks) mask = in_.U32("colour masks");
      } else if (info.compression == BmpCompression::kAlphaBitFields) {
        for (auto& mask : info.masks) mask = in_.U32("colour masks");
        in_.U32("colour masks");
      }
    }
    return info;
  }

  static void SetMasks(BmpInfo& info, std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    info.masks[0] = red;
    info.masks[1] = green;
    info.masks[2] = blue;
  }

  void CheckInfo(BmpInfo& info) {
    if (info.width < 1 || info.height < 1) {
      in_.Fail("invalid size " + std::to_string(info.width) + " x " + std::to_string(info.height));
    }
    if (info.width > kMaxImageSide || info.height > kMaxImageSide ||
        info.width * info.height > kMaxImagePixels) {
      in_.Fail("picture too large (" + std::to_string(info.width) + " x " +
               std::to_string(info.height) + ")");
    }
    const int bits = info.bit_count;
    bool ok = false;
    switch (info.compression) {
      case BmpCompression::kRgb:
        ok = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
        if (bits == 16) SetMasks(info, 0x7C00, 0x03E0, 0x001F);  // 5-5-5
        if (bits == 32) SetMasks(info, 0xFF0000, 0xFF00, 0xFF);
        break;
      case BmpCompression::kBitFields:
      case BmpCompression::kAlphaBitFields:
        ok = bits == 16 || bits == 32;
        break;
      case BmpCompression::kRle8:
        ok = bits == 8 && !info.top_down;
        break;
      case BmpCompression::kRle4:
        ok = bits == 4 && !info.top_down;
        break;
      default:
        in_.Fail("unsupported compression " +
                 std::to_string(static_cast<std::uint32_t>(info.compression)));
    }
    if (!ok) {
      in_.Fail("unsupported bit count " + std::to_string(bits) + " for compression " +
               std::to_string(static_cast<std::uint32_t>(info.compression)) +
               (info.top_down ? " (top-down)" : ""));
    }
  }

  std::vector<ColorRef> ReadColorTable(const BmpInfo& info, const BmpFileHeader& file) {
    if (info.bit_count > 8) return {};  // an optional table of deeper pictures is not needed
    const std::size_t entry_size = info.kind == BmpHeaderKind::kCore ? 3 : 4;
    const std::size_t max_count = std::size_t{1} << info.bit_count;
    std::size_t count =
        info.clr_used != 0 ? std::min<std::size_t>(info.clr_used, max_count) : max_count;
    // Some writers leave out part of a full-size table; the pixel offset tells.
    if (file.off_bits != 0 && file.off_bits >= in_.Position()) {
      count = std::min(count, (file.off_bits - in_.Position()) / entry_size);
    }
    if (count == 0) in_.Fail("missing colour table");
    std::vector<ColorRef> colors(count);
    for (auto& color : colors) {
      const auto e = in_.Bytes(entry_size, "colour table");
      color = MakeColorRef(e[2], e[1], e[0]);
    }
    return colors;
  }

  // Bytes of uncompressed pixel rows; the last row may lack its padding.
  static std::size_t PixelDataBytes(const BmpInfo& info) {
    const auto row_bytes =
        static_cast<std::size_t>(DibRowBytes(static_cast<int>(info.width), info.bit_count));
    const std::size_t used_bytes = (static_cast<std::size_t>(info.width) * info.bit_count + 7) / 8;
    return row_bytes * static_cast<std::size_t>(info.height - 1) + used_bytes;
  }

  // Uncompressed rows of any depth.
  void DecodeRows(const BmpInfo& info, DibImage& image) {
    const int width = image.Width();
    const int height = image.Height();
    const std::size_t row_bytes = static_cast<std::size_t>(DibRowBytes(width, info.bit_count));
    const std::size_t used_bytes = (static_cast<std::size_t>(width) * info.bit_count + 7) / 8;
    const MaskChannel red(info.masks[0]), green(info.masks[1]), blue(info.masks[2]);
    for (int i = 0; i < height; ++i) {
      const int storage_row = info.top_down ? height - 1 - i : i;
      const auto src = in_.Bytes(i + 1 < height ? row_bytes : used_bytes, "pixel data");
      std::uint8_t* out = image.Row(storage_row);
      if (info.bit_count <= 8 || info.bit_count == 24) {
        std::copy_n(src.begin(), used_bytes, out);
        continue;
      }
      const int step = info.bit_count / 8;
      for (int x = 0; x < width; ++x, out += 3) {
        const std::uint8_t* p = src.data() + static_cast<std::size_t>(x) * step;
        const std::uint32_t pixel = step == 2
                                        ? std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8
                                        : std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 |
                                              std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
        out[0] = blue.Extract(pixel);
        out[1] = green.Extract(pixel);
        out[2] = red.Extract(pixel);
      }
    }
  }

  // Run-length encoded rows (bottom-up): pairs (count, index) repeat an index (RLE4: two
  // alternating indices); an escape 0 then 0 ends a row, 1 ends the picture, 2 dx dy moves
  // the position, n >= 3 gives n literal indices padded to a 16-bit boundary.
  void DecodeRle(const BmpInfo& info, DibImage& image) {
    const bool rle4 = info.compression == BmpCompression::kRle4;
    const int width = image.Width();
    const int height = image.Height();
    int x = 0;
    int y = 0;
    const auto put = [&](int count, auto index_of) {
      if (y >= height || count > width - x) in_.Fail("RLE data runs off the image");
      for (int i = 0; i < count; ++i, ++x) image.SetIndexAt(x, y, index_of(i));
    };
    for (;;) {
      const int count = in_.U8("RLE data");
      const int value = in_.U8("RLE data");
      if (count > 0) {
        put(count, [&](int i) { return rle4 ? ((i & 1) ? value & 0x0F : value >> 4) : value; });
        continue;
      }
      switch (value) {
        case 0:  // end of row
          x = 0;
          ++y;
          break;
        case 1:  // end of picture
          return;
        case 2: {  // delta
          const int dx = in_.U8("RLE data");
          const int dy = in_.U8("RLE data");
          x += dx;
          y += dy;
          if (x > width || y > height || (y == height && x > 0)) {
            in_.Fail("RLE data runs off the image");
          }
          break;
        }
        default: {  // literal run
          const std::size_t bytes = rle4 ? (value + 1) / 2 : value;
          const auto literal = in_.Bytes(bytes, "RLE data");
          put(value, [&](int i) {
            return rle4 ? ((i & 1) ? literal[i / 2] & 0x0F : literal[i / 2] >> 4) : literal[i];
          });
          if (bytes % 2 != 0) in_.Skip(1, "RLE data");
        }
      }
    }
  }

  void CheckIndices(const DibImage& image) {
    const int table_size = static_cast<int>(image.colors.size());
    if (table_size >= (1 << image.BitCount())) return;  // every index has a colour
    for (int row = 0; row < image.Height(); ++row) {
      for (int x = 0; x < image.Width(); ++x) {
        const int index = image.IndexAt(x, row);
        if (index >= table_size) {
          in_.Fail("palette index " + std::to_string(index) + " past the colour table (" +
                   std::to_string(table_size) + " entries)");
        }
      }
    }
  }

  LittleEndianReader in_;
};

}  // namespace

TNkDIB ReadBmp(std::span<const std::uint8_t> bytes, std::string_view source_name) {
  return BmpDecoder(bytes, source_name).Decode();
}

TNkDIB ReadBmpFile(const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = ReadPictureFile(
      path,
      [&](std::span<const std::uint8_t> head) { BmpDecoder(head, path.string()).CheckHeaders(); });
  return ReadBmp(bytes, path.string());
}

}  // namespace orbeline

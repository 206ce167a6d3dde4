#include "image/bmp_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <bit>
#include <filesystem>
#include <random>

#include "image/bmp_writer.h"
#include "image_test_util.h"
#include "isolated_env.h"

namespace orbeline {
namespace {

using ::testing::AllOf;
using testing::ErrorMessage;
using ::testing::HasSubstr;

// Assembles BMP files byte by byte, so that tests can make every variant (and break them).
struct BmpLayout {
  std::uint32_t header_size = 40;  // 12 core, 40 info, 52 / 56 / 108 / 124
  std::int32_t width = 0;
  std::int32_t height = 0;  // negative: top-down
  int bit_count = 24;
  std::uint32_t compression = 0;
  std::vector<ColorRef> palette;
  std::uint32_t clr_used = 0;
  std::vector<std::uint32_t> masks;  // in the header (52+) or after a 40-byte one
  std::vector<std::uint8_t> pixels;
};

// Appends v in `bytes` little-endian bytes.
void Put(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes = 4) {
  for (int i = 0; i < bytes; ++i) out.push_back((v >> (8 * i)) & 0xFF);
}

std::vector<std::uint8_t> BuildBmp(const BmpLayout& l) {
  std::vector<std::uint8_t> header;
  Put(header, l.header_size);
  const int side = l.header_size == 12 ? 2 : 4;
  Put(header, l.width, side);
  Put(header, l.height, side);
  Put(header, 1, 2);
  Put(header, l.bit_count, 2);
  if (l.header_size != 12) {
    for (std::uint32_t v : {l.compression, static_cast<std::uint32_t>(l.pixels.size()), 2835u,
                            2835u, l.clr_used, 0u}) {
      Put(header, v);
    }
    for (std::size_t i = 0; l.header_size >= 52 && i < 4; ++i) {
      Put(header, i < l.masks.size() ? l.masks[i] : 0);
    }
    header.resize(l.header_size);  // V4/V5 colour space data
    for (std::size_t i = 0; l.header_size == 40 && i < l.masks.size(); ++i) Put(header, l.masks[i]);
  }
  for (ColorRef c : l.palette) {
    header.insert(header.end(), {BlueOf(c), GreenOf(c), RedOf(c)});
    if (l.header_size != 12) header.push_back(0);
  }
  std::vector<std::uint8_t> file = {'B', 'M'};
  Put(file, static_cast<std::uint32_t>(14 + header.size() + l.pixels.size()));
  Put(file, 0);
  Put(file, static_cast<std::uint32_t>(14 + header.size()));
  file.insert(file.end(), header.begin(), header.end());
  file.insert(file.end(), l.pixels.begin(), l.pixels.end());
  return file;
}

// Pixel rows in file order (row 0 first), each padded to 4 bytes; value(x, file_row) is
// an index (1/4/8 bits) or a little-endian pixel word (16/24/32 bits).
template <typename ValueFn>
std::vector<std::uint8_t> PackRows(int width, int rows, int bit_count, ValueFn value) {
  const int row_bytes = DibRowBytes(width, bit_count);
  std::vector<std::uint8_t> out(static_cast<std::size_t>(row_bytes) * rows, 0);
  for (int r = 0; r < rows; ++r) {
    std::uint8_t* row = out.data() + static_cast<std::size_t>(r) * row_bytes;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = value(x, r);
      if (bit_count == 1) {
        row[x / 8] |= static_cast<std::uint8_t>((v & 1) << (7 - x % 8));
      } else if (bit_count == 4) {
        row[x / 2] |= static_cast<std::uint8_t>((v & 0xF) << (x % 2 ? 0 : 4));
      } else {
        for (int b = 0; b < bit_count / 8; ++b) row[x * bit_count / 8 + b] = (v >> (8 * b)) & 0xFF;
      }
    }
  }
  return out;
}

constexpr ColorRef kBlack = 0x000000;
constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kGreen = 0x00FF00;
constexpr ColorRef kBlue = 0xFF0000;
constexpr ColorRef kWhite = 0xFFFFFF;
constexpr ColorRef kYellow = 0x00FFFF;

// The test picture, 3 x 2, top-down, and the same as indices into kPalette.
constexpr ColorRef kPicture[2][3] = {{kRed, kGreen, kBlue}, {kWhite, kBlack, kYellow}};
constexpr int kIndices[2][3] = {{1, 2, 3}, {4, 0, 5}};
const std::vector<ColorRef> kPalette = {kBlack, kRed, kGreen, kBlue, kWhite, kYellow};

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

// The picture's row for a file row: files are bottom-up unless the height is negative.
int PictureRow(int file_row, bool top_down) { return top_down ? file_row : 1 - file_row; }

// A channel value of 0 or 255 placed under a mask.
std::uint32_t Pack(ColorRef c, const std::vector<std::uint32_t>& masks) {
  const std::uint8_t values[3] = {RedOf(c), GreenOf(c), BlueOf(c)};
  std::uint32_t pixel = 0;
  for (int i = 0; i < 3; ++i) {
    if (values[i] == 255) pixel |= masks[i];
  }
  return pixel;
}

BmpLayout Picture(std::uint32_t header_size, int bit_count, bool top_down) {
  BmpLayout l;
  l.header_size = header_size;
  l.width = 3;
  l.height = top_down ? -2 : 2;
  l.bit_count = bit_count;
  return l;
}

BmpLayout Indexed(std::uint32_t header_size, int bit_count, bool top_down) {
  BmpLayout l = Picture(header_size, bit_count, top_down);
  l.palette = kPalette;
  l.clr_used = header_size == 12 ? 0 : static_cast<std::uint32_t>(kPalette.size());
  if (header_size == 12) l.palette.resize(std::size_t{1} << bit_count, 0);  // core: full table
  l.pixels =
      PackRows(3, 2, bit_count, [&](int x, int r) { return kIndices[PictureRow(r, top_down)][x]; });
  return l;
}

BmpLayout Direct(std::uint32_t header_size, int bit_count, bool top_down, std::uint32_t compression,
                 std::vector<std::uint32_t> masks) {
  BmpLayout l = Picture(header_size, bit_count, top_down);
  l.compression = compression;
  if (compression == kBitFields) l.masks = masks;
  l.pixels = PackRows(3, 2, bit_count, [&](int x, int r) {
    return Pack(kPicture[PictureRow(r, top_down)][x], masks);
  });
  return l;
}

const std::vector<std::uint32_t> k555 = {0x7C00, 0x03E0, 0x001F};
const std::vector<std::uint32_t> k565 = {0xF800, 0x07E0, 0x001F};
const std::vector<std::uint32_t> k888 = {0xFF0000, 0x00FF00, 0x0000FF};
const std::vector<std::uint32_t> kAbgr = {0x000000FF, 0x0000FF00, 0x00FF0000};

// RLE8, bottom row first: literal run "4 0 5", end of row; runs of one 1, 2, 3; end.
const std::vector<std::uint8_t> kRle8Picture = {0, 3, 4, 0, 5, 0, 0, 0,  //
                                                1, 1, 1, 2, 1, 3, 0, 0, 0, 1};
// RLE4: literal "4 0 5" packed in nibbles (two bytes, no padding), end of row; a run of
// two alternating 1 and 2, a run of one 3; end.
const std::vector<std::uint8_t> kRle4Picture = {0, 3,    0x40, 0x50, 0, 0,  //
                                                2, 0x12, 1,    0x30, 0, 1};

BmpLayout Rle(std::uint32_t compression, std::vector<std::uint8_t> data) {
  BmpLayout l = Picture(40, compression == kRle8 ? 8 : 4, false);
  l.compression = compression;
  l.palette = kPalette;
  l.clr_used = static_cast<std::uint32_t>(kPalette.size());
  l.pixels = std::move(data);
  return l;
}

TEST(BmpReaderTest, ReadsEveryVariant) {
  struct Case {
    const char* name;
    BmpLayout layout;
    int want_bits;
  };
  const Case cases[] = {
      {"info 4-bit", Indexed(40, 4, false), 4},
      {"info 8-bit top-down", Indexed(40, 8, true), 8},
      {"core 4-bit", Indexed(12, 4, false), 4},
      {"V5 8-bit top-down", Indexed(124, 8, true), 8},
      {"info 24-bit", Direct(40, 24, false, kRgb, k888), 24},
      {"core 24-bit", Direct(12, 24, false, kRgb, k888), 24},
      {"info 16-bit 5-5-5", Direct(40, 16, false, kRgb, k555), 24},
      {"info 16-bit bit fields 5-6-5", Direct(40, 16, false, kBitFields, k565), 24},
      {"info 32-bit", Direct(40, 32, false, kRgb, k888), 24},
      {"info 32-bit bit fields, red in the low byte", Direct(40, 32, true, kBitFields, kAbgr), 24},
      {"V2 32-bit bit fields", Direct(52, 32, false, kBitFields, kAbgr), 24},
      {"V3 16-bit bit fields", Direct(56, 16, false, kBitFields, k565), 24},
      {"V4 32-bit with masks but BI_RGB",
       [] {
         BmpLayout l = Direct(108, 32, false, kRgb, k888);
         l.masks = kAbgr;  // must be ignored without BI_BITFIELDS
         return l;
       }(),
       24},
      {"V5 16-bit bit fields", Direct(124, 16, true, kBitFields, k565), 24},
      {"RLE8", Rle(kRle8, kRle8Picture), 8},
      {"RLE4", Rle(kRle4, kRle4Picture), 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TNkDIB dib = ReadBmp(BuildBmp(c.layout), c.name);
    ASSERT_EQ(dib.Width(), 3);
    ASSERT_EQ(dib.Height(), 2);
    EXPECT_EQ(dib.GetBitCount(), c.want_bits);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) EXPECT_EQ(dib.GetPixelColor(x, y), kPicture[y][x]) << x << y;
    }
  }
}

TEST(BmpReaderTest, OneBitAndTheDefaultTableSize) {
  BmpLayout l = Picture(40, 1, false);
  l.width = 10;
  l.height = 3;
  l.palette = {kBlue, kYellow};  // clr_used 0: a table of 2^1 entries
  l.pixels = PackRows(10, 3, 1, [](int x, int r) { return (x + r) % 2; });
  const TNkDIB dib = ReadBmp(BuildBmp(l), "one.bmp");
  EXPECT_EQ(dib.GetBitCount(), 1);
  EXPECT_EQ(dib.Palette(), (std::vector<ColorRef>{kBlue, kYellow}));
  EXPECT_EQ(dib.GetPixelColor(9, 2), kYellow);  // file row 0, x 9
  EXPECT_EQ(dib.GetPixelColor(9, 1), kBlue);
}

TEST(BmpReaderTest, ScalesFewBitChannelsToFullRange) {
  // 5-5-5: red 16 -> (16 x 255 + 15) / 31 = 132; green 31 -> 255; blue 1 -> 8.
  // 5-6-5: green 32 -> (32 x 255 + 31) / 63 = 130.
  BmpLayout l = Picture(40, 16, false);
  l.width = 2;
  l.height = 1;
  l.compression = kBitFields;
  l.masks = k565;
  l.pixels = PackRows(2, 1, 16, [](int x, int) { return x == 0 ? (16u << 11) : (32u << 5); });
  const TNkDIB dib565 = ReadBmp(BuildBmp(l), "565.bmp");
  EXPECT_EQ(dib565.GetPixelColor(0, 0), MakeColorRef(132, 0, 0));
  EXPECT_EQ(dib565.GetPixelColor(1, 0), MakeColorRef(0, 130, 0));
  l.compression = kRgb;
  l.masks.clear();
  l.pixels = PackRows(2, 1, 16, [](int, int) { return (16u << 10) | (31u << 5) | 1u; });
  EXPECT_EQ(ReadBmp(BuildBmp(l), "555.bmp").GetPixelColor(1, 0), MakeColorRef(132, 255, 8));
}

TEST(BmpReaderTest, RleDeltaAndUnsetPixels) {
  // 4 x 2: two pixels of 1, a move of 1 right and 1 up (to x 3 of the top row), one 2, end.
  BmpLayout l = Rle(kRle8, {2, 1, 0, 2, 1, 1, 1, 2, 0, 1});
  l.width = 4;
  const TNkDIB dib = ReadBmp(BuildBmp(l), "delta.bmp");
  const DibImage& image = dib.Image();
  EXPECT_EQ((std::vector<int>{image.IndexAt(0, 0), image.IndexAt(1, 0), image.IndexAt(2, 0),
                              image.IndexAt(0, 1), image.IndexAt(3, 1)}),
            (std::vector<int>{1, 1, 0, 0, 2}));
}

TEST(BmpReaderTest, ShortColourTableBeforeThePixels) {
  // clr_used 0 promises 256 entries, but the pixels start after 6: the offset wins.
  BmpLayout l = Indexed(40, 8, false);
  l.clr_used = 0;
  const TNkDIB dib = ReadBmp(BuildBmp(l), "short.bmp");
  EXPECT_EQ(dib.Palette(), kPalette);
  EXPECT_EQ(dib.GetPixelColor(2, 1), kYellow);
}

TEST(BmpReaderTest, MalformedFilesAreRejectedNamingTheFile) {
  const auto valid24 = BuildBmp(Direct(40, 24, false, kRgb, k888));
  const auto v5 = BuildBmp(Direct(124, 24, false, kRgb, k888));
  const auto cut = [](std::vector<std::uint8_t> bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
  };
  // The 24-bit picture with one change, or at another size; the indexed one with a shorter
  // colour table; RLE data.
  const auto direct = [](auto change) {
    BmpLayout l = Direct(40, 24, false, kRgb, k888);
    change(l);
    return BuildBmp(l);
  };
  const auto sized = [&](std::int32_t width, std::int32_t height) {
    return direct([&](BmpLayout& l) { l.width = width, l.height = height; });
  };
  const auto indexed = [](int bits, std::size_t entries) {
    BmpLayout l = Indexed(40, bits, false);
    l.palette.resize(entries);
    l.clr_used = static_cast<std::uint32_t>(entries);
    return BuildBmp(l);
  };
  const auto rle = [](std::uint32_t compression, std::vector<std::uint8_t> data, int height = 2) {
    BmpLayout l = Rle(compression, std::move(data));
    l.height = height;
    return BuildBmp(l);
  };
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    const char* reason;
  };
  // clang-format off
  const Case cases[] = {
      {"empty file", {}, "not a BMP file"},
      {"not a BMP", {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "not a BMP file"},
      {"truncated file header", cut(valid24, 10), "truncated file header"},
      {"truncated V5 header", cut(v5, 100), "truncated info header"},
      {"OS/2 2.x header", direct([](auto& l) { l.header_size = 64; }), "unsupported header size"},
      {"zero width", sized(0, 2), "invalid size 0 x 2"},
      {"side beyond 32768", sized(40000, 2), "picture too large (40000 x 2)"},
      {"pixel budget", sized(20000, -20000), "picture too large (20000 x 20000)"},
      {"most negative height", sized(3, INT32_MIN), "picture too large"},
      {"large and truncated (no allocation first)", sized(16000, 16000), "truncated pixel data"},
      {"truncated pixel data", cut(valid24, valid24.size() - 10), "truncated pixel data"},
      {"bit count 7", direct([](auto& l) { l.bit_count = 7; }), "unsupported bit count 7"},
      {"JPEG inside", direct([](auto& l) { l.compression = 4; }), "unsupported compression 4"},
      {"bit fields on 24 bits", direct([](auto& l) { l.compression = kBitFields, l.masks = k888; }),
       "unsupported bit count 24 for compression 3"},
      {"index past the table", indexed(8, 5), "palette index 5 past the colour table (5 entries)"},
      {"1-bit, one entry", indexed(1, 1), "palette index 1 past the colour table (1 entries)"},
      {"missing colour table", indexed(8, 0), "missing colour table"},
      {"RLE8 run off the row", rle(kRle8, {4, 1, 0, 1}), "RLE data runs off the image"},
      {"RLE4 literal off the row", rle(kRle4, {0, 5, 0x11, 0x11, 0x10, 0, 0, 1}), "runs off"},
      {"RLE delta off the image", rle(kRle8, {0, 2, 0, 3, 1, 1, 0, 1}), "RLE data runs off"},
      {"RLE rows past the top", rle(kRle8, {0, 0, 0, 0, 1, 1, 0, 1}), "RLE data runs off"},
      {"RLE literal cut short", rle(kRle8, {0, 3, 1}), "truncated RLE data"},
      {"RLE top-down", rle(kRle8, kRle8Picture, -2), "(top-down)"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THAT(ErrorMessage([&] { ReadBmp(c.bytes, "/pictures/bad.bmp"); }),
                AllOf(HasSubstr("\"/pictures/bad.bmp\""), HasSubstr(c.reason)));
  }
}

TEST(BmpReaderTest, MissingFileIsNamed) {
  EXPECT_THAT(ErrorMessage([] { ReadBmpFile("/nonexistent/folder/wall.bmp"); }),
              AllOf(HasSubstr("/nonexistent/folder/wall.bmp"), HasSubstr("No such file")));
}

// A picture of random indices (or colours) of the given depth.
DibImage RandomImage(int width, int height, int bit_count, unsigned variant) {
  std::mt19937 random(variant);
  if (bit_count == 24) {
    return testing::MakeDib24(width, height, [&](int, int) { return random() & 0xFFFFFF; });
  }
  std::vector<ColorRef> palette(std::size_t{1} << bit_count);
  for (auto& c : palette) c = random() & 0xFFFFFF;
  palette.resize(palette.size() - (bit_count == 8 ? 56 : 0));  // a table shorter than 256
  const int colors = static_cast<int>(palette.size());
  return testing::MakeIndexed(width, height, bit_count, palette,
                              [&](int, int) { return static_cast<int>(random() % colors); });
}

TEST(BmpRoundTripTest, EveryWrittenFormatReadsBackPixelForPixel) {
  testing::TempDir dir;
  for (int bit_count : {1, 4, 8, 24}) {
    for (int width : {1, 3, 5, 17, 64}) {
      SCOPED_TRACE(std::to_string(bit_count) + " bits, width " + std::to_string(width));
      const DibImage image = RandomImage(width, 7, bit_count, width * 31 + bit_count);
      const auto path = dir.path() / ("round" + std::to_string(bit_count) + ".bmp");
      WriteBmpFile(path, image);
      const TNkDIB back = ReadBmpFile(path);
      ASSERT_EQ(back.GetBitCount(), bit_count);
      EXPECT_EQ(back.Image().colors, image.colors);
      EXPECT_EQ(testing::Colors(back.Image()), testing::Colors(image));
      // The in-memory encoding is the same file.
      EXPECT_EQ(EncodeBmp(image).size(), std::filesystem::file_size(path));
    }
  }
}

TEST(BmpRoundTripTest, WriterLeavesNoFileBehindOnFailure) {
  testing::TempDir dir;
  const auto blocked = dir.path() / "taken";
  std::filesystem::create_directory(blocked);  // renaming a file over a folder fails
  const DibImage image = RandomImage(4, 4, 24, 1);
  EXPECT_THAT(testing::ErrorMessage([&] { WriteBmpFile(blocked, image); }),
              ::testing::HasSubstr("Cannot write the file \"" + blocked.string() + "\""));
  EXPECT_THROW(WriteBmpFile(dir.path() / "missing" / "x.bmp", image), Error);
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 1);  // only the folder itself: no temporary file left
}

TEST(BmpRoundTripTest, RewritingReplacesTheWholeFile) {
  testing::TempDir dir;
  const auto path = dir.path() / "ovalin.bmp";
  WriteBmpFile(path, RandomImage(64, 64, 24, 2));
  const DibImage small = RandomImage(2, 2, 8, 3);
  WriteBmpFile(path, small);
  EXPECT_EQ(std::filesystem::file_size(path), EncodeBmp(small).size());
  EXPECT_EQ(testing::Colors(ReadBmpFile(path).Image()), testing::Colors(small));
}

TEST(BmpRoundTripTest, NewFilesTakeTheUmask) {
  testing::TempDir dir;
  for (mode_t mask : {022, 077}) {
    const mode_t old = ::umask(mask);
    const auto path = dir.path() / ("mode" + std::to_string(mask) + ".bmp");
    WriteBmpFile(path, RandomImage(2, 2, 24, 4));
    ::umask(old);
    EXPECT_EQ(std::filesystem::status(path).permissions(),
              static_cast<std::filesystem::perms>(0666 & ~mask))
        << "umask " << mask;
  }
}

}  // namespace
}  // namespace orbeline

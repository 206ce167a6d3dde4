#include "image/work_bitmap.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "image/bmp_writer.h"
#include "image/halftone.h"
#include "image/image_error.h"
#include "image_test_util.h"
#include "isolated_env.h"

namespace orbeline {
namespace {

using testing::ErrorMessage;
using testing::MakeDib24;
using testing::MakeIndexed;

// A picture whose every pixel is different: (x + 1) * 10 red, (y + 1) * 10 green.
ColorRef Marker(int x, int y) { return MakeColorRef((x + 1) * 10, (y + 1) * 10, 200); }

TEST(WorkBitmapTest, ResetGivesABlackSurfaceInQImageLayout) {
  WorkBitmap bitmap;
  bitmap.Reset(5, 3, WorkBitmapFormat::k24Bit);
  EXPECT_EQ(bitmap.Width(), 5);
  EXPECT_EQ(bitmap.Height(), 3);
  EXPECT_EQ(bitmap.StrideBytes(), 20);
  EXPECT_EQ(bitmap.ClipRect(), (Rect{0, 0, 5, 3}));
  EXPECT_EQ(bitmap.Pixels()[14], 0xFF000000u);
  bitmap.SetPixel(4, 2, MakeColorRef(0x12, 0x34, 0x56));
  EXPECT_EQ(bitmap.Pixels()[14], 0xFF123456u);  // 0xFFRRGGBB, top-down
  EXPECT_EQ(bitmap.GetPixel(4, 2), MakeColorRef(0x12, 0x34, 0x56));
  // Outside the surface: ignored, and read as invalid.
  bitmap.SetPixel(5, 0, 0xFFFFFF);
  bitmap.SetPixel(-1, 0, 0xFFFFFF);
  EXPECT_EQ(bitmap.GetPixel(5, 0), kInvalidColor);
  EXPECT_EQ(bitmap.GetPixel(0, -1), kInvalidColor);

  EXPECT_THROW(bitmap.Reset(0, 3, WorkBitmapFormat::k24Bit), ImageError);
  bitmap.Reset(2, 2, WorkBitmapFormat::k8Bit);
  EXPECT_EQ(bitmap.Palette(), ColorHalftonePalette());  // the default 8-bit palette
}

// Every pixel of the surface against what `expected` says it holds.
void ExpectSurface(const WorkBitmap& bitmap, const std::function<ColorRef(int, int)>& expected) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      ASSERT_EQ(bitmap.GetPixel(x, y), expected(x, y)) << x << "," << y;
    }
  }
}

TEST(WorkBitmapTest, UnscaledDrawingIsClippedAtEveryEdge) {
  const TNkDIB dib(MakeDib24(4, 3, Marker));
  for (const auto& [x0, y0] :
       {std::pair{3, 4}, std::pair{-3, -2}, std::pair{7, 8}, std::pair{10, 0}, std::pair{-1, -1}}) {
    SCOPED_TRACE(std::to_string(x0) + "," + std::to_string(y0));
    WorkBitmap bitmap;
    bitmap.Reset(x0 == -1 ? 2 : 10, x0 == -1 ? 2 : 10, WorkBitmapFormat::k24Bit);
    bitmap.DrawDib(dib, x0, y0);
    ExpectSurface(bitmap, [&](int x, int y) {
      const int sx = x - x0, sy = y - y0;
      return sx >= 0 && sx < 4 && sy >= 0 && sy < 3 ? Marker(sx, sy) : 0u;
    });
  }
}

TEST(WorkBitmapTest, StretchPicksThePixelUnderEachCentre) {
  const TNkDIB dib(MakeDib24(2, 2, Marker));
  WorkBitmap bitmap;
  bitmap.Reset(6, 6, WorkBitmapFormat::k24Bit);
  bitmap.StretchDrawDib(dib, Rect{1, 1, 5, 5});  // 2 x 2 -> 4 x 4: blocks of 2
  ExpectSurface(bitmap, [](int x, int y) {
    return x >= 1 && x < 5 && y >= 1 && y < 5 ? Marker((x - 1) / 2, (y - 1) / 2) : 0u;
  });

  // 5 x 3 -> 2 x 2: columns (2i + 1) x 5 / 4 = 1, 3; rows (2i + 1) x 3 / 4 = 0, 2.
  const TNkDIB wide(MakeDib24(5, 3, Marker));
  bitmap.StretchDrawDib(wide, Rect{0, 0, 2, 2});
  EXPECT_EQ(bitmap.GetPixel(0, 0), Marker(1, 0));
  EXPECT_EQ(bitmap.GetPixel(1, 0), Marker(3, 0));
  EXPECT_EQ(bitmap.GetPixel(0, 1), Marker(1, 2));
  EXPECT_EQ(bitmap.GetPixel(1, 1), Marker(3, 2));

  // Empty and inverted targets draw nothing.
  const std::vector<std::uint32_t> before(bitmap.Pixels(), bitmap.Pixels() + 36);
  bitmap.StretchDrawDib(wide, Rect{3, 3, 3, 6});
  bitmap.StretchDrawDib(wide, Rect{5, 5, 1, 1});
  EXPECT_TRUE(std::equal(before.begin(), before.end(), bitmap.Pixels()));

  // 2 x 2 stretched to 8 x 8 at (-3, -3) on a 4 x 4 surface: surface pixel (x, y) lies at
  // (x + 3, y + 3) of the target, whose 4 x 4 blocks are the source pixels.
  bitmap.Reset(4, 4, WorkBitmapFormat::k24Bit);
  bitmap.StretchDrawDib(dib, Rect{-3, -3, 5, 5});
  ExpectSurface(bitmap, [](int x, int y) { return Marker((x + 3) / 4, (y + 3) / 4); });
}

TEST(WorkBitmapTest, HalftoneDrawingOptionsGoThroughTheHalftone) {
  const DibImage source = MakeDib24(3, 2, testing::PhotoLike);
  const DibImage halftone = ConvertToHalfTone(source);
  TNkDIB dib(source);
  dib.SetDrawOption(NkDrawOption::kColorHalftone);
  WorkBitmap bitmap;
  bitmap.Reset(5, 4, WorkBitmapFormat::k24Bit);
  bitmap.DrawDib(dib, 1, 1);
  ExpectSurface(bitmap, [&](int x, int y) {
    return x >= 1 && x < 4 && y >= 1 && y < 3 ? halftone.ColorAt(x - 1, 2 - y) : 0u;
  });

  dib.SetDrawOption(NkDrawOption::kBWHalftone);
  bitmap.StretchDrawDib(dib, Rect{0, 0, 5, 4});
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) {
      const ColorRef c = bitmap.GetPixel(x, y);
      EXPECT_TRUE(c == 0 || c == 0xFFFFFF) << x << "," << y;
    }
  }
}

TEST(WorkBitmapTest, CopyRectHandlesOverlapAndEdges) {
  WorkBitmap bitmap;
  bitmap.Reset(6, 4, WorkBitmapFormat::k24Bit);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) bitmap.SetPixel(x, y, Marker(x, y));
  }
  // Overlapping move one right and one down.
  bitmap.CopyRect(Rect{0, 0, 3, 3}, Rect{1, 1, 4, 4});
  EXPECT_EQ(bitmap.GetPixel(1, 1), Marker(0, 0));
  EXPECT_EQ(bitmap.GetPixel(3, 3), Marker(2, 2));
  EXPECT_EQ(bitmap.GetPixel(0, 0), Marker(0, 0));
  // Overlapping move up and left.
  bitmap.CopyRect(Rect{1, 1, 4, 4}, Rect{0, 0, 3, 3});
  EXPECT_EQ(bitmap.GetPixel(0, 0), Marker(0, 0));
  EXPECT_EQ(bitmap.GetPixel(2, 2), Marker(2, 2));
  // A destination running past the right edge is cut (the 8-pixel pattern repeat does this).
  bitmap.CopyRect(Rect{0, 0, 2, 2}, Rect{5, 0, 7, 2});
  EXPECT_EQ(bitmap.GetPixel(5, 0), Marker(0, 0));
  EXPECT_EQ(bitmap.GetPixel(5, 1), Marker(0, 1));
  // A source partly outside copies only what exists.
  bitmap.CopyRect(Rect{-1, -1, 1, 1}, Rect{2, 2, 4, 4});
  EXPECT_EQ(bitmap.GetPixel(2, 2), Marker(2, 2));  // from (-1, -1): untouched
  EXPECT_EQ(bitmap.GetPixel(3, 3), Marker(0, 0));
}

TEST(WorkBitmapTest, EightBitCopyKeepsEightBitsAndThePalette) {
  const std::vector<ColorRef> palette = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0x808080};
  WorkBitmap bitmap;
  bitmap.Reset(3, 2, WorkBitmapFormat::k8Bit, palette);
  bitmap.SetPixel(0, 0, 0x0000F0);                     // nearest: red
  bitmap.SetPixel(1, 0, MakeColorRef(120, 130, 140));  // nearest: grey
  bitmap.SetPixel(2, 0, MakeColorRef(0, 0, 255));      // exact: blue
  const TNkDIB dib = bitmap.ToDib();
  EXPECT_EQ(dib.GetBitCount(), 8);
  EXPECT_EQ(dib.PixelFormat(), NkPixelFormat::k8Bit);
  EXPECT_EQ(dib.Palette(), palette);
  EXPECT_EQ(dib.Image().IndexAt(0, 1), 1);
  EXPECT_EQ(dib.Image().IndexAt(1, 1), 4);
  EXPECT_EQ(dib.Image().IndexAt(2, 1), 3);
  EXPECT_EQ(dib.Image().IndexAt(2, 0), 0);

  bitmap.Reset(3, 2, WorkBitmapFormat::k24Bit);
  EXPECT_EQ(bitmap.ToDib().GetBitCount(), 24);
}

TEST(WorkBitmapTest, NearestColourTieGoesToTheFirstEntry) {
  WorkBitmap bitmap;
  bitmap.Reset(1, 1, WorkBitmapFormat::k8Bit, {MakeColorRef(10, 0, 0), MakeColorRef(30, 0, 0)});
  bitmap.SetPixel(0, 0, MakeColorRef(20, 0, 0));
  EXPECT_EQ(bitmap.ToDib().Image().IndexAt(0, 0), 0);
}

TEST(WorkBitmapTest, TakesOverDecodedPictures) {
  WorkBitmap bitmap;
  const std::vector<ColorRef> palette = {0x111111, 0x222222, 0x333333};
  bitmap.AssignFromDib(TNkDIB(MakeIndexed(4, 2, 4, palette, [](int x, int) { return x % 3; })));
  EXPECT_EQ(bitmap.Format(), WorkBitmapFormat::k8Bit);
  EXPECT_EQ(bitmap.Palette(), palette);
  EXPECT_EQ(bitmap.GetPixel(3, 1), palette[0]);
  EXPECT_EQ(bitmap.GetPixel(2, 0), palette[2]);

  bitmap.AssignFromDib(TNkDIB(MakeDib24(3, 5, Marker)));
  EXPECT_EQ(bitmap.Format(), WorkBitmapFormat::k24Bit);
  EXPECT_EQ(bitmap.Width(), 3);
  EXPECT_EQ(bitmap.Height(), 5);
  EXPECT_EQ(bitmap.GetPixel(2, 4), Marker(2, 4));
  EXPECT_THROW(bitmap.AssignFromDib(TNkDIB()), ImageError);
}

// Saving streams the rows of ToDib's image into the file: the same bytes as the BMP writer
// makes of that image, padding included, also when the file takes several pieces; a 24-bit
// file reads back as the bitmap's pixels.
TEST(WorkBitmapTest, SavedFileHoldsTheBitmapAsTheWriterEncodesIt) {
  testing::TempDir dir;
  for (const WorkBitmapFormat format : {WorkBitmapFormat::k24Bit, WorkBitmapFormat::k8Bit}) {
    WorkBitmap bitmap;
    bitmap.Reset(701, 600, format);  // odd rows, over 1 MiB
    for (int y = 0; y < 600; ++y) {
      for (int x = 0; x < 701; x += 3) bitmap.SetPixel(x, y, MakeColorRef(x % 256, y % 256, 99));
    }
    const auto path = dir.path() / "ovalin.bmp";
    bitmap.SaveBmp(path);
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    EXPECT_TRUE(bytes == EncodeBmp(bitmap.ToDib().Image())) << static_cast<int>(format);
    if (format != WorkBitmapFormat::k24Bit) continue;
    WorkBitmap read;
    read.LoadBmp(path);
    int differing = 0;
    for (int y = 0; y < 600; y += 97) {
      for (int x = 0; x < 701; ++x) differing += read.GetPixel(x, y) != bitmap.GetPixel(x, y);
    }
    EXPECT_EQ(differing, 0);
  }
}

TEST(WorkBitmapTest, FailedSaveNamesTheFileAndLeavesNothing) {
  testing::TempDir dir;
  WorkBitmap bitmap;
  bitmap.Reset(2, 2, WorkBitmapFormat::k24Bit);
  const auto path = dir.path() / "no-such-folder" / "ovalin.bmp";
  EXPECT_THAT(ErrorMessage([&] { bitmap.SaveBmp(path); }),
              ::testing::HasSubstr("\"" + path.string() + "\""));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  EXPECT_THAT(ErrorMessage([&] { WorkBitmap().SaveBmp(dir.path() / "empty.bmp"); }),
              ::testing::HasSubstr("empty.bmp"));
}

}  // namespace
}  // namespace orbeline

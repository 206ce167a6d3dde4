#include "image/nk_dib.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>

#include "image/halftone.h"
#include "image/image_error.h"
#include "image_test_util.h"

namespace orbeline {
namespace {

using testing::ErrorMessage;
using ::testing::HasSubstr;
using testing::MakeDib24;
using testing::MakeIndexed;

std::pair<int, int> Size(const TNkDIB& dib) { return {dib.Width(), dib.Height()}; }

TEST(NkDibTest, EmptyImageRefusesPixelOperationsNamingThem) {
  TNkDIB dib;
  EXPECT_TRUE(dib.Empty());
  EXPECT_EQ(ErrorMessage([&] { dib.GetBitCount(); }),
            "TNkDIB.GetBitCount: InternalDIB Should not be Nil");
  EXPECT_EQ(ErrorMessage([&] { dib.SetPixelFormat(NkPixelFormat::k8Bit); }),
            "TNkDIB.SetPixelFormat: InternalDIB Should not be Nil");
  EXPECT_THROW(dib.Palette(), ImageError);
}

TEST(NkDibTest, NewSizesBelowOneAreRefusedOthersKeepDepthPaletteAndFormat) {
  TNkDIB dib(MakeDib24(3, 2, [](int, int) { return 0x123456; }));
  EXPECT_THAT(ErrorMessage([&] { dib.SetWidth(0); }),
              HasSubstr("TNkDIB.SetWidth: Invalid Parameter"));
  EXPECT_THAT(ErrorMessage([&] { dib.SetHeight(-5); }),
              HasSubstr("TNkDIB.SetHeight: Invalid Parameter"));
  EXPECT_EQ(Size(dib), std::pair(3, 2));

  const std::vector<ColorRef> palette = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF};
  TNkDIB indexed(MakeIndexed(4, 4, 8, palette, [](int, int) { return 1; }));
  indexed.SetConvertColor(0xFF0101);  // nearest entry: 2
  indexed.SetWidth(7);
  EXPECT_EQ(Size(indexed), std::pair(7, 4));
  EXPECT_EQ(indexed.PixelFormat(), NkPixelFormat::k8Bit);
  EXPECT_EQ(indexed.Palette(), palette);
  EXPECT_EQ(indexed.Image().IndexAt(6, 3), 2);
}

TEST(NkDibTest, BlankPictureTakesTheConversionColour) {
  // What the wallpaper code does for a source it cannot load.
  TNkDIB dib;
  dib.SetConvertColor(0);
  dib.SetWidth(16);
  dib.SetHeight(16);
  ASSERT_EQ(Size(dib), std::pair(16, 16));
  EXPECT_EQ(dib.GetBitCount(), 24);
  EXPECT_EQ(dib.GetPixelColor(15, 15), 0u);

  TNkDIB white;  // default conversion colour
  white.SetHeight(2);
  EXPECT_EQ(white.Width(), 1);
  EXPECT_EQ(white.GetPixelColor(0, 1), 0xFFFFFFu);
}

TEST(NkDibTest, CopyOnWriteLeavesTheOriginalAlone) {
  TNkDIB original(MakeDib24(2, 2, [](int, int) { return 0x010203; }));
  TNkDIB copy = original;
  EXPECT_TRUE(copy.SharesImageWith(original));
  copy.SetPixelFormat(NkPixelFormat::k24Bit);  // the same format is no conversion
  EXPECT_TRUE(copy.SharesImageWith(original));

  copy.MutableImage().Row(0)[0] = 0xAA;
  EXPECT_EQ(original.Image().Row(0)[0], 0x01);  // blue of 0x010203
  // A conversion of the copy leaves the original too.
  copy.SetPixelFormat(NkPixelFormat::kColorHalftone);
  EXPECT_EQ(original.PixelFormat(), NkPixelFormat::k24Bit);

  // An unshared image is changed in place.
  TNkDIB alone(MakeDib24(1, 1, [](int, int) { return 0; }));
  const DibImage* before = &alone.Image();
  alone.MutableImage();
  EXPECT_EQ(&alone.Image(), before);
}

TEST(NkDibTest, IndexedToTrueColourUsesThePalette) {
  const std::vector<ColorRef> palette = {0x0000FF, 0x00FF00, 0xFF0000};
  for (const int bits : {1, 4, 8}) {
    SCOPED_TRACE(bits);
    const auto index = [&](int x, int y) { return (x + y) % (bits == 1 ? 2 : 3); };
    TNkDIB dib(MakeIndexed(5, 3, bits, {palette.begin(), palette.end() - (bits == 1)}, index));
    dib.SetPixelFormat(NkPixelFormat::k24Bit);
    ASSERT_EQ(dib.GetBitCount(), 24);
    EXPECT_TRUE(dib.Palette().empty());
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x) EXPECT_EQ(dib.GetPixelColor(x, y), palette[index(x, y)]);
    }
  }
}

TEST(NkDibTest, FourBitToEightBitKeepsIndicesAndPalette) {
  std::vector<ColorRef> palette(16);
  for (int i = 0; i < 16; ++i) palette[i] = MakeColorRef(i * 16, 0, 0);
  TNkDIB dib(MakeIndexed(5, 2, 4, palette, [](int x, int y) { return x * 3 + y; }));
  dib.SetPixelFormat(NkPixelFormat::k8Bit);
  ASSERT_EQ(dib.GetBitCount(), 8);
  EXPECT_EQ(dib.Palette(), palette);
  EXPECT_EQ(dib.Image().IndexAt(4, 0), 13);  // storage row 0 is the bottom row, y = 1
}

TEST(NkDibTest, TrueColourToEightBitFollowsTheConversionMode) {
  const auto color = [](int x, int y) { return MakeColorRef(x * 60, y * 120, 7); };
  TNkDIB high(MakeDib24(4, 2, color));
  high.SetConvertMode(NkConvertMode::kHigh);
  high.SetPixelFormat(NkPixelFormat::k8Bit);
  EXPECT_EQ(high.GetBitCount(), 8);
  EXPECT_EQ(high.Palette().size(), 8u);  // one entry per distinct colour
  EXPECT_EQ(high.GetPixelColor(3, 1), color(3, 1));

  TNkDIB low(MakeDib24(4, 2, color));
  low.SetPixelFormat(NkPixelFormat::k8Bit);
  EXPECT_EQ(low.Palette(), ColorHalftonePalette());
  // Red 180 -> level 4 (204), green 120 -> level 3 (128), blue 7 -> level 0.
  EXPECT_EQ(low.GetPixelColor(3, 1), MakeColorRef(204, 128, 0));
}

TEST(NkDibTest, HalftoneFormatsAreEightBitWithFixedPalettes) {
  TNkDIB dib(MakeDib24(3, 3, [](int, int) { return MakeColorRef(255, 0, 0); }));
  dib.SetPixelFormat(NkPixelFormat::kColorHalftone);
  EXPECT_EQ(dib.PixelFormat(), NkPixelFormat::kColorHalftone);
  EXPECT_EQ(dib.GetBitCount(), 8);
  EXPECT_EQ(dib.Image().IndexAt(0, 0), HalftoneIndex(5, 0, 0));
  // Back to plain 8-bit: the same data, now called 8Bit.
  dib.SetPixelFormat(NkPixelFormat::k8Bit);
  EXPECT_EQ(dib.PixelFormat(), NkPixelFormat::k8Bit);
  EXPECT_EQ(dib.Palette().size(), 226u);

  dib.SetPixelFormat(NkPixelFormat::kBWHalftone);
  EXPECT_EQ(dib.Palette(), (std::vector<ColorRef>{0x000000, 0xFFFFFF}));
}

TEST(NkDibTest, UnsupportedConversionsAndMalformedImagesAreRefused) {
  TNkDIB dib(MakeDib24(2, 2, [](int, int) { return 0; }));
  EXPECT_EQ(ErrorMessage([&] { dib.SetPixelFormat(NkPixelFormat::k8BitRLE); }),
            "TNkDIB.SetPixelFormat: Conversion to 8BitRLE is not supported");
  EXPECT_EQ(dib.PixelFormat(), NkPixelFormat::k24Bit);

  DibImage image = DibImage::Create(4, 4, 8, {0});
  image.bits.resize(3);
  EXPECT_THAT(ErrorMessage([&] { TNkDIB{image}; }), HasSubstr("TNkDIB.Create: Malformed image"));
  DibImage odd = DibImage::Create(4, 4, 24, {});
  odd.header.bit_count = 16;
  EXPECT_THAT(ErrorMessage([&] { TNkDIB{odd}; }), HasSubstr("Invalid bit count 16"));
  EXPECT_THROW(DibImage::Create(4, 4, 4, std::vector<ColorRef>(17)), ImageError);
}

}  // namespace
}  // namespace orbeline

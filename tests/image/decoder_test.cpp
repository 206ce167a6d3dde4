#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <png.h>
#include <webp/encode.h>
#include <zlib.h>

#include <cstdlib>
#include <fstream>

#include "image/bmp_writer.h"
#include "image/image_decoder.h"
#include "image/jpeg_decoder.h"
#include "image/png_decoder.h"
#include "image/webp_decoder.h"
#include "image_test_util.h"
#include "isolated_env.h"
#include "test_jpeg.h"

namespace orbeline {
namespace {

using ::testing::AllOf;
using testing::ErrorMessage;
using ::testing::HasSubstr;
using testing::TestJpegKind;

constexpr int kWidth = 24;
constexpr int kHeight = 16;

// Four flat quarters (red, green, blue, white): easy on lossy codecs away from the edges.
ColorRef Quarter(int x, int y) {
  const ColorRef colors[4] = {MakeColorRef(220, 30, 30), MakeColorRef(30, 200, 40),
                              MakeColorRef(20, 40, 210), MakeColorRef(250, 250, 250)};
  return colors[(x >= kWidth / 2 ? 1 : 0) + (y >= kHeight / 2 ? 2 : 0)];
}

// Interleaved top-down samples of the test picture.
std::vector<std::uint8_t> Samples(int channels, bool bgr = false) {
  std::vector<std::uint8_t> out;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const ColorRef c = Quarter(x, y);
      const std::uint8_t rgb[3] = {RedOf(c), GreenOf(c), BlueOf(c)};
      for (int i = 0; i < 3; ++i) out.push_back(rgb[bgr ? 2 - i : i]);
      if (channels == 4) out.push_back(x < kWidth / 2 ? 255 : 0);  // right half transparent
    }
  }
  return out;
}

// Checks the centre of each quarter within `tolerance` per channel.
void ExpectQuarters(const TNkDIB& dib, int tolerance) {
  ASSERT_EQ(dib.Width(), kWidth);
  ASSERT_EQ(dib.Height(), kHeight);
  ASSERT_EQ(dib.GetBitCount(), 24);
  for (int y : {kHeight / 4, 3 * kHeight / 4}) {
    for (int x : {kWidth / 4, 3 * kWidth / 4}) {
      const ColorRef got = dib.GetPixelColor(x, y);
      const ColorRef want = Quarter(x, y);
      EXPECT_NEAR(RedOf(got), RedOf(want), tolerance) << x << "," << y;
      EXPECT_NEAR(GreenOf(got), GreenOf(want), tolerance) << x << "," << y;
      EXPECT_NEAR(BlueOf(got), BlueOf(want), tolerance) << x << "," << y;
    }
  }
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> EncodeJpeg(TestJpegKind kind = TestJpegKind::kColour) {
  return testing::EncodeTestJpeg(kWidth, kHeight, kind, Quarter);
}

TEST(JpegDecoderTest, DecodesColourGreyAndCmyk) {
  ExpectQuarters(DecodeJpeg(EncodeJpeg(), "rgb.jpg"), 6);

  const TNkDIB g = DecodeJpeg(testing::EncodeTestJpeg(kWidth, kHeight, TestJpegKind::kGrey,
                                                      [](int x, int) {
                                                        const int v = x * 10;
                                                        return MakeColorRef(v, v, v);
                                                      }),
                              "grey.jpg");
  const ColorRef c = g.GetPixelColor(12, 8);
  EXPECT_EQ(RedOf(c), GreenOf(c));
  EXPECT_EQ(GreenOf(c), BlueOf(c));
  EXPECT_NEAR(RedOf(c), 120, 6);

  // CMYK as Adobe writes it (inverted): colour = value x K / 255.
  ExpectQuarters(DecodeJpeg(EncodeJpeg(TestJpegKind::kCmyk), "cmyk.jpg"), 8);
}

// A part decoded at any scale holds exactly the pixels the whole picture has there: the
// rows skipped above it, the columns cut off beside it and its edges change nothing.
TEST(JpegDecoderTest, PartsDecodeAsTheWholePicture) {
  constexpr int kW = 403;
  constexpr int kH = 245;
  auto cut_short = testing::EncodeTestJpeg(kW, kH, TestJpegKind::kProgressive, testing::PhotoLike);
  cut_short.resize(cut_short.size() * 2 / 5);  // the later scans are missing
  const std::pair<const char*, std::vector<std::uint8_t>> pictures[] = {
      {"colour", testing::EncodeTestJpeg(kW, kH, TestJpegKind::kColour, testing::PhotoLike)},
      {"progressive cut short", cut_short},
      {"grey", testing::EncodeTestJpeg(kW, kH, TestJpegKind::kGrey, testing::PhotoLike)},
      {"cmyk", testing::EncodeTestJpeg(kW, kH, TestJpegKind::kCmyk, testing::PhotoLike)},
  };
  for (const auto& [name, bytes] : pictures) {
    for (const int eighths : {8, 3}) {
      SCOPED_TRACE(std::string(name) + " at " + std::to_string(eighths) + "/8");
      const PixelSize scaled{(kW * eighths + 7) / 8, (kH * eighths + 7) / 8};
      JpegDecoder whole_decoder(bytes, "whole.jpg");
      whole_decoder.ScaleToAtLeast(scaled);
      const TNkDIB whole = DecodeJpeg(whole_decoder);
      ASSERT_EQ(whole.Width(), scaled.width);
      ASSERT_EQ(whole.Height(), scaled.height);
      const int w = scaled.width;
      const int h = scaled.height;
      for (const Rect& part : {Rect{0, 0, w, h}, Rect{0, h / 3, w, h / 3 + 7},
                               Rect{w / 3, h / 4, w / 3 + w / 5, h / 2}, Rect{0, h / 2, w / 2, h},
                               Rect{w - 37, 5, w, h - 3}}) {
        SCOPED_TRACE(std::to_string(part.left) + "," + std::to_string(part.top));
        JpegDecoder decoder(bytes, "part.jpg");
        decoder.ScaleToAtLeast(scaled);
        decoder.Start(part, JpegRowFormat::kRgb32);
        std::vector<std::uint32_t> row(static_cast<std::size_t>(part.Width()));
        int differing = 0;
        for (int y = part.top; y < part.bottom; ++y) {
          decoder.ReadRow(row.data());
          for (int x = part.left; x < part.right; ++x) {
            differing += row[x - part.left] != ColorToRgb32(whole.GetPixelColor(x, y));
          }
        }
        EXPECT_EQ(differing, 0);
      }
    }
  }
}

TEST(JpegDecoderTest, SizeHintPicksTheSmallestScaleStillLargeEnough) {
  const auto jpeg = EncodeJpeg();
  const struct {
    PixelSize needed;
    int width, height;
  } rows[] = {
      {{24, 16}, 24, 16}, {{22, 8}, 24, 16}, {{13, 8}, 15, 10}, {{12, 8}, 12, 8},
      {{7, 4}, 9, 6},     {{6, 4}, 6, 4},    {{3, 1}, 3, 2},
  };
  for (const auto& row : rows) {
    PixelSize asked_for;
    const TNkDIB dib = DecodeJpeg(jpeg, "a.jpg", [&](int width, int height) {
      asked_for = {width, height};
      return row.needed;
    });
    EXPECT_EQ(asked_for.width, kWidth);
    EXPECT_EQ(asked_for.height, kHeight);
    EXPECT_EQ(dib.Width(), row.width) << row.needed.width << "x" << row.needed.height;
    EXPECT_EQ(dib.Height(), row.height) << row.needed.width << "x" << row.needed.height;
    // Still the picture: red at the top left.
    EXPECT_GT(RedOf(dib.GetPixelColor(0, 0)), 150);
    EXPECT_LT(BlueOf(dib.GetPixelColor(0, 0)), 100);
  }
}

TEST(JpegDecoderTest, BrokenFilesRaiseNamingTheFile) {
  const auto good = EncodeJpeg();
  const std::vector<std::uint8_t> garbage = {'G', 'I', 'F', '8', '9', 'a', 0, 0};
  const std::vector<std::uint8_t> header_only(good.begin(), good.begin() + 20);
  for (const auto* bytes : {&garbage, &header_only}) {
    EXPECT_THAT(ErrorMessage([&] { DecodeJpeg(*bytes, "/w/broken.jpg"); }),
                HasSubstr("Cannot read the JPEG file \"/w/broken.jpg\": "));
  }
  EXPECT_THAT(ErrorMessage([] { DecodeJpeg({}, "/w/empty.jpg"); }), HasSubstr("empty file"));
  // A picture cut short after its header is used as far as it goes, as viewers do.
  std::size_t sos = 0;  // start of the scan: the headers end there
  while (sos + 1 < good.size() && !(good[sos] == 0xFF && good[sos + 1] == 0xDA)) ++sos;
  ASSERT_LT(sos + 1, good.size());
  const std::vector<std::uint8_t> cut(good.begin(), good.begin() + (sos + good.size()) / 2);
  EXPECT_EQ(DecodeJpeg(cut, "cut.jpg").Width(), kWidth);
}

std::vector<std::uint8_t> EncodePng(png_uint_32 format, const std::vector<std::uint8_t>& samples) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = kWidth;
  image.height = kHeight;
  image.format = format;
  png_alloc_size_t size = 0;
  EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, samples.data(), 0, nullptr));
  std::vector<std::uint8_t> out(size);
  EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, samples.data(), 0, nullptr));
  out.resize(size);
  return out;
}

TEST(PngDecoderTest, DecodesExactlyAndComposesTransparencyOntoBlack) {
  ExpectQuarters(DecodePng(EncodePng(PNG_FORMAT_RGB, Samples(3)), "rgb.png"), 0);
  const TNkDIB rgba = DecodePng(EncodePng(PNG_FORMAT_RGBA, Samples(4)), "rgba.png");
  EXPECT_EQ(rgba.GetPixelColor(2, 2), Quarter(2, 2));  // opaque
  EXPECT_EQ(rgba.GetPixelColor(20, 2), 0u);            // transparent
}

TEST(PngDecoderTest, BrokenFilesRaiseNamingTheFile) {
  auto bytes = EncodePng(PNG_FORMAT_RGB, Samples(3));
  bytes.resize(bytes.size() / 2);
  EXPECT_THAT(ErrorMessage([&] { DecodePng(bytes, "/w/half.png"); }),
              HasSubstr("Cannot read the PNG file \"/w/half.png\": "));
  EXPECT_THAT(ErrorMessage([] {
                DecodePng(std::vector<std::uint8_t>{1, 2, 3}, "/w/x.png");
              }),
              HasSubstr("\"/w/x.png\""));
}

std::vector<std::uint8_t> EncodeWebp(bool lossless) {
  const auto samples = Samples(3, true);
  std::uint8_t* out = nullptr;
  const std::size_t size =
      lossless ? WebPEncodeLosslessBGR(samples.data(), kWidth, kHeight, kWidth * 3, &out)
               : WebPEncodeBGR(samples.data(), kWidth, kHeight, kWidth * 3, 95, &out);
  std::vector<std::uint8_t> bytes(out, out + size);
  WebPFree(out);
  EXPECT_GT(size, 0u);
  return bytes;
}

TEST(WebpDecoderTest, DecodesLosslessExactlyAndLossyClosely) {
  const auto lossless = EncodeWebp(true);
  ExpectQuarters(DecodeWebp(lossless, "lossless.webp"), 0);
  ExpectQuarters(DecodeWebp(EncodeWebp(false), "lossy.webp"), 12);

  std::vector<std::uint8_t> cut(lossless.begin(), lossless.begin() + lossless.size() / 2);
  EXPECT_THAT(ErrorMessage([&] { DecodeWebp(cut, "/w/cut.webp"); }),
              HasSubstr("Cannot read the WebP file \"/w/cut.webp\": "));
  EXPECT_THAT(ErrorMessage([] { DecodeWebp(std::vector<std::uint8_t>(30, 0), "/w/zero.webp"); }),
              HasSubstr("\"/w/zero.webp\""));
}

TEST(DecodeImageFileTest, ChoosesTheDecoderByExtension) {
  testing::TempDir dir;
  const auto jpeg = EncodeJpeg();
  const auto png = EncodePng(PNG_FORMAT_RGB, Samples(3));
  WriteFile(dir.path() / "a.JPG", jpeg);
  WriteFile(dir.path() / "b.jpeg", jpeg);
  WriteFile(dir.path() / "c.Png", png);
  WriteFile(dir.path() / "d.bmp",
            EncodeBmp(testing::MakeIndexed(3, 3, 8, {0x0000FF}, [](int, int) { return 0; })));
  WriteFile(dir.path() / "e.WEBP", EncodeWebp(true));
  ExpectQuarters(DecodeImageFile(dir.path() / "a.JPG"), 6);
  ExpectQuarters(DecodeImageFile(dir.path() / "b.jpeg"), 6);
  ExpectQuarters(DecodeImageFile(dir.path() / "c.Png"), 0);
  ExpectQuarters(DecodeImageFile(dir.path() / "e.WEBP"), 0);
  const TNkDIB bmp = DecodeImageFile(dir.path() / "d.bmp");
  EXPECT_EQ(bmp.GetBitCount(), 8);  // a BMP keeps its depth

  // A PNG named .jpg is decoded as what its name says, and fails naming the file.
  WriteFile(dir.path() / "lie.jpg", png);
  EXPECT_THAT(ErrorMessage([&] { DecodeImageFile(dir.path() / "lie.jpg"); }), HasSubstr("lie.jpg"));
  EXPECT_THAT(ErrorMessage([&] { DecodeImageFile(dir.path() / "x.gif"); }),
              AllOf(HasSubstr("x.gif"), HasSubstr("unsupported file type \".gif\"")));
  EXPECT_THAT(ErrorMessage([&] { DecodeImageFile(dir.path() / "missing.png"); }),
              AllOf(HasSubstr("missing.png"), HasSubstr("No such file")));
}

// Bytes this process has read from files so far.
std::uint64_t BytesRead() {
  std::ifstream io("/proc/self/io");
  std::string key;
  std::uint64_t value = 0;
  while (io >> key >> value) {
    if (key == "rchar:") return value;
  }
  return 0;
}

void PutBigEndian32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

TEST(DecodeImageFileTest, RefusesAHugePictureAfterReadingItsHeaderOnly) {
  testing::TempDir dir;
  constexpr std::uint32_t kHuge = 40000;  // beyond the largest side we accept
  auto bmp = EncodeBmp(testing::MakeDib24(2, 2, [](int, int) { return 0; }));
  bmp[18] = bmp[22] = kHuge & 0xFF;  // biWidth, biHeight (little-endian)
  bmp[19] = bmp[23] = kHuge >> 8;
  auto jpeg = EncodeJpeg();
  for (std::size_t i = 0; i + 8 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {  // SOF0: height, then width, big-endian
      jpeg[i + 5] = jpeg[i + 7] = kHuge >> 8;
      jpeg[i + 6] = jpeg[i + 8] = kHuge & 0xFF;
      break;
    }
  }
  auto png = EncodePng(PNG_FORMAT_RGB, Samples(3));
  PutBigEndian32(png, 16, kHuge);  // IHDR width and height, then its CRC
  PutBigEndian32(png, 20, kHuge);
  PutBigEndian32(png, 29, static_cast<std::uint32_t>(crc32(0, png.data() + 12, 17)));
  // An extended WebP header: an animation on a canvas of kHuge x kHuge.
  std::vector<std::uint8_t> webp = {'R', 'I', 'F', 'F', 30, 0, 0, 0, 'W', 'E', 'B', 'P',
                                    'V', 'P', '8', 'X', 10, 0, 0, 0, 2,   0,   0,   0};
  for (int i = 0; i < 2; ++i) webp.insert(webp.end(), {0x3F, 0x9C, 0x00});  // kHuge - 1
  struct Row {
    const char* name;
    const std::vector<std::uint8_t>& head;
    std::uintmax_t file_size;
  };
  for (const Row& row : {Row{"huge.bmp", bmp, 64u << 20}, Row{"huge.jpg", jpeg, 64u << 20},
                         Row{"huge.png", png, 64u << 20}, Row{"huge.webp", webp, 64u << 20},
                         Row{"sparse.jpg", jpeg, std::uintmax_t{3} << 30}}) {
    const auto path = dir.path() / row.name;
    WriteFile(path, row.head);
    std::filesystem::resize_file(path, row.file_size);  // the rest is a hole: no disk used
    const std::uint64_t before = BytesRead();
    EXPECT_THAT(ErrorMessage([&] { DecodeImageFile(path); }),
                AllOf(HasSubstr(row.name), HasSubstr("too large")));
    EXPECT_LT(BytesRead() - before, 1u << 20) << row.name << ": read past its header";
  }
}

}  // namespace
}  // namespace orbeline

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <random>

#include "image/bmp_reader.h"
#include "image/bmp_writer.h"
#include "image_test_util.h"
#include "isolated_env.h"

namespace orbeline {
namespace {

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

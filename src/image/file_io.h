#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace orbeline {

// How much of a picture file the header checks get: every header we check fits in it.
inline constexpr std::size_t kPictureHeadBytes = 64 * 1024;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using PictureStream = std::unique_ptr<std::FILE, FileCloser>;

// Opens a picture file for reading. Refuses, before reading anything, a file that is not a
// regular file (a FIFO would block for ever) or that is larger than any picture we accept;
// raises ImageError naming the file and the reason.
PictureStream OpenPictureFile(const std::filesystem::path& path);

// The whole content of a picture file, read in two steps: its first kPictureHeadBytes go to
// `check_head`, which raises ImageError for a header it refuses (a picture too large, say),
// and only then is the rest read. Errors name the file.
std::vector<std::uint8_t> ReadPictureFile(
    const std::filesystem::path& path,
    const std::function<void(std::span<const std::uint8_t>)>& check_head);

}  // namespace orbeline

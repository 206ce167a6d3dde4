#include "image/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "base/unique_fd.h"
#include "image/image_error.h"

namespace orbeline {
namespace {

// A picture file larger than this cannot hold a picture within the size limits.
constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{1} << 31;

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& reason) {
  throw ImageError("Cannot read the file \"" + path.string() + "\": " + reason);
}

// Appends up to `count` bytes from the stream; false at the end of the file.
bool ReadMore(std::FILE* file, const std::filesystem::path& path, std::size_t count,
              std::vector<std::uint8_t>& bytes) {
  const std::size_t old_size = bytes.size();
  bytes.resize(old_size + count);
  const std::size_t got = std::fread(bytes.data() + old_size, 1, count, file);
  bytes.resize(old_size + got);
  if (std::ferror(file)) Fail(path, std::strerror(errno));
  return got == count;
}

}  // namespace

PictureStream OpenPictureFile(const std::filesystem::path& path) {
  // Non-blocking, so that opening a FIFO cannot hang before it is refused.
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd.valid()) Fail(path, std::strerror(errno));
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) Fail(path, std::strerror(errno));
  if (!S_ISREG(info.st_mode)) Fail(path, "not a regular file");
  if (static_cast<std::uintmax_t>(info.st_size) > kMaxFileBytes) Fail(path, "file too large");
  ::fcntl(fd.get(), F_SETFL, 0);
  PictureStream stream(::fdopen(fd.get(), "rb"));
  if (!stream) Fail(path, std::strerror(errno));
  static_cast<void>(fd.Release());
  return stream;
}

std::vector<std::uint8_t> ReadPictureFile(
    const std::filesystem::path& path,
    const std::function<void(std::span<const std::uint8_t>)>& check_head) {
  const PictureStream file = OpenPictureFile(path);
  std::vector<std::uint8_t> bytes;
  // Room for the whole file at once (its size was checked on opening): a large picture is
  // then read without being moved as the buffer grows.
  struct stat info {};
  if (::fstat(::fileno(file.get()), &info) == 0 && info.st_size > 0) {
    bytes.reserve(static_cast<std::size_t>(info.st_size) + 1);
  }
  const bool more = ReadMore(file.get(), path, kPictureHeadBytes, bytes);
  check_head(bytes);
  if (!more) return bytes;
  while (ReadMore(file.get(), path, kPictureHeadBytes, bytes)) {
    // The file grew after it was opened.
    if (bytes.size() > kMaxFileBytes) Fail(path, "file too large");
  }
  return bytes;
}

}  // namespace orbeline

#include "image/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "image/image_error.h"

namespace orbeline {
namespace {

// A picture file larger than this cannot hold a picture within the size limits.
constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{1} << 31;

std::string Quoted(const std::filesystem::path& path) { return "\"" + path.string() + "\""; }

// Closes a descriptor on every path out of the writer.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { Close(); }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  int Close() {
    const int result = fd_ >= 0 ? ::close(fd_) : 0;
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    throw ImageError("Cannot open the file " + Quoted(path) + ": " + std::strerror(errno));
  }
  std::vector<std::uint8_t> bytes;
  std::uint8_t buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw ImageError("Cannot read the file " + Quoted(path) + ": " + std::strerror(errno));
    }
    if (n == 0) break;
    if (bytes.size() + static_cast<std::size_t>(n) > kMaxFileBytes) {
      throw ImageError("Cannot read the file " + Quoted(path) + ": file too large");
    }
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  return bytes;
}

void WriteFileAtomically(const std::filesystem::path& path,
                         std::span<const std::span<const std::uint8_t>> parts) {
  std::string temp = path.string() + ".tmp-XXXXXX";
  FileDescriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
  if (fd.get() < 0) {
    throw Error("Cannot write the file " + Quoted(path) + ": " + std::strerror(errno));
  }
  const auto fail = [&](int error) {
    fd.Close();
    ::unlink(temp.c_str());
    throw Error("Cannot write the file " + Quoted(path) + ": " + std::strerror(error));
  };
  // mkstemp makes the file 0600; a wallpaper is an ordinary user file.
  if (::fchmod(fd.get(), 0644) != 0) fail(errno);
  for (const auto& part : parts) {
    if (!WriteAll(fd.get(), part)) fail(errno);
  }
  if (::fsync(fd.get()) != 0) fail(errno);
  if (fd.Close() != 0) fail(errno);
  if (std::rename(temp.c_str(), path.c_str()) != 0) fail(errno);
  // Make the rename itself durable.
  const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
  FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
}

}  // namespace orbeline

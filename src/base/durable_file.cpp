#include "base/durable_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "base/error.h"
#include "base/unique_fd.h"

namespace orbeline {
namespace {

constexpr std::string_view kTempMarker = ".tmp-";

[[noreturn]] void Fail(const std::filesystem::path& path, int error) {
  throw Error("Cannot write the file \"" + path.string() + "\": " + std::strerror(error));
}

std::filesystem::path FolderOf(const std::filesystem::path& path) {
  return path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
}

// "<path>.tmp-XXXXXX" with six random letters and digits.
std::string TempName(const std::filesystem::path& path) {
  static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::minstd_rand random(std::random_device{}());
  std::string name = path.string() + std::string(kTempMarker);
  for (int i = 0; i < 6; ++i) name += kChars[random() % (sizeof kChars - 1)];
  return name;
}

// Writes everything `fill` makes, then flushes it to disk.
bool WriteAll(int fd, const FileFiller& fill) {
  constexpr std::size_t kPieceBytes = std::size_t{1} << 20;
  std::vector<std::uint8_t> buffer(kPieceBytes);
  off_t offset = 0;
  for (;;) {
    const std::size_t filled = fill(buffer);
    if (filled == 0) break;
    std::span<const std::uint8_t> bytes(buffer.data(), filled);
    while (!bytes.empty()) {
      const ssize_t written = ::write(fd, bytes.data(), bytes.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    // Start the disk on this piece while the next is made (a hint: errors show at fsync).
    ::sync_file_range(fd, offset, static_cast<off_t>(filled), SYNC_FILE_RANGE_WRITE);
    offset += static_cast<off_t>(filled);
  }
  return ::fsync(fd) == 0;
}

// A filler handing out `parts` one after the other.
FileFiller PartsFiller(std::span<const std::span<const std::uint8_t>> parts) {
  return [parts, part = std::size_t{0},
          done = std::size_t{0}](std::span<std::uint8_t> buffer) mutable {
    std::size_t filled = 0;
    while (part < parts.size() && filled < buffer.size()) {
      const std::size_t n = std::min(buffer.size() - filled, parts[part].size() - done);
      std::memcpy(buffer.data() + filled, parts[part].data() + done, n);
      filled += n;
      done += n;
      if (done == parts[part].size()) {
        ++part;
        done = 0;
      }
    }
    return filled;
  };
}

// Gives the complete unnamed file `fd` the name `path`: directly when no file has that name
// yet, else under a temporary name that is then renamed over the old file.
void LinkIntoPlace(int fd, const std::filesystem::path& path) {
  const std::string proc = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) return;
  if (errno != EEXIST) Fail(path, errno);
  for (;;) {
    const std::string temp = TempName(path);
    if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) != 0) {
      if (errno == EEXIST) continue;
      Fail(path, errno);
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
      const int error = errno;
      ::unlink(temp.c_str());
      Fail(path, error);
    }
    return;
  }
}

// The same through a named temporary file, for filesystems without unnamed files.
void WriteThroughNamedTemp(const std::filesystem::path& path, const FileFiller& fill) {
  std::string temp;
  UniqueFd fd;
  while (!fd.valid()) {
    temp = TempName(path);
    fd = UniqueFd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd.valid() && errno != EEXIST) Fail(path, errno);
  }
  int error = 0;
  try {
    if (!WriteAll(fd.get(), fill)) error = errno;
  } catch (...) {
    ::unlink(temp.c_str());
    throw;
  }
  if (fd.Close() != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(temp.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temp.c_str());
    Fail(path, error);
  }
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& path,
                         std::span<const std::span<const std::uint8_t>> parts) {
  WriteFileAtomically(path, PartsFiller(parts));
}

void WriteFileAtomically(const std::filesystem::path& path, const FileFiller& fill) {
  const std::filesystem::path folder = FolderOf(path);
  UniqueFd fd(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
  if (fd.valid()) {
    if (!WriteAll(fd.get(), fill)) Fail(path, errno);
    LinkIntoPlace(fd.get(), path);
  } else if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) {
    WriteThroughNamedTemp(path, fill);
  } else {
    Fail(path, errno);
  }
  SyncFolder(folder);
}

void SyncFolder(const std::filesystem::path& folder) {
  UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd.valid() || ::fsync(fd.get()) != 0) {
    throw Error("Cannot flush the folder \"" + folder.string() + "\": " + std::strerror(errno));
  }
}

void RemoveInterruptedWrites(const std::filesystem::path& folder, std::string_view file_name) {
  const std::string prefix = std::string(file_name) + std::string(kTempMarker);
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) != 0 || !entry.is_regular_file(error)) continue;
    std::filesystem::remove(entry.path(), error);
  }
}

}  // namespace orbeline

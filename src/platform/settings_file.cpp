#include "platform/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

#include "base/durable_file.h"
#include "base/error.h"
#include "base/unique_fd.h"

namespace orbeline {
namespace {

constexpr std::string_view kLockSuffix = ".lock";

std::string Named(std::string_view what, const std::filesystem::path& file) {
  return std::string(what) + " " + file.string();
}

// QTemporaryFile's names: the file name, a dot and six letters or digits.
bool IsTemporaryOf(const std::string& name, const std::string& file_name) {
  if (name.size() != file_name.size() + 7 || name.rfind(file_name + ".", 0) != 0) return false;
  for (std::size_t i = file_name.size() + 1; i < name.size(); ++i) {
    if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
  }
  return true;
}

}  // namespace

void CheckSettingsFile(const std::filesystem::path& file, std::string_view what) {
  // Non-blocking, so that opening a FIFO cannot hang before it is refused.
  UniqueFd fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd.valid()) {
    if (errno == ENOENT) return;
    throw Error("Cannot read the " + Named(what, file) + ": " + std::strerror(errno));
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    throw Error("The " + Named(what, file) + " is not a regular file");
  }
}

void SyncSettingsFile(QSettings& settings, std::string_view what) {
  // QSettings reports only the first error it met, so a syntax error read earlier would hide
  // a failed write. Reading everything now puts any syntax error on `settings`; a second
  // object on the same file shares its pending changes, writes them and reports this write
  // alone.
  static_cast<void>(settings.allKeys());
  QSettings writer(settings.fileName(), settings.format());
  writer.sync();
  const std::filesystem::path file = settings.fileName().toStdString();
  if (writer.status() == QSettings::AccessError) {
    throw Error("Cannot write the " + Named(what, file));
  }
  std::error_code error;
  if (std::filesystem::exists(file, error)) SyncFolder(file.parent_path());
}

void RemoveInterruptedSettingsWrites(const std::filesystem::path& folder) {
  std::error_code error;
  std::vector<std::filesystem::path> entries;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    entries.push_back(entry.path());
  }
  for (const std::filesystem::path& lock : entries) {
    const std::string lock_name = lock.filename().string();
    if (lock_name.size() <= kLockSuffix.size() || !lock_name.ends_with(kLockSuffix)) continue;
    const std::string file_name = lock_name.substr(0, lock_name.size() - kLockSuffix.size());
    const auto locked_at = std::filesystem::last_write_time(lock, error);
    if (error) continue;
    // A temporary file older than the lock is not of the interrupted write: leave it.
    for (const std::filesystem::path& temp : entries) {
      if (!IsTemporaryOf(temp.filename().string(), file_name)) continue;
      if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(temp, error))) continue;
      if (std::filesystem::last_write_time(temp, error) < locked_at || error) continue;
      std::filesystem::remove(temp, error);
    }
    std::filesystem::remove(lock, error);
  }
}

}  // namespace orbeline

#include "shell/launcher_icon.h"

#include <cstdlib>
#include <sstream>
#include <system_error>
#include <vector>

#include "base/xdg_folders.h"

namespace orbeline {
namespace {

std::filesystem::path Normal(const std::filesystem::path& path) {
  std::error_code ignored;
  return std::filesystem::weakly_canonical(path, ignored);
}

// The folders the desktop looks in for icon themes, by the XDG base directory rules.
std::vector<std::filesystem::path> IconSearchFolders() {
  std::vector<std::filesystem::path> folders;
  const char* data_home = std::getenv("XDG_DATA_HOME");
  folders.push_back(data_home != nullptr && data_home[0] == '/'
                        ? std::filesystem::path(data_home)
                        : HomeFolder() / ".local" / "share");
  const char* data_dirs = std::getenv("XDG_DATA_DIRS");
  std::istringstream list(
      data_dirs != nullptr && data_dirs[0] != '\0' ? data_dirs : "/usr/local/share:/usr/share");
  for (std::string folder; std::getline(list, folder, ':');) {
    if (!folder.empty() && folder.front() == '/') folders.emplace_back(folder);
  }
  return folders;
}

}  // namespace

std::string LauncherIcon(const std::filesystem::path& exe_dir,
                         const std::filesystem::path& share_dir, std::string_view icon_name) {
  const std::string file_name = std::string(icon_name) + ".svg";
  std::error_code ignored;
  const std::filesystem::path installed =
      share_dir / "icons" / "hicolor" / "scalable" / "apps" / file_name;
  if (std::filesystem::is_regular_file(installed, ignored)) {
    const std::filesystem::path share = Normal(share_dir);
    for (const std::filesystem::path& folder : IconSearchFolders()) {
      if (Normal(folder) == share) return std::string(icon_name);
    }
    return Normal(installed).string();
  }
  const std::filesystem::path beside = exe_dir / file_name;
  if (std::filesystem::is_regular_file(beside, ignored)) return Normal(beside).string();
  return {};
}

}  // namespace orbeline

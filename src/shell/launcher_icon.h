#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace orbeline {

// The Icon value of a launcher of this program. The theme icon's name when the program runs
// from an installation whose share folder (`share_dir`) holds it in
// icons/hicolor/scalable/apps and is one the desktop searches for icons ($XDG_DATA_HOME,
// $XDG_DATA_DIRS); the installed picture's path when the installation lies elsewhere (a
// name would find nothing there); the path of the picture beside the program (`exe_dir`)
// in a build tree; else empty (no icon).
std::string LauncherIcon(const std::filesystem::path& exe_dir,
                         const std::filesystem::path& share_dir, std::string_view icon_name);

}  // namespace orbeline

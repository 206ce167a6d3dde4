#include "shell/launcher_icon.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "isolated_env.h"

namespace orbeline {
namespace {

TEST(LauncherIconTest, NameWhereTheDesktopFindsItElsePath) {
  testing::TempDir temp;
  const std::filesystem::path prefix = temp.path() / "prefix";
  const std::filesystem::path apps = prefix / "share/icons/hicolor/scalable/apps";
  std::filesystem::create_directories(apps);
  std::filesystem::create_directories(temp.path() / "build");
  std::ofstream(apps / "org.example.Id.svg") << "<svg/>";
  std::ofstream(temp.path() / "build/org.example.Id.svg") << "<svg/>";

  setenv("XDG_DATA_DIRS", (prefix / "share").c_str(), 1);
  EXPECT_EQ(LauncherIcon(prefix / "bin", prefix / "share", "org.example.Id"), "org.example.Id");
  setenv("XDG_DATA_DIRS", "/usr/share", 1);
  EXPECT_EQ(LauncherIcon(prefix / "bin", prefix / "share", "org.example.Id"),
            (apps / "org.example.Id.svg").string())
      << "an installation outside the searched folders names its picture";
  EXPECT_EQ(LauncherIcon(temp.path() / "build", temp.path() / "share", "org.example.Id"),
            (temp.path() / "build/org.example.Id.svg").string());
  EXPECT_EQ(LauncherIcon(temp.path(), temp.path() / "share", "org.example.Id"), "");
  unsetenv("XDG_DATA_DIRS");
}

}  // namespace
}  // namespace orbeline

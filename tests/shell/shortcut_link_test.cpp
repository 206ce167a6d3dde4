#include "shell/shortcut_link.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "desktop_file_validate.h"
#include "isolated_env.h"
#include "shell/launcher_icon.h"

namespace orbeline {
namespace {

TEST(ShortcutLinkTest, HotKeysAndExecWordsQuotedByTheDesktopEntryRules) {
  TShortcutLink link;
  EXPECT_EQ(link.ShowCmd(), TShowCmd::scShowNormal);
  link.SetHotKey("q");
  EXPECT_EQ(link.HotKey(), 'Q');
  link.SetHotKey("\tx");
  EXPECT_EQ(link.HotKey(), ' ');
  EXPECT_EQ(QuoteExecWord("/usr/bin/orbeline"), "/usr/bin/orbeline");
  EXPECT_EQ(QuoteExecWord("/opt/My Apps/orbeline"), "\"/opt/My Apps/orbeline\"");
  EXPECT_EQ(QuoteExecWord("/a$b/\"c\""), "\"/a\\$b/\\\"c\\\"\"");
  EXPECT_EQ(QuoteExecWord("50%"), "50%%");
  EXPECT_EQ(QuoteExecWord(""), "\"\"");
}

TEST(ShortcutLinkTest, StartupAndDesktopEntriesAreValidAndComplete) {
  testing::IsolatedEnvironment env;
  const std::filesystem::path startup = GetStartupFolder();
  EXPECT_EQ(startup, env.config_home() / "autostart");
  EXPECT_TRUE(std::filesystem::is_directory(startup));

  TShortcutLink link;
  link.shortcut_file = (startup / "Orbeline StartUp.desktop").string();
  link.target = "/opt/my tools/orbeline";
  link.working_dir = "/opt/my tools/";
  link.arguments = "-OnlyDraw";
  link.icon_location = "org.quillmere.Orbeline";
  link.SetHotKey("q");
  link.CreateLink();
  const std::string text = testing::FileText(link.shortcut_file);
  for (const char* line : {"[Desktop Entry]\n", "Type=Application\n", "Name=Orbeline StartUp\n",
                           "Exec=\"/opt/my tools/orbeline\" -OnlyDraw\n", "Path=/opt/my tools/\n",
                           "Icon=org.quillmere.Orbeline\n", "X-Orbeline-HotKey=Ctrl+Alt+Q\n",
                           "X-Orbeline-ShowCmd=9\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  }
  EXPECT_EQ(testing::DesktopFileValidate(link.shortcut_file), "");

  // The desktop entry without arguments; a second write replaces the first whole.
  std::ofstream(env.config_home() / "user-dirs.dirs") << "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n";
  const std::filesystem::path desktop = GetDesktopFolder();
  EXPECT_EQ(desktop, env.home() / "Schreibtisch");
  link.shortcut_file = (desktop / "Orbeline.desktop").string();
  link.arguments.clear();
  link.SetHotKey("");
  link.CreateLink();
  link.CreateLink();
  const std::string second = testing::FileText(link.shortcut_file);
  EXPECT_NE(second.find("Exec=\"/opt/my tools/orbeline\"\n"), std::string::npos) << second;
  EXPECT_EQ(second.find("HotKey"), std::string::npos);
  EXPECT_EQ(testing::DesktopFileValidate(link.shortcut_file), "");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(desktop), {}), 1)
      << "no temporary file is left behind";

  link.shortcut_file = (env.path() / "missing" / "x.desktop").string();
  EXPECT_THROW(link.CreateLink(), EShortcutError);
}

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

#include "platform/generic_desktop.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "base/error.h"
#include "isolated_env.h"
#include "platform/desktop_factory.h"

namespace orbeline {
namespace {

using testing::FileText;

// Every case gets a fresh home and no display, so nothing reaches a real screen.
class GenericDesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("DISPLAY");
    setenv("ORBELINE_DESKTOP", "generic", 1);
  }
  std::filesystem::path ConfigFile() const {
    return environment_.config_home() / "Quillmere" / "Desktop.conf";
  }
  void WriteConfig(const std::string& text) const {
    std::filesystem::create_directories(ConfigFile().parent_path());
    std::ofstream(ConfigFile()) << text;
  }

  testing::IsolatedEnvironment environment_;
};

TEST_F(GenericDesktopTest, FreshDesktopHasAnEmptyWallpaperAndDefaultsAndWritesNothing) {
  std::unique_ptr<Desktop> desktop = CreateDesktop();
  EXPECT_EQ(desktop->ReadValue(kWallpaperValue, "Error"), "");
  EXPECT_EQ(desktop->ReadValue(kTileWallPaperValue, "Error"), "Error");
  EXPECT_EQ(desktop->BackgroundColor(), MakeColorRef(58, 110, 165));
  EXPECT_EQ(desktop->WorkArea(), (Rect{0, 0, 1920, 1080}));
  EXPECT_FALSE(std::filesystem::exists(ConfigFile()));
  desktop->WriteValue(kWallpaperValue, "");
  EXPECT_NE(FileText(ConfigFile()).find("[desktop]\nWallpaper="), std::string::npos);
}

TEST_F(GenericDesktopTest, ValuesRoundTripThroughTheFileAndHandEditedOnesAreRead) {
  const std::vector<std::pair<std::string_view, std::string>> rows = {
      {kWallpaperValue, "/home/me/pictures/sea, sky & \"sun\".jpg"},
      {kWallpaperOriginXValue, "-10"},
      {kPatternValue, "170 85 170 85 170 85 170 85"},
  };
  {
    GenericDesktop desktop(ConfigFile());
    for (const auto& [name, text] : rows) desktop.WriteValue(name, text);
  }
  GenericDesktop desktop(ConfigFile());
  for (const auto& [name, text] : rows) EXPECT_EQ(desktop.ReadValue(name, "Error"), text) << name;

  // A file written by hand for the other values names no picture: the desktop shows its
  // colour, as without the file; the emulated display comes from the file.
  WriteConfig("[desktop]\nBackground=0 0 0\n");
  EXPECT_EQ(GenericDesktop(ConfigFile()).ReadValue(kWallpaperValue, "Error"), "");
  EXPECT_EQ(GenericDesktop(ConfigFile()).ReadValue(kTileWallPaperValue, "Error"), "Error");
  WriteConfig(
      "[desktop]\nWallpaper=/pics/a,b.jpg\nBackground=10 20 30\nScreenWidth=800\n"
      "ScreenHeight=600\nBitsPerPixel=8\n");
  GenericDesktop edited(ConfigFile());
  EXPECT_EQ(edited.ReadValue(kWallpaperValue, ""), "/pics/a,b.jpg");
  EXPECT_EQ(edited.BackgroundColor(), MakeColorRef(10, 20, 30));
  EXPECT_EQ(edited.WorkArea(), (Rect{0, 0, 800, 600}));
  EXPECT_EQ(edited.BitsPerPixel(), 8);
}

TEST_F(GenericDesktopTest, InvalidEmulatedValuesNameTheValueAndFile) {
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"Background", "58 110"}, {"Background", "58 110 256"}, {"Background", "1 2 3 4"},
      {"ScreenWidth", "wide"},  {"ScreenHeight", "0"},        {"BitsPerPixel", "64"},
  };
  for (const auto& [name, text] : rows) {
    SCOPED_TRACE(name + "=" + text);
    WriteConfig("[desktop]\nWallpaper=\n" + name + "=" + text + "\n");
    GenericDesktop desktop(ConfigFile());
    try {
      desktop.BackgroundColor();
      desktop.ScreenRectangle();
      desktop.BitsPerPixel();
      ADD_FAILURE() << "no error";
    } catch (const Error& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find(name), std::string::npos) << message;
      EXPECT_NE(message.find("'" + text + "'"), std::string::npos) << message;
      EXPECT_NE(message.find(ConfigFile().string()), std::string::npos) << message;
    }
  }
}

TEST_F(GenericDesktopTest, InstallWithoutDisplayStoresThePath) {
  GenericDesktop desktop(ConfigFile());
  const std::filesystem::path picture = environment_.home() / "ovalin.bmp";
  std::ofstream(picture) << "BM";
  desktop.InstallWallpaper(picture.string());
  EXPECT_EQ(desktop.ReadValue(kWallpaperValue, "Error"), picture.string());

  // A work bitmap must be there; the user's own picture missing for now is still named.
  EXPECT_THROW(desktop.InstallWallpaper((environment_.home() / "gone" / "ovalin.bmp").string()),
               Error);
  EXPECT_EQ(desktop.ReadValue(kWallpaperValue, "Error"), picture.string());
  const std::string unmounted = (environment_.home() / "usb" / "sea.jpg").string();
  desktop.InstallWallpaper(unmounted);
  EXPECT_EQ(desktop.ReadValue(kWallpaperValue, "Error"), unmounted);

  desktop.InstallWallpaper("");
  EXPECT_EQ(desktop.ReadValue(kWallpaperValue, "Error"), "");
}

TEST_F(GenericDesktopTest, BackendChoice) {
  setenv("GSETTINGS_BACKEND", "memory", 1);  // never the developer's own settings
  struct Row {
    const char* chosen;  // ORBELINE_DESKTOP, nullptr: unset
    const char* session;
    const char* name;
  };
  for (const Row& row : std::vector<Row>{{"generic", "GNOME", "generic"},
                                         {"gnome", "KDE", "gnome"},
                                         {nullptr, "ubuntu:GNOME", "gnome"},
                                         {nullptr, "KDE", "generic"}}) {
    SCOPED_TRACE(std::string(row.chosen ? row.chosen : "-") + " " + row.session);
    if (row.chosen) {
      setenv("ORBELINE_DESKTOP", row.chosen, 1);
    } else {
      unsetenv("ORBELINE_DESKTOP");
    }
    setenv("XDG_CURRENT_DESKTOP", row.session, 1);
    EXPECT_EQ(CreateDesktop()->Name(), row.name);
  }
  setenv("ORBELINE_DESKTOP", "kde", 1);
  EXPECT_THROW(CreateDesktop(), Error);
}

}  // namespace
}  // namespace orbeline

#include "platform/qt_settings_backend.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <fstream>
#include <iterator>
#include <string>

#include "isolated_env.h"

namespace orbeline {
namespace {

ino_t Inode(const std::filesystem::path& file) {
  struct stat info {};
  EXPECT_EQ(::stat(file.c_str(), &info), 0);
  return info.st_ino;
}

// Every run stores most settings as they already are, and a draw-only start sets AutoDraw
// and sets it back: the file is rewritten (and synced) only for a net change, which still
// reaches the file at the next turn of the event loop, as QSettings writes its own.
TEST(QtSettingsBackendTest, HandsOnlyTheNetChangeToTheFileAndNoLater) {
  int argc = 1;
  char name[] = "test";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  const testing::TempDir temp;
  const std::filesystem::path file = temp.path() / "Ovalin.conf";
  {
    QtSettingsBackend backend(file);
    backend.Write("", "AutoDraw", "0");
    backend.Write("Design1", "DesignName", "Plain");
    backend.Flush();
  }
  const ino_t written = Inode(file);
  QtSettingsBackend backend(file);
  backend.Write("Design1", "DesignName", "Plain");
  backend.Write("", "AutoDraw", "1");
  EXPECT_EQ(backend.Read("", "AutoDraw").text, "1");
  backend.Write("", "AutoDraw", "0");
  backend.Write("", "Missing", "x");
  backend.Remove("", "Missing");
  QCoreApplication::processEvents();
  backend.Flush();
  EXPECT_EQ(Inode(file), written);

  backend.Write("Design1", "DesignName", "Window");
  QCoreApplication::processEvents();
  // Read from the disk: another QSettings in this process would share the unwritten values.
  std::ifstream in(file);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  EXPECT_NE(text.find("DesignName=Window"), std::string::npos) << text;
}

}  // namespace
}  // namespace orbeline

#include "platform/qt_settings_backend.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "isolated_env.h"

namespace orbeline {
namespace {

ino_t Inode(const std::filesystem::path& file) {
  struct stat info {};
  EXPECT_EQ(::stat(file.c_str(), &info), 0);
  return info.st_ino;
}

// Every run stores most settings as they already are: the file is rewritten (and synced)
// only when a value really changes.
TEST(QtSettingsBackendTest, RewritesTheFileOnlyForChangedValues) {
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
  backend.Write("", "AutoDraw", "0");
  backend.Write("Design1", "DesignName", "Plain");
  backend.Flush();
  EXPECT_EQ(Inode(file), written);

  backend.Write("", "AutoDraw", "3");
  backend.Flush();
  EXPECT_NE(Inode(file), written);
  EXPECT_EQ(QtSettingsBackend(file).Read("", "AutoDraw").text, "3");
}

}  // namespace
}  // namespace orbeline

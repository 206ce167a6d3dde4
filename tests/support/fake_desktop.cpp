#include "fake_desktop.h"

#include "base/error.h"

namespace orbeline::testing {

std::string FakeDesktop::ReadValue(std::string_view name, std::string_view fallback) const {
  auto it = values.find(name);
  return it == values.end() ? std::string(fallback) : it->second;
}

void FakeDesktop::WriteValue(std::string_view name, std::string_view text) {
  Put(name, text);
  writes.push_back(std::string(name) + "=" + std::string(text));
  if (on_write) on_write(name);
}

void FakeDesktop::InstallWallpaper(const std::string& path) {
  if (fail_install) throw Error("Cannot install the wallpaper '" + path + "'");
  installs.push_back({path, values});
  Put(kWallpaperValue, path);
}

bool FakeDesktop::ApplyIconTextColor(ColorRef color) {
  icon_text_colors.push_back(color);
  return false;
}

void FakeDesktop::Put(std::string_view name, std::string_view text) {
  values.insert_or_assign(std::string(name), std::string(text));
}

std::optional<std::string> FakeDesktop::Get(std::string_view name) const {
  auto it = values.find(name);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

}  // namespace orbeline::testing

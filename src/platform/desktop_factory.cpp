#include "platform/desktop_factory.h"

#include <QGuiApplication>
#include <QScreen>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/error.h"
#include "base/text_util.h"
#include "base/xdg_folders.h"
#include "platform/generic_desktop.h"

namespace orbeline {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? "" : value;
}

bool SessionUsesGnomeSettings() {
  const std::string desktops = ToLowerAscii(Environment("XDG_CURRENT_DESKTOP"));
  std::string_view rest = desktops;
  while (!rest.empty()) {
    const std::size_t colon = rest.find(':');
    const std::string_view name = rest.substr(0, colon);
    if (name == "gnome" || name == "ubuntu" || name == "budgie" || name == "unity") return true;
    if (colon == std::string_view::npos) break;
    rest.remove_prefix(colon + 1);
  }
  return false;
}

Rect Scaled(const QRect& rect, qreal ratio) {
  const int left = qRound(rect.left() * ratio);
  const int top = qRound(rect.top() * ratio);
  return Rect{left, top, left + qRound(rect.width() * ratio), top + qRound(rect.height() * ratio)};
}

}  // namespace

std::optional<DesktopScreen> PrimaryScreen() {
  if (qGuiApp == nullptr) return std::nullopt;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return std::nullopt;
  // The wallpaper is shown in device pixels; the work bitmap must match them.
  const qreal ratio = screen->devicePixelRatio();
  const QRect geometry = screen->geometry();
  DesktopScreen result;
  result.screen = Scaled(QRect(QPoint(0, 0), geometry.size()), ratio);
  result.work_area = Scaled(screen->availableGeometry().translated(-geometry.topLeft()), ratio);
  result.bits_per_pixel = screen->depth();
  return result;
}

std::unique_ptr<Desktop> CreateDesktop(const DesktopOptions& options) {
  const std::string chosen = Environment("ORBELINE_DESKTOP");
  bool gnome = false;
  if (chosen == "gnome") {
    gnome = true;
  } else if (chosen.empty()) {
    gnome = SessionUsesGnomeSettings() && GnomeDesktop::SchemaInstalled();
  } else if (chosen != "generic") {
    throw Error("Unknown ORBELINE_DESKTOP value '" + chosen + "': use generic or gnome");
  }

  const std::filesystem::path config = ConfigHomeFolder() / "Quillmere";
  if (!gnome) return std::make_unique<GenericDesktop>(config / "Desktop.conf");

  GnomeDesktopOptions gnome_options;
  gnome_options.screen = options.screen.value_or(PrimaryScreen().value_or(DesktopScreen{}));
  gnome_options.copies_folder =
      options.temp_folder.empty() ? CacheHomeFolder() / "orbeline" : options.temp_folder;
  gnome_options.state_file = config / "GnomeDesktop.conf";
  gnome_options.remove_stale_copies = options.instance_lock_held;
  return std::make_unique<GnomeDesktop>(std::move(gnome_options));
}

}  // namespace orbeline
